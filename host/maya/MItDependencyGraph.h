#ifndef _MItDependencyGraph
#define _MItDependencyGraph
// Walks the dependency graph along connections from a root node, visiting each node once and stopping on the
// nodes compatible with the filter. With pruning on the filter, the walk does not continue past a node that does
// not match it.

#include <maya/MFn.h>
#include <maya/MObject.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace headless {
struct GraphWalk;
}

class OPENMAYA_EXPORT MItDependencyGraph {
 public:
  enum Direction { kDownstream, kUpstream };
  enum Traversal { kDepthFirst, kBreadthFirst };
  enum Level { kNodeLevel, kPlugLevel };

  MItDependencyGraph(MObject& rootNode, MFn::Type filter = MFn::kInvalid, Direction direction = kDownstream,
                     Traversal traversal = kDepthFirst, Level level = kNodeLevel, MStatus* ReturnStatus = NULL);
  MItDependencyGraph(MPlug& rootPlug, MFn::Type filter = MFn::kInvalid, Direction direction = kDownstream,
                     Traversal traversal = kDepthFirst, Level level = kPlugLevel, MStatus* ReturnStatus = NULL);
  ~MItDependencyGraph();

  MStatus reset();
  MStatus resetTo(MObject& rootNode, MFn::Type filter = MFn::kInvalid, Direction direction = kDownstream,
                  Traversal traversal = kDepthFirst, Level level = kNodeLevel);
  MStatus resetTo(MPlug& rootPlug, MFn::Type filter = MFn::kInvalid, Direction direction = kDownstream,
                  Traversal traversal = kDepthFirst, Level level = kPlugLevel);
  MObject rootNode(MStatus* ReturnStatus = NULL);
  MPlug rootPlug(MStatus* ReturnStatus = NULL);
  MFn::Type currentFilter(MStatus* ReturnStatus = NULL);
  MStatus setCurrentFilter(MFn::Type filter = MFn::kInvalid);
  MStatus resetFilter();
  bool isPruningOnFilter(MStatus* ReturnStatus = NULL);
  MStatus enablePruningOnFilter();
  MStatus disablePruningOnFilter();
  bool isDirectionDownStream(MStatus* ReturnStatus = NULL);
  Direction currentDirection(MStatus* ReturnStatus = NULL);
  bool isTraversalDepthFirst(MStatus* ReturnStatus = NULL);
  Traversal currentTraversal(MStatus* ReturnStatus = NULL);
  bool atNodeLevel(MStatus* ReturnStatus = NULL);
  Level currentLevel(MStatus* ReturnStatus = NULL);
  MStatus next();
  bool isDone(MStatus* ReturnStatus = NULL);
  MStatus prune();
  MObject thisNode(MStatus* ReturnStatus = NULL);
  MPlug thisPlug(MStatus* ReturnStatus = NULL);
  MStatus getNodesVisited(MObjectArray& nodesVisited) const;

 private:
  MItDependencyGraph(const MItDependencyGraph&);
  MItDependencyGraph& operator=(const MItDependencyGraph&);
  headless::GraphWalk* walk_;
};

#endif
