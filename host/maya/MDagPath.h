#ifndef _MDagPath
#define _MDagPath
// A path from the world node down to one DAG node: one instance of that node. The world's own path is empty.

#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;
class MDagPathArray;
class MString;

namespace headless {
class PathData;
struct PathAccess;
}

class OPENMAYA_EXPORT MDagPath {
 public:
  MDagPath();
  MDagPath(const MDagPath& src);
  virtual ~MDagPath();

  static MStatus getAllPathsTo(const MObject& entity, MDagPathArray& pathArray);
  static MStatus getAPathTo(const MObject& entity, MDagPath& path);
  // On a transform's path these also answer for the first shape below it.
  bool hasFn(MFn::Type type, MStatus* ReturnStatus = NULL) const;
  MFn::Type apiType(MStatus* ReturnStatus = NULL) const;
  bool isValid(MStatus* ReturnStatus = NULL) const;
  MObject node(MStatus* ReturnStatus = NULL) const;
  MObject transform(MStatus* ReturnStatus = NULL) const;
  unsigned int length(MStatus* ReturnStatus = NULL) const;
  MStatus extendToShape();
  MStatus push(const MObject& child);
  MStatus pop(unsigned num = 1);
  unsigned childCount(MStatus* ReturnStatus = NULL) const;
  MObject child(unsigned i, MStatus* ReturnStatus = NULL) const;
  MMatrix inclusiveMatrix(MStatus* ReturnStatus = NULL) const;
  MMatrix exclusiveMatrix(MStatus* ReturnStatus = NULL) const;
  MMatrix inclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;
  MMatrix exclusiveMatrixInverse(MStatus* ReturnStatus = NULL) const;
  MDagPath& operator=(const MDagPath& src);
  bool operator==(const MDagPath& src) const;
  MStatus set(const MDagPath& src);
  MString fullPathName(MStatus* ReturnStatus = NULL) const;
  MString partialPathName(MStatus* ReturnStatus = NULL) const;
  bool isInstanced(MStatus* ReturnStatus = NULL) const;
  unsigned instanceNumber(MStatus* ReturnStatus = NULL) const;

 private:
  friend struct headless::PathAccess;
  headless::PathData* data_;
};

#endif
