#ifndef _MItSelectionList
#define _MItSelectionList
// Iterates over a copy of a selection list, optionally only the items compatible with a filter.

#include <maya/MObject.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MStringArray.h>

class MDagPath;

class OPENMAYA_EXPORT MItSelectionList {
 public:
  enum selItemType { kUnknownItem = -1, kDagSelectionItem, kAnimSelectionItem, kDNselectionItem };

  MItSelectionList(const MSelectionList& list, MFn::Type = MFn::kInvalid, MStatus* ReturnStatus = NULL);
  virtual ~MItSelectionList();

  bool isDone(MStatus* ReturnStatus = NULL);
  MStatus next();
  MStatus reset();
  MStatus getDependNode(MObject& depNode);
  MStatus getDagPath(MDagPath& dagPath, MObject& component);
  MStatus getDagPath(MDagPath& dagPath);
  MStatus getStrings(MStringArray& array);
  selItemType itemType(MStatus* ReturnStatus = NULL);
  MStatus setFilter(MFn::Type filter);
  bool hasComponents(MStatus* ReturnStatus = NULL) const;

 private:
  MItSelectionList(const MItSelectionList&);
  MItSelectionList& operator=(const MItSelectionList&);
  unsigned matchingIndex(unsigned from) const;
  MSelectionList list_;
  MFn::Type filter_;
  unsigned position_;
};

#endif
