// DAG paths: type tests on shape and transform paths, extending to the shape, names, instances, editing.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

// |cube|cubeShape, |lamp|lampShape (spot light), |cam|camShape, |group|child, |pair|first + |pair|second
void buildScene() {
  headless::emptyScene();
  headless::resetHostBehaviour();
  headless::createMesh("cubeShape", headless::createTransform("cube"), kTriangle);
  headless::createLight(headless::LightKind::Spot, "lampShape", headless::createTransform("lamp"));
  headless::createCamera("camShape", headless::createTransform("cam"));
  headless::createTransform("child", headless::createTransform("group"));
  MObject pair = headless::createTransform("pair");
  headless::createMesh("first", pair, kTriangle);
  headless::createMesh("second", pair, kTriangle);
}

TEST(DagPath, HasFnOnATransformPathAlsoAnswersForTheShapeBelow) {
  struct Case {
    const char* path;
    MFn::Type type;
    bool expected;
  };
  const Case cases[] = {
      {"|cube", MFn::kTransform, true},       {"|cube", MFn::kMesh, true},
      {"|cube", MFn::kShape, true},           {"|cube|cubeShape", MFn::kMesh, true},
      {"|cube|cubeShape", MFn::kTransform, false},
      {"|lamp", MFn::kLight, true},           {"|lamp", MFn::kSpotLight, true},
      {"|lamp", MFn::kNonAmbientLight, true}, {"|lamp", MFn::kTransform, true},
      {"|lamp|lampShape", MFn::kLight, true}, {"|lamp|lampShape", MFn::kTransform, false},
      {"|lamp", MFn::kCamera, false},         {"|cam|camShape", MFn::kCamera, true},
      {"|cam|camShape", MFn::kGeometric, false},
      // A transform with only transforms below answers for itself alone.
      {"|group", MFn::kMesh, false},          {"|group", MFn::kShape, false},
      {"|group|child", MFn::kTransform, true},
  };
  buildScene();
  for (const Case& c : cases) {
    MDagPath path = headless::pathTo(c.path);
    ASSERT_TRUE(path.isValid()) << c.path;
    MStatus status;
    EXPECT_EQ(path.hasFn(c.type, &status), c.expected) << c.path << " " << c.type;
    EXPECT_TRUE(status);
  }
  MStatus status;
  MDagPath empty;
  EXPECT_FALSE(empty.hasFn(MFn::kDagNode, &status));
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  EXPECT_TRUE(empty.node(&status).isNull());
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  EXPECT_FALSE(empty.isValid());
}

TEST(DagPath, ExtendToShapeAndItsUnsettledCases) {
  struct Case {
    const char* path;
    bool failOnShape;
    bool failWithSeveral;
    MStatus::MStatusCode status;
    const char* result;
  };
  const Case cases[] = {
      {"|cube", false, false, MStatus::kSuccess, "|cube|cubeShape"},
      {"|group", false, false, MStatus::kInvalidParameter, "|group"},
      {"|cube|cubeShape", false, false, MStatus::kSuccess, "|cube|cubeShape"},
      {"|cube|cubeShape", true, false, MStatus::kInvalidParameter, "|cube|cubeShape"},
      {"|pair", false, false, MStatus::kSuccess, "|pair|first"},
      {"|pair", false, true, MStatus::kInvalidParameter, "|pair"},
  };
  for (const Case& c : cases) {
    buildScene();
    headless::hostBehaviour().extendToShapeFailsOnShape = c.failOnShape;
    headless::hostBehaviour().extendToShapeFailsWithSeveralShapes = c.failWithSeveral;
    MDagPath path = headless::pathTo(c.path);
    EXPECT_EQ(path.extendToShape().statusCode(), c.status) << c.path;
    EXPECT_STREQ(path.fullPathName().asChar(), c.result) << c.path;
  }
  headless::resetHostBehaviour();
  MDagPath empty;
  EXPECT_EQ(empty.extendToShape().statusCode(), MStatus::kFailure);
}

TEST(DagPath, NamesLengthsAndEditing) {
  buildScene();
  MObject extra = headless::createTransform("cube", headless::findNode("group"));  // a second "cube"
  ASSERT_FALSE(extra.isNull());
  struct Case {
    const char* path;
    unsigned length;
    const char* partial;
  };
  const Case cases[] = {
      {"|cube|cubeShape", 2, "cubeShape"},
      {"|cube", 1, "|cube"},
      {"|group|cube", 2, "group|cube"},
      {"|group|child", 2, "child"},
  };
  for (const Case& c : cases) {
    MDagPath path = headless::pathTo(c.path);
    EXPECT_EQ(path.length(), c.length) << c.path;
    EXPECT_STREQ(path.fullPathName().asChar(), c.path);
    EXPECT_STREQ(path.partialPathName().asChar(), c.partial);
  }
  MDagPath path = headless::pathTo("|cube|cubeShape");
  EXPECT_EQ(path.transform().apiType(), MFn::kTransform);
  EXPECT_TRUE(path.pop());
  EXPECT_STREQ(path.fullPathName().asChar(), "|cube");
  EXPECT_EQ(path.pop(2).statusCode(), MStatus::kInvalidParameter);
  EXPECT_TRUE(path.push(headless::findNode("cubeShape")));
  EXPECT_EQ(path.push(headless::findNode("camShape")).statusCode(), MStatus::kInvalidParameter);
  EXPECT_TRUE(path == headless::pathTo("|cube|cubeShape"));
}

TEST(DagPath, EveryInstanceHasItsOwnPathAndNumber) {
  buildScene();
  MObject shape = headless::findNode("cubeShape");
  ASSERT_TRUE(headless::addInstance(shape, headless::findNode("child")));
  MDagPathArray paths;
  ASSERT_TRUE(MDagPath::getAllPathsTo(shape, paths));
  ASSERT_EQ(paths.length(), 2u);
  EXPECT_STREQ(paths[0].fullPathName().asChar(), "|cube|cubeShape");
  EXPECT_STREQ(paths[1].fullPathName().asChar(), "|group|child|cubeShape");
  for (unsigned i = 0; i < paths.length(); ++i) {
    EXPECT_EQ(paths[i].instanceNumber(), i);
    EXPECT_TRUE(paths[i].isInstanced());
  }
  EXPECT_EQ(MDagPath::getAllPathsTo(headless::createShader("lambert", "flat"), paths).statusCode(),
            MStatus::kInvalidParameter);
}

}  // namespace
