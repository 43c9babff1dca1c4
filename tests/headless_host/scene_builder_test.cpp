// The scene-building layer the readers stand on: where nodes may go, attribute kinds, what is refused, and the
// scene the host starts with (its cameras hidden, so that no export takes them) beside an empty one. (Unknown types'
// and dynamic attributes, names and lookup by path: the Maya ASCII reader and corpus tests.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MItDag.h>
#include <maya/MPlug.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

TEST(SceneBuilder, NodeTypesAndWhereNodesMayGo) {
  headless::emptyScene();
  MObject group = headless::createTransform("group");
  MObject shape = headless::createNode("mesh", "meshShape", group);
  struct Case {
    const char* type;
    MObject parent;
    MFn::Type apiType;  // kInvalid: refused
  };
  const Case cases[] = {
      {"joint", group, MFn::kJoint},
      {"shadingEngine", MObject(), MFn::kShadingEngine},
      {"mesh", MObject(), MFn::kInvalid},  // a shape needs a transform
      {"mesh", shape, MFn::kInvalid},
      {"blinn", group, MFn::kInvalid},  // a dependency node has no parent
      {"renderGlobals", MObject(), MFn::kDependencyNode},
      {"someLocatorType", group, MFn::kDagNode},
      {"world", MObject(), MFn::kDependencyNode},
  };
  for (const Case& c : cases) EXPECT_EQ(headless::createNode(c.type, "", c.parent).apiType(), c.apiType) << c.type;
  EXPECT_STREQ(MFnDependencyNode(headless::createNode("renderGlobals", "globals")).typeName().asChar(), "renderGlobals");
}

// (Long and short names, and angles in degrees in the scene and radians through the API: the Maya ASCII reader's
// unit test and the light capture test.)
TEST(SceneBuilder, AttributesRefuseWhatDoesNotFitTheirKind) {
  headless::emptyScene();
  MObject t = headless::createTransform("t");
  const std::pair<const char*, std::vector<double>> refused[] = {
      {"noSuchAttribute", {1}}, {"translate", {1, 2}}, {"message", {1}}, {"tx", {1, 2}}};
  for (const auto& r : refused) EXPECT_FALSE(headless::setAttr(t, r.first, r.second)) << r.first;
  EXPECT_FALSE(headless::setAttr(t, "translate", "text"));
  EXPECT_TRUE(headless::hasAttribute(t, "iog[0].og[1].gcl"));
  // Booleans and integers keep values of their kind; NaN is refused; reading back narrows without overflowing.
  MObject light = headless::createLight(headless::LightKind::Point, "lampShape", t);
  const double nan = std::nan("");
  struct Case {
    const char* attribute;
    double value;
    bool accepted;
    double stored;
  };
  const Case cases[] = {
      {"intermediateObject", 0.5, true, 1},  {"intermediateObject", 0, true, 0},
      {"intermediateObject", nan, false, 0}, {"decayRate", -2.7, true, -2},
      {"decayRate", nan, false, -2},         {"decayRate", 1e30, true, 2147483647},
      {"intensity", 0.25, true, 0.25},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(headless::setAttr(light, c.attribute, c.value), c.accepted) << c.attribute << " " << c.value;
    double stored = 0;
    ASSERT_TRUE(headless::getAttr(light, c.attribute, stored));
    EXPECT_EQ(stored, c.stored) << c.attribute << " " << c.value;
  }
  short decay = 0;
  EXPECT_TRUE(MFnDependencyNode(light).findPlug("decayRate").getValue(decay));
  EXPECT_EQ(decay, 32767);
  ASSERT_TRUE(headless::setAttr(light, "intensity", nan));
  int asInt = 5;
  EXPECT_TRUE(MFnDependencyNode(light).findPlug("intensity").getValue(asInt));
  EXPECT_EQ(asInt, 0);
}

TEST(SceneBuilder, ANewSceneHasFourCamerasUnderHiddenTransformsAndAnEmptyOneOnlyTheWorld) {
  headless::newScene();
  std::vector<std::string> cameras;
  for (MItDag walk(MItDag::kBreadthFirst, MFn::kCamera); !walk.isDone(); walk.next()) {
    MDagPath shape;
    walk.getPath(shape);
    cameras.push_back(shape.fullPathName().asChar());
    bool visible = true;
    MFnDagNode(headless::pathTo(MFnDagNode(shape).parent(0))).findPlug("visibility").getValue(visible);
    EXPECT_FALSE(visible) << cameras.back();
  }
  EXPECT_EQ(cameras, (std::vector<std::string>{"|persp|perspShape", "|top|topShape", "|front|frontShape",
                                               "|side|sideShape"}));
  EXPECT_FALSE(headless::findNode("initialShadingGroup").isNull());
  EXPECT_FALSE(headless::findNode("lambert1").isNull());
  headless::setUpAxis(headless::UpAxis::Z);
  headless::emptyScene();
  std::vector<MObject> nodes = headless::allNodes();
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].apiType(), MFn::kWorld);
  EXPECT_EQ(headless::upAxis(), headless::UpAxis::Y);
}

}  // namespace
