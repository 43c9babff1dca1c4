#ifndef _MFnDependencyNode
#define _MFnDependencyNode
// Function set for every dependency node: its name, type name, attributes and plugs.

#include <maya/MFnBase.h>
#include <maya/MString.h>

class MPlug;
class MObject;

class OPENMAYA_EXPORT MFnDependencyNode : public MFnBase {
 public:
  enum MAttrClass { kGlobalDynamicAttr = 1, kLocalDynamicAttr, kNormalAttr, kInvalidAttr };

  MFnDependencyNode();
  MFnDependencyNode(MObject& object, MStatus* ReturnStatus = NULL);
  MFnDependencyNode(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnDependencyNode();
  virtual MFn::Type type() const;

  MString typeName(MStatus* ReturnStatus = NULL) const;
  MString name(MStatus* ReturnStatus = NULL) const;
  MString setName(const MString& name, MStatus* ReturnStatus = NULL);
  unsigned attributeCount(MStatus* ReturnStatus = NULL) const;
  MObject attribute(unsigned index, MStatus* ReturnStatus = NULL) const;
  MObject attribute(const MString& attrName, MStatus* ReturnStatus = NULL) const;
  MPlug findPlug(const MObject& attr, MStatus* ReturnStatus = NULL) const;
  MPlug findPlug(const MString& attrName, MStatus* ReturnStatus = NULL) const;
  bool isShared(MStatus* ReturnStatus = NULL) const;
  bool isDefaultNode(MStatus* ReturnStatus = NULL) const;

 private:
  MFnDependencyNode& operator=(const MFnDependencyNode&);
  MFnDependencyNode* operator&() const;
  MFnDependencyNode* operator&();
};

#endif
