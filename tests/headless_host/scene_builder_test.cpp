// The generic scene-building layer: node types, attribute names and units, connections, names and paths.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFileIO.h>
#include <maya/MPlug.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

const double kPi = 3.14159265358979323846;

TEST(SceneBuilder, NodeTypesAndWhereNodesMayGo) {
  headless::emptyScene();
  MObject group = headless::createTransform("group");
  MObject shape = headless::createNode("mesh", "meshShape", group);
  struct Case {
    const char* type;
    MObject parent;
    bool created;
    MFn::Type apiType;
  };
  const Case cases[] = {
      {"transform", MObject(), true, MFn::kTransform},
      {"joint", group, true, MFn::kJoint},
      {"blinn", MObject(), true, MFn::kBlinn},
      {"shadingEngine", MObject(), true, MFn::kShadingEngine},
      {"mesh", group, true, MFn::kMesh},
      {"mesh", MObject(), false, MFn::kInvalid},  // a shape needs a transform
      {"mesh", shape, false, MFn::kInvalid},
      {"blinn", group, false, MFn::kInvalid},     // a dependency node has no parent
      {"renderGlobals", MObject(), true, MFn::kDependencyNode},
      {"someLocatorType", group, true, MFn::kDagNode},
      {"world", MObject(), true, MFn::kDependencyNode},
  };
  for (const Case& c : cases) {
    MObject node = headless::createNode(c.type, "", c.parent);
    EXPECT_EQ(!node.isNull(), c.created) << c.type;
    EXPECT_EQ(node.apiType(), c.apiType) << c.type;
  }
  MFnDependencyNode unknown(headless::createNode("renderGlobals", "globals"));
  EXPECT_STREQ(unknown.typeName().asChar(), "renderGlobals");
}

TEST(SceneBuilder, AttributesByLongOrShortNameWithAnglesInDegrees) {
  headless::emptyScene();
  MObject t = headless::createTransform("t");
  struct Case {
    const char* set;
    std::vector<double> value;
    const char* read;
    std::vector<double> expected;
  };
  const Case cases[] = {
      {"t", {1, 2, 3}, "translate", {1, 2, 3}},
      {"translateY", {5}, "t", {1, 5, 3}},
      {"ty", {6}, "translateY", {6}},
      {"r", {90, 0, 45}, "rotate", {90, 0, 45}},
      {"rotateZ", {30}, "rz", {30}},
      {"s", {2, 2, 2}, "scale", {2, 2, 2}},
      {"v", {0}, "visibility", {0}},
      {"ro", {3}, "rotateOrder", {3}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.value.size() == 1 ? headless::setAttr(t, c.set, c.value[0]) : headless::setAttr(t, c.set, c.value))
        << c.set;
    std::vector<double> read;
    ASSERT_TRUE(headless::getAttr(t, c.read, read)) << c.read;
    ASSERT_EQ(read.size(), c.expected.size());
    for (size_t i = 0; i < read.size(); ++i) EXPECT_NEAR(read[i], c.expected[i], 1e-12) << c.read;
  }
  // What the API sees of an angle is radians.
  MObject spot = headless::createLight(headless::LightKind::Spot, "spotShape", t);
  ASSERT_TRUE(headless::setAttr(spot, "coneAngle", 60.0));
  double radians = 0;
  MFnDependencyNode(spot).findPlug("ca").getValue(radians);
  EXPECT_NEAR(radians, kPi / 3, 1e-12);
  struct Refused {
    const char* attribute;
    std::vector<double> value;
  };
  const Refused refused[] = {{"noSuchAttribute", {1}}, {"translate", {1, 2}}, {"message", {1}}, {"tx", {1, 2}}};
  for (const Refused& r : refused) EXPECT_FALSE(headless::setAttr(t, r.attribute, r.value)) << r.attribute;
  EXPECT_FALSE(headless::setAttr(t, "translate", "text"));
  EXPECT_FALSE(headless::hasAttribute(t, "noSuchAttribute"));
  EXPECT_TRUE(headless::hasAttribute(t, "iog[0].og[1].gcl"));
}

TEST(SceneBuilder, BooleanAndIntegerAttributesKeepValuesOfTheirKind) {
  headless::emptyScene();
  MObject light = headless::createLight(headless::LightKind::Point, "lampShape", headless::createTransform("lamp"));
  struct Case {
    const char* attribute;
    double value;
    bool accepted;
    double stored;
  };
  const double nan = std::nan("");
  const Case cases[] = {
      {"intermediateObject", 0.5, true, 1},  {"intermediateObject", 0, true, 0},
      {"intermediateObject", nan, false, 0}, {"decayRate", 2.7, true, 2},
      {"decayRate", -2.7, true, -2},         {"decayRate", nan, false, -2},
      {"decayRate", 1e30, true, 2147483647}, {"intensity", 0.25, true, 0.25},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(headless::setAttr(light, c.attribute, c.value), c.accepted) << c.attribute << " " << c.value;
    double stored = 0;
    ASSERT_TRUE(headless::getAttr(light, c.attribute, stored));
    EXPECT_EQ(stored, c.stored) << c.attribute << " " << c.value;
  }
  // Reading back through the API narrows without overflowing.
  short decay = 0;
  EXPECT_TRUE(MFnDependencyNode(light).findPlug("decayRate").getValue(decay));
  EXPECT_EQ(decay, 32767);
  ASSERT_TRUE(headless::setAttr(light, "intensity", nan));
  int asInt = 5;
  EXPECT_TRUE(MFnDependencyNode(light).findPlug("intensity").getValue(asInt));
  EXPECT_EQ(asInt, 0);
}

TEST(SceneBuilder, UnknownTypesAndDynamicAttributesTakeAnyName) {
  headless::emptyScene();
  MObject globals = headless::createNode("renderGlobals", "globals");
  EXPECT_TRUE(headless::setAttr(globals, "imageFormat", 32.0));
  EXPECT_TRUE(headless::setAttr(globals, "prefix", "shot"));
  EXPECT_TRUE(headless::setAttr(globals, "res", std::vector<double>{640, 480, 1}));
  std::string prefix;
  EXPECT_TRUE(headless::getAttr(globals, "prefix", prefix));
  EXPECT_EQ(prefix, "shot");
  MObject shader = headless::createShader("lambert", "flat");
  EXPECT_FALSE(headless::setAttr(shader, "customGloss", 0.5));
  ASSERT_TRUE(headless::addAttribute(shader, "customGloss", "cgl", headless::AttributeKind::Double));
  EXPECT_FALSE(headless::addAttribute(shader, "customGloss", "x", headless::AttributeKind::Double));
  EXPECT_TRUE(headless::setAttr(shader, "cgl", 0.5));
  double gloss = 0;
  EXPECT_TRUE(headless::getAttr(shader, "customGloss", gloss));
  EXPECT_EQ(gloss, 0.5);
}

TEST(SceneBuilder, NamesPathsAndLookup) {
  headless::emptyScene();
  MObject a = headless::createTransform("a");
  MObject b = headless::createTransform("b");
  MObject childOfA = headless::createTransform("child", a);
  headless::createTransform("child", b);
  MObject first = headless::createShader("lambert", "paint");
  MObject second = headless::createShader("lambert", "paint");
  EXPECT_STREQ(MFnDependencyNode(second).name().asChar(), "paint1");
  EXPECT_STREQ(MFnDependencyNode(headless::createShader("blinn", "")).name().asChar(), "blinn1");
  struct Case {
    const char* name;
    bool found;
  };
  const Case cases[] = {{"a", true},         {"|a|child", true}, {"a|child", true}, {"child", false},
                        {"paint", true},     {"paint1", true},   {"|child", false}, {"missing", false},
                        {"", false}};
  for (const Case& c : cases) EXPECT_EQ(!headless::findNode(c.name).isNull(), c.found) << c.name;
  EXPECT_EQ(headless::findNode("|a|child"), childOfA);
  EXPECT_EQ(headless::findNode("paint"), first);
  EXPECT_FALSE(headless::rename(second, "paint"));
  EXPECT_TRUE(headless::rename(second, "varnish"));
  EXPECT_EQ(headless::findNode("varnish"), second);
  // Reparenting moves the node and its sub-tree; a cycle is refused.
  EXPECT_TRUE(headless::reparent(childOfA, b));
  EXPECT_TRUE(headless::pathTo("|b|child").isValid() == false);  // two children of b named "child" now
  EXPECT_FALSE(headless::reparent(b, childOfA));
  EXPECT_TRUE(headless::reparent(childOfA, MObject()));
  EXPECT_TRUE(headless::pathTo("|child").isValid());
  EXPECT_FALSE(headless::addInstance(a, a));
}

TEST(SceneBuilder, CurrentFile) {
  headless::emptyScene();
  EXPECT_STREQ(MFileIO::currentFile().asChar(), "");
  headless::setCurrentFile("/scenes/shot.ma");
  EXPECT_STREQ(MFileIO::currentFile().asChar(), "/scenes/shot.ma");
}

}  // namespace
