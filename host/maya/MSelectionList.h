#ifndef _MSelectionList
#define _MSelectionList
// An ordered list of selected items: DAG paths (with an optional component) and dependency nodes.

#include <maya/MObject.h>
#include <maya/MStatus.h>

class MDagPath;
class MString;
class MStringArray;
class MPlug;

namespace headless {
struct SelectionData;
struct SelectionAccess;
}

class OPENMAYA_EXPORT MSelectionList {
 public:
  enum MergeStrategy { kMergeNormal = 0, kXORWithList, kRemoveFromList };

  MSelectionList();
  MSelectionList(const MSelectionList& src);
  virtual ~MSelectionList();

  MStatus clear();
  bool isEmpty(MStatus* ReturnStatus = NULL) const;
  unsigned int length(MStatus* ReturnStatus = NULL) const;
  MStatus getDependNode(unsigned index, MObject& depNode) const;
  MStatus getDagPath(unsigned index, MDagPath& dagPath, MObject& component = MObject::kNullObj) const;
  MStatus add(const MObject& object, const bool mergeWithExisting = false);
  MStatus add(const MDagPath& object, const MObject& component = MObject::kNullObj,
              const bool mergeWithExisting = false);
  MStatus add(const MString& matchString);
  MStatus remove(unsigned int index);
  bool hasItem(const MObject& item, MStatus* ReturnStatus = NULL) const;
  bool hasItem(const MDagPath& item, const MObject& component = MObject::kNullObj,
               MStatus* ReturnStatus = NULL) const;
  MSelectionList& operator=(const MSelectionList& other);
  MStatus getSelectionStrings(MStringArray& array) const;

 private:
  friend struct headless::SelectionAccess;
  headless::SelectionData* data_;
};

#endif
