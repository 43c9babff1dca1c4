// The DAG: walk orders and filters, sub-walks, pruning, paths (type tests, extending to the shape, names) and
// instancing, down to chains and diamonds too big to recurse over or list.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MItDag.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

// |a|b|bShape, |a|c, |d|dShape, |lamp|lampShape (spot), |cam|camShape, |pair|first + |pair|second
void buildTree() {
  headless::emptyScene();
  headless::resetHostBehaviour();
  MObject a = headless::createTransform("a");
  headless::createMesh("bShape", headless::createTransform("b", a), kTriangle);
  headless::createTransform("c", a);
  headless::createMesh("dShape", headless::createTransform("d"), kTriangle);
  headless::createLight(headless::LightKind::Spot, "lampShape", headless::createTransform("lamp"));
  headless::createCamera("camShape", headless::createTransform("cam"));
  MObject pair = headless::createTransform("pair");
  headless::createMesh("first", pair, kTriangle);
  headless::createMesh("second", pair, kTriangle);
}

std::string pathText(const MDagPath& path) { return path.length() == 0 ? "<world>" : path.fullPathName().asChar(); }

std::vector<std::string> walk(MItDag& iterator, const char* pruneAt = "") {
  std::vector<std::string> names;
  for (; !iterator.isDone(); iterator.next()) {
    MDagPath path;
    EXPECT_TRUE(iterator.getPath(path));
    names.push_back(pathText(path));
    if (names.back() == pruneAt) iterator.prune();
  }
  return names;
}

TEST(DagIterator, OrdersFiltersAndPruning) {
  struct Case {
    MItDag::TraversalType traversal;
    MFn::Type filter;
    const char* pruneAt;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {MItDag::kDepthFirst, MFn::kInvalid, "|a|b",
       {"<world>", "|a", "|a|b", "|a|c", "|d", "|d|dShape", "|lamp", "|lamp|lampShape", "|cam", "|cam|camShape",
        "|pair", "|pair|first", "|pair|second"}},
      {MItDag::kBreadthFirst, MFn::kInvalid, "",
       {"<world>", "|a", "|d", "|lamp", "|cam", "|pair", "|a|b", "|a|c", "|d|dShape", "|lamp|lampShape",
        "|cam|camShape", "|pair|first", "|pair|second", "|a|b|bShape"}},
      // The filter asks each node for its own type: a transform above a mesh is not a mesh here.
      {MItDag::kDepthFirst, MFn::kMesh, "", {"|a|b|bShape", "|d|dShape", "|pair|first", "|pair|second"}},
      {MItDag::kBreadthFirst, MFn::kTransform, "", {"|a", "|d", "|lamp", "|cam", "|pair", "|a|b", "|a|c"}},
      {MItDag::kDepthFirst, MFn::kLight, "", {"|lamp|lampShape"}},
      {MItDag::kDepthFirst, MFn::kNurbsCurve, "", {}},
  };
  buildTree();
  for (const Case& c : cases) {
    MStatus status;
    MItDag iterator(c.traversal, c.filter, &status);
    ASSERT_TRUE(status);
    EXPECT_EQ(walk(iterator, c.pruneAt), c.expected) << "traversal " << c.traversal << " filter " << c.filter;
  }
  // The world comes first, at depth 0. (Its visibility and state: the scene-walk capture tests.)
  MItDag iterator(MItDag::kBreadthFirst);
  EXPECT_EQ(iterator.item().apiType(), MFn::kWorld);
  EXPECT_EQ(iterator.depth(), 0u);
}

TEST(DagIterator, ResetToARootWalksThatSubtreeAndABadRootEndsTheWalk) {
  buildTree();
  struct Case {
    MObject root;
    MStatus::MStatusCode status;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {headless::findNode("a"), MStatus::kSuccess, {"|a", "|a|b", "|a|b|bShape", "|a|c"}},
      {headless::findNode("bShape"), MStatus::kSuccess, {"|a|b|bShape"}},
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

TEST(DagPath, HasFnOnATransformPathAlsoAnswersForTheShapeBelow) {
  struct Case {
    const char* path;
    MFn::Type type;
    bool expected;
  };
  const Case cases[] = {
      {"|d", MFn::kTransform, true},          {"|d", MFn::kMesh, true},
      {"|d", MFn::kShape, true},              {"|d|dShape", MFn::kTransform, false},
      {"|lamp", MFn::kSpotLight, true},       {"|lamp", MFn::kNonAmbientLight, true},
      {"|lamp", MFn::kCamera, false},         {"|lamp|lampShape", MFn::kLight, true},
      {"|cam|camShape", MFn::kCamera, true},  {"|cam|camShape", MFn::kGeometric, false},
      // A transform with only transforms below answers for itself alone.
      {"|a", MFn::kMesh, false},              {"|a|c", MFn::kShape, false},
  };
  buildTree();
  for (const Case& c : cases) {
    MStatus status;
    EXPECT_EQ(headless::pathTo(c.path).hasFn(c.type, &status), c.expected) << c.path << " " << c.type;
    EXPECT_TRUE(status);
  }
  MStatus status;
  MDagPath empty;
  EXPECT_FALSE(empty.hasFn(MFn::kDagNode, &status));
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  EXPECT_TRUE(empty.node(&status).isNull());
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
}

TEST(DagPath, ExtendToShapeUnderEachHostReading) {
  struct Case {
    const char* path;
    bool failOnShape, failWithSeveral;
    MStatus::MStatusCode status;
    const char* result;
  };
  const Case cases[] = {
      {"|d", false, false, MStatus::kSuccess, "|d|dShape"},
      {"|a", false, false, MStatus::kInvalidParameter, "|a"},
      {"|d|dShape", false, false, MStatus::kSuccess, "|d|dShape"},
      {"|d|dShape", true, false, MStatus::kInvalidParameter, "|d|dShape"},
      {"|pair", false, false, MStatus::kSuccess, "|pair|first"},
      {"|pair", false, true, MStatus::kInvalidParameter, "|pair"},
      {"", false, false, MStatus::kFailure, ""},
  };
  for (const Case& c : cases) {
    buildTree();
    headless::hostBehaviour().extendToShapeFailsOnShape = c.failOnShape;
    headless::hostBehaviour().extendToShapeFailsWithSeveralShapes = c.failWithSeveral;
    MDagPath path = c.path[0] != '\0' ? headless::pathTo(c.path) : MDagPath();
    EXPECT_EQ(path.extendToShape().statusCode(), c.status) << c.path;
    EXPECT_STREQ(path.fullPathName().asChar(), c.result) << c.path;
  }
  headless::resetHostBehaviour();
}

TEST(DagPath, NamesLengthsAndEditing) {
  buildTree();
  headless::createTransform("d", headless::findNode("a"));  // a second "d"
  struct Case {
    const char* path;
    unsigned length;
    const char* partial;
  };
  const Case cases[] = {{"|d|dShape", 2, "dShape"}, {"|d", 1, "|d"}, {"|a|d", 2, "a|d"}, {"|a|c", 2, "c"}};
  for (const Case& c : cases) {
    MDagPath path = headless::pathTo(c.path);
    EXPECT_EQ(path.length(), c.length) << c.path;
    EXPECT_STREQ(path.fullPathName().asChar(), c.path);
    EXPECT_STREQ(path.partialPathName().asChar(), c.partial);
  }
  MDagPath path = headless::pathTo("|d|dShape");
  EXPECT_TRUE(path.pop());
  EXPECT_EQ(path.pop(2).statusCode(), MStatus::kInvalidParameter);
  EXPECT_EQ(path.push(headless::findNode("camShape")).statusCode(), MStatus::kInvalidParameter);
  EXPECT_TRUE(path.push(headless::findNode("dShape")) && path == headless::pathTo("|d|dShape"));
}

TEST(DagPath, AnInstancedShapeHasAPathAndANumberPerParentAndIsWalkedOncePerPath) {
  buildTree();
  MObject shape = headless::findNode("dShape");
  ASSERT_TRUE(headless::addInstance(shape, headless::findNode("c")));
  EXPECT_FALSE(headless::addInstance(headless::findNode("a"), headless::findNode("a")));
  MDagPathArray paths;
  ASSERT_TRUE(MDagPath::getAllPathsTo(shape, paths));
  ASSERT_EQ(paths.length(), 2u);
  EXPECT_STREQ(paths[0].fullPathName().asChar(), "|d|dShape");
  EXPECT_STREQ(paths[1].fullPathName().asChar(), "|a|c|dShape");
  for (unsigned i = 0; i < paths.length(); ++i) {
    EXPECT_EQ(paths[i].instanceNumber(), i);
    EXPECT_TRUE(paths[i].isInstanced());
  }
  EXPECT_EQ(MDagPath::getAllPathsTo(headless::createShader("lambert", "flat"), paths).statusCode(),
            MStatus::kInvalidParameter);
  MItDag iterator(MItDag::kDepthFirst, MFn::kMesh);
  iterator.next();
  EXPECT_TRUE(iterator.isInstanced());
  EXPECT_EQ(iterator.instanceCount(true), 2u);
  EXPECT_EQ(walk(iterator), (std::vector<std::string>{"|a|c|dShape", "|d|dShape", "|pair|first", "|pair|second"}));
}

// A chain of transforms deeper than any recursion would survive, with a mesh at the bottom.
TEST(DagPath, AVeryDeepChainIsWalkedAndItsPathsAreFullLength) {
  const int depth = 100000;
  headless::emptyScene();
  MObject parent;
  for (int level = 0; level < depth; ++level) parent = headless::createTransform("level" + std::to_string(level), parent);
  MObject shape = headless::createMesh("leafShape", parent, kTriangle);
  ASSERT_FALSE(shape.isNull());
  int visited = 0;
  unsigned deepest = 0;
  for (MItDag walk(MItDag::kDepthFirst); !walk.isDone(); walk.next(), ++visited) {
    MDagPath path;
    walk.getPath(path);
    deepest = std::max(deepest, path.length());
  }
  EXPECT_EQ(visited, depth + 2);  // the world, the transforms, the mesh
  EXPECT_EQ(deepest, static_cast<unsigned>(depth + 1));
  MItDag breadth(MItDag::kBreadthFirst, MFn::kMesh);
  EXPECT_EQ(breadth.depth(), static_cast<unsigned>(depth + 1));
  EXPECT_FALSE(headless::pathTo(shape).isInstanced());
  EXPECT_TRUE(headless::assign(headless::createShadingGroup("deepSG", MObject()), shape));
}

// Every level instanced under two parents: 2^40 paths to the bottom node, counted and reached without listing.
TEST(DagPath, ADiamondDagReachesAnyPathWithoutListingThem) {
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
  EXPECT_EQ(headless::pathTo(left, 5).instanceNumber(), 5u);
  MItDag walk(MItDag::kDepthFirst, MFn::kTransform);
  EXPECT_EQ(walk.instanceCount(true), 1u);  // left0 has one path
}

}  // namespace
