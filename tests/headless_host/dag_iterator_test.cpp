// The DAG walk: order from the world node, filters, sub-walks from a root, instances and pruning.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MItDag.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// |a|b|bShape, |a|c, |d|dShape
void buildTree() {
  headless::emptyScene();
  MObject a = headless::createTransform("a");
  MObject b = headless::createTransform("b", a);
  headless::createMesh("bShape", b, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}});
  headless::createTransform("c", a);
  MObject d = headless::createTransform("d");
  headless::createMesh("dShape", d, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}});
}

std::string pathText(const MDagPath& path) { return path.length() == 0 ? "<world>" : path.fullPathName().asChar(); }

std::vector<std::string> walk(MItDag& iterator) {
  std::vector<std::string> names;
  for (; !iterator.isDone(); iterator.next()) {
    MDagPath path;
    EXPECT_TRUE(iterator.getPath(path));
    names.push_back(pathText(path));
  }
  return names;
}

TEST(DagIterator, WalksFromTheWorldInTraversalOrderWithFilters) {
  struct Case {
    MItDag::TraversalType traversal;
    MFn::Type filter;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {MItDag::kDepthFirst, MFn::kInvalid, {"<world>", "|a", "|a|b", "|a|b|bShape", "|a|c", "|d", "|d|dShape"}},
      {MItDag::kBreadthFirst, MFn::kInvalid, {"<world>", "|a", "|d", "|a|b", "|a|c", "|d|dShape", "|a|b|bShape"}},
      // The filter asks each node for its own type: a transform above a mesh is not a mesh here.
      {MItDag::kDepthFirst, MFn::kMesh, {"|a|b|bShape", "|d|dShape"}},
      {MItDag::kBreadthFirst, MFn::kTransform, {"|a", "|d", "|a|b", "|a|c"}},
      {MItDag::kDepthFirst, MFn::kShape, {"|a|b|bShape", "|d|dShape"}},
      {MItDag::kDepthFirst, MFn::kCamera, {}},
  };
  buildTree();
  for (const Case& c : cases) {
    MStatus status;
    MItDag iterator(c.traversal, c.filter, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(walk(iterator), c.expected) << "traversal " << c.traversal << " filter " << c.filter;
  }
}

TEST(DagIterator, TheWorldNodeIsTheFirstItemAndPassesTheSceneFilters) {
  buildTree();
  MItDag iterator(MItDag::kBreadthFirst);
  ASSERT_FALSE(iterator.isDone());
  EXPECT_EQ(iterator.item().apiType(), MFn::kWorld);
  EXPECT_EQ(iterator.depth(), 0u);
  MDagPath worldPath;
  ASSERT_TRUE(iterator.getPath(worldPath));
  EXPECT_EQ(worldPath.length(), 0u);
  MStatus status;
  MFnDagNode world(worldPath, &status);
  ASSERT_TRUE(status);
  EXPECT_FALSE(world.isIntermediateObject(&status));
  EXPECT_TRUE(status);
  bool visible = false;
  MPlug visibility = world.findPlug("visibility", &status);
  ASSERT_TRUE(status);
  EXPECT_TRUE(visibility.getValue(visible));
  EXPECT_TRUE(visible);
  for (MFn::Type type : {MFn::kTransform, MFn::kMesh, MFn::kNurbsSurface, MFn::kNurbsCurve, MFn::kLattice,
                         MFn::kCamera, MFn::kLight, MFn::kShape}) {
    EXPECT_FALSE(worldPath.hasFn(type)) << type;
  }
}

TEST(DagIterator, ResetToARootWalksThatSubtreeDepthFirst) {
  buildTree();
  struct Case {
    MObject root;
    MStatus::MStatusCode status;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {headless::findNode("a"), MStatus::kSuccess, {"|a", "|a|b", "|a|b|bShape", "|a|c"}},
      {headless::findNode("bShape"), MStatus::kSuccess, {"|a|b|bShape"}},
      // Nothing to walk from a null object or a dependency node: the walk is over at once.
      {MObject(), MStatus::kInvalidParameter, {}},
      {headless::createShader("lambert", "notDag"), MStatus::kInvalidParameter, {}},
  };
  for (const Case& c : cases) {
    MItDag iterator(MItDag::kBreadthFirst);
    EXPECT_EQ(iterator.reset(c.root, MItDag::kDepthFirst, MFn::kInvalid).statusCode(), c.status);
    EXPECT_EQ(walk(iterator), c.expected);
  }
  MItDag iterator;
  EXPECT_TRUE(iterator.reset(headless::pathTo("|a|b"), MItDag::kDepthFirst, MFn::kInvalid));
  EXPECT_EQ(walk(iterator), (std::vector<std::string>{"|a|b", "|a|b|bShape"}));
  EXPECT_EQ(iterator.reset(MDagPath(), MItDag::kDepthFirst, MFn::kInvalid).statusCode(), MStatus::kInvalidParameter);
  EXPECT_TRUE(iterator.isDone());
}

TEST(DagIterator, AnInstancedShapeIsVisitedOncePerPath) {
  buildTree();
  MObject shape = headless::findNode("dShape");
  ASSERT_TRUE(headless::addInstance(shape, headless::findNode("c")));
  MItDag iterator(MItDag::kDepthFirst, MFn::kMesh);
  EXPECT_EQ(walk(iterator), (std::vector<std::string>{"|a|b|bShape", "|a|c|dShape", "|d|dShape"}));
  MItDag again(MItDag::kDepthFirst, MFn::kMesh);
  again.next();
  EXPECT_TRUE(again.isInstanced());
  EXPECT_EQ(again.instanceCount(true), 2u);
}

TEST(DagIterator, PruneSkipsWhatLiesBelowTheCurrentNode) {
  buildTree();
  MItDag iterator;
  std::vector<std::string> names;
  for (; !iterator.isDone(); iterator.next()) {
    MDagPath path;
    iterator.getPath(path);
    names.push_back(pathText(path));
    if (names.back() == "|a") iterator.prune();
  }
  EXPECT_EQ(names, (std::vector<std::string>{"<world>", "|a", "|d", "|d|dShape"}));
}

// A chain of transforms deeper than any recursion would survive, with a mesh at the bottom.
TEST(DagIterator, AVeryDeepChainIsWalkedAndItsPathsAreFullLength) {
  const int depth = 100000;
  headless::emptyScene();
  MObject parent;
  for (int level = 0; level < depth; ++level) parent = headless::createTransform("level" + std::to_string(level), parent);
  MObject shape = headless::createMesh("leafShape", parent, {{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}});
  ASSERT_FALSE(shape.isNull());
  int visited = 0;
  unsigned deepest = 0;
  for (MItDag walk(MItDag::kDepthFirst); !walk.isDone(); walk.next()) {
    MDagPath path;
    walk.getPath(path);
    deepest = std::max(deepest, path.length());
    ++visited;
  }
  EXPECT_EQ(visited, depth + 2);  // the world, the transforms, the mesh
  EXPECT_EQ(deepest, static_cast<unsigned>(depth + 1));
  MItDag breadth(MItDag::kBreadthFirst, MFn::kMesh);
  ASSERT_FALSE(breadth.isDone());
  EXPECT_EQ(breadth.depth(), static_cast<unsigned>(depth + 1));
  MDagPath leaf = headless::pathTo(shape);
  EXPECT_FALSE(leaf.isInstanced());
  EXPECT_EQ(leaf.instanceNumber(), 0u);
  EXPECT_TRUE(headless::assign(headless::createShadingGroup("deepSG", MObject()), shape));
}

// Every level instanced under two parents: 2^levels paths to the bottom node.
TEST(DagIterator, ADiamondDagCountsItsPathsWithoutListingThem) {
  const int levels = 40;
  headless::emptyScene();
  MObject left = headless::createTransform("left0");
  MObject right = headless::createTransform("right0");
  for (int level = 1; level < levels; ++level) {
    MObject nextLeft = headless::createTransform("left" + std::to_string(level), left);
    MObject nextRight = headless::createTransform("right" + std::to_string(level), left);
    ASSERT_TRUE(headless::addInstance(nextLeft, right));
    ASSERT_TRUE(headless::addInstance(nextRight, right));
    left = nextLeft;
    right = nextRight;
  }
  MDagPath first = headless::pathTo(left, 0);
  ASSERT_TRUE(first.isValid());
  EXPECT_EQ(first.length(), static_cast<unsigned>(levels));
  EXPECT_TRUE(first.isInstanced());
  EXPECT_EQ(first.instanceNumber(), 0u);
  MItDag walk(MItDag::kDepthFirst, MFn::kTransform);
  EXPECT_EQ(walk.instanceCount(true), 1u);  // left0 has one path
  // The last of 2^40 instances goes through the second parent at every level.
  MDagPath last = headless::pathTo(left, 5);
  EXPECT_EQ(last.instanceNumber(), 5u);
}

}  // namespace
