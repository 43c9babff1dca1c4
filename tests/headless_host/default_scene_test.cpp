// The scene the host starts with, beside a truly empty one.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnCamera.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnSet.h>
#include <maya/MItDag.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MPlug.h>
#include <maya/MPoint.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool visible(const MDagPath& path) {
  bool value = false;
  MFnDagNode(path).findPlug("visibility").getValue(value);
  return value;
}

TEST(DefaultScene, FourCamerasUnderHiddenTransformsAndTheDefaultShader) {
  headless::newScene();
  struct Case {
    const char* transform;
    const char* shape;
    bool orthographic;
  };
  const Case cases[] = {{"|persp", "|persp|perspShape", false},
                        {"|top", "|top|topShape", true},
                        {"|front", "|front|frontShape", true},
                        {"|side", "|side|sideShape", true}};
  for (const Case& c : cases) {
    MDagPath transform = headless::pathTo(c.transform);
    MDagPath shape = headless::pathTo(c.shape);
    ASSERT_TRUE(shape.isValid()) << c.shape;
    EXPECT_FALSE(visible(transform)) << c.transform;
    EXPECT_TRUE(visible(shape)) << c.shape;
    EXPECT_TRUE(shape.hasFn(MFn::kCamera));
    EXPECT_EQ(MFnCamera(shape).isOrtho(), c.orthographic);
    EXPECT_TRUE(MFnDependencyNode(shape.node()).isDefaultNode());
  }
  std::vector<std::string> cameras;
  for (MItDag walk(MItDag::kBreadthFirst, MFn::kCamera); !walk.isDone(); walk.next()) {
    cameras.push_back(MFnDependencyNode(walk.item()).name().asChar());
  }
  EXPECT_EQ(cameras, (std::vector<std::string>{"perspShape", "topShape", "frontShape", "sideShape"}));
  MObject group = headless::findNode("initialShadingGroup");
  ASSERT_FALSE(group.isNull());
  EXPECT_EQ(MFnSet(group).restriction(), MFnSet::kRenderableOnly);
  MItDependencyGraph shaders(group, MFn::kLambert, MItDependencyGraph::kUpstream);
  shaders.disablePruningOnFilter();
  ASSERT_FALSE(shaders.isDone());
  EXPECT_STREQ(MFnDependencyNode(shaders.thisNode()).name().asChar(), "lambert1");
  // The perspective camera sits where the host puts it, looking at the origin.
  MFnCamera persp(headless::pathTo("|persp|perspShape"));
  EXPECT_TRUE(persp.eyePoint(MSpace::kWorld).isEquivalent(MPoint(28, 21, 28), 1e-9));
  EXPECT_TRUE(persp.centerOfInterestPoint(MSpace::kWorld).isEquivalent(MPoint(0, 0, 0), 1e-3));
}

TEST(DefaultScene, AnEmptySceneHasOnlyTheWorld) {
  headless::newScene();
  headless::setWorkspaceRoot("/somewhere");
  headless::setCurrentFile("/somewhere/scene.ma");
  headless::setUpAxis(headless::UpAxis::Z);
  headless::emptyScene();
  std::vector<MObject> nodes = headless::allNodes();
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].apiType(), MFn::kWorld);
  EXPECT_EQ(headless::upAxis(), headless::UpAxis::Y);
  EXPECT_TRUE(headless::findNode("persp").isNull());
  MItDag walk;
  walk.next();
  EXPECT_TRUE(walk.isDone());
}

}  // namespace
