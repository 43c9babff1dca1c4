#ifndef _MFnSet
#define _MFnSet
// Function set for sets (object sets, shading groups): the restriction and the members.

#include <maya/MFnDependencyNode.h>
#include <maya/MObject.h>

class MSelectionList;
class MDagPath;

class OPENMAYA_EXPORT MFnSet : public MFnDependencyNode {
 public:
  enum Restriction { kNone, kVerticesOnly, kEdgesOnly, kFacetsOnly, kEditPointsOnly, kRenderableOnly };

  MFnSet();
  MFnSet(MObject& object, MStatus* ReturnStatus = NULL);
  MFnSet(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnSet();
  virtual MFn::Type type() const;

  MStatus getMembers(MSelectionList& members, bool flatten) const;
  bool isMember(const MDagPath& object, const MObject& component = MObject::kNullObj,
                MStatus* ReturnStatus = NULL) const;
  bool isMember(const MObject& object, MStatus* ReturnStatus = NULL) const;
  Restriction restriction(MStatus* ReturnStatus = NULL) const;

 private:
  MFnSet& operator=(const MFnSet&);
  MFnSet* operator&() const;
  MFnSet* operator&();
};

#endif
