#ifndef _MItDag
#define _MItDag
// Walks the DAG depth first (pre-order) or breadth first from a root, by default the world node, which is the
// first item. A filter skips nodes not compatible with it without pruning below them.

#include <maya/MObject.h>
#include <maya/MStatus.h>

class MDagPath;
class MDagPathArray;
class MString;

namespace headless {
struct DagWalk;
}

class OPENMAYA_EXPORT MItDag {
 public:
  enum TraversalType { kInvalidType = 0, kDepthFirst, kBreadthFirst };

  MItDag(TraversalType = kDepthFirst, MFn::Type = MFn::kInvalid, MStatus* ReturnStatus = NULL);
  virtual ~MItDag();

  MStatus reset();
  MStatus reset(const MObject& object, TraversalType = kDepthFirst, MFn::Type = MFn::kInvalid);
  MStatus reset(const MDagPath& path, TraversalType = kDepthFirst, MFn::Type = MFn::kInvalid);
  MObject item(MStatus* ReturnStatus = NULL);
  MStatus next();
  MStatus prune();
  bool isDone(MStatus* ReturnStatus = NULL) const;
  MObject root(MStatus* ReturnStatus = NULL);
  unsigned depth(MStatus* ReturnStatus = NULL) const;
  TraversalType getType(MStatus* ReturnStatus = NULL) const;
  MStatus getPath(MDagPath& path) const;
  MStatus getAllPaths(MDagPathArray& paths) const;
  MString fullPathName(MStatus* ReturnStatus = NULL) const;
  MString partialPathName(MStatus* ReturnStatus = NULL) const;
  bool isInstanced(bool indirect = true, MStatus* ReturnStatus = NULL) const;
  unsigned int instanceCount(bool total, MStatus* ReturnStatus = NULL) const;
  MStatus traverseUnderWorld(bool flag);
  bool willTraverseUnderWorld(MStatus* ReturnStatus = NULL) const;

 private:
  MItDag(const MItDag&);
  MItDag& operator=(const MItDag&);
  headless::DagWalk* walk_;
};

#endif
