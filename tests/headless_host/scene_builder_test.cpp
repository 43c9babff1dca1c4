// The scene-building layer the readers stand on: where nodes may go, attribute kinds, what is refused, the scene the
// host starts with (its cameras hidden, so that no export takes them) beside an empty one, the shaders' starting
// values, and sets: the restriction of a shading engine read without its flag and the sets of each instance.
// (Unknown types' and dynamic attributes, names and lookup by path: the reader and corpus tests; the starting lambert1
// and its shading group: the interchange tests; a lambert's and a blinn's starting colour and ambient and a blinn's
// specular colour: the material and model capture logs; a shading group's restriction and upstream walks under both
// host readings: the material assignment and capture tests; connections and values through plugs: the texture,
// lattice and scene-walk capture tests.)
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnPhongShader.h>
#include <maya/MFnSet.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// (Joints, shading engines, render globals and the other types the corpus holds: the Maya ASCII reader and corpus
// tests.)
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
      {"mesh", MObject(), MFn::kInvalid},  // a shape needs a transform
      {"mesh", shape, MFn::kInvalid},
      {"blinn", group, MFn::kInvalid},  // a dependency node has no parent
      {"someLocatorType", group, MFn::kDagNode},
      {"world", MObject(), MFn::kDependencyNode},
  };
  for (const Case& c : cases) EXPECT_EQ(headless::createNode(c.type, "", c.parent).apiType(), c.apiType) << c.type;
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
  headless::setUpAxis(headless::UpAxis::Z);
  headless::emptyScene();
  std::vector<MObject> nodes = headless::allNodes();
  ASSERT_EQ(nodes.size(), 1u);
  EXPECT_EQ(nodes[0].apiType(), MFn::kWorld);
  EXPECT_EQ(headless::upAxis(), headless::UpAxis::Y);
}

TEST(FunctionSets, EveryLambertBasedShaderStartsWithTheHostsValues) {
  headless::emptyScene();
  const MColor black(0, 0, 0, 1);
  for (const char* type : {"lambert", "blinn", "phong", "phongE"}) {
    MFnLambertShader shader(headless::createShader(type, ""));
    EXPECT_EQ(shader.transparency(), black) << type;
    EXPECT_EQ(shader.incandescence(), black) << type;
    EXPECT_FLOAT_EQ(shader.diffuseCoeff(), 0.8f) << type;
    EXPECT_FLOAT_EQ(shader.translucenceCoeff(), 0.0f) << type;
    EXPECT_FLOAT_EQ(shader.glowIntensity(), 0.0f) << type;
    EXPECT_FLOAT_EQ(shader.refractiveIndex(), 1.0f) << type;
    EXPECT_EQ(shader.refractedRayDepthLimit(), 6) << type;
    EXPECT_FALSE(shader.rtRefractedColor()) << type;
  }
  MFnBlinnShader blinn(headless::createShader("blinn", "b"));
  EXPECT_FLOAT_EQ(blinn.eccentricity(), 0.3f);
  EXPECT_FLOAT_EQ(blinn.specularRollOff(), 0.7f);
  EXPECT_FLOAT_EQ(blinn.reflectivity(), 0.5f);
  EXPECT_EQ(blinn.reflectedColor(), black);
  EXPECT_EQ(blinn.reflectedRayDepthLimit(), 1);
  EXPECT_FLOAT_EQ(MFnPhongShader(headless::createShader("phong", "p")).cosPower(), 20.0f);
}

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

std::string nameOf(const MObject& node) { return MFnDependencyNode(node).name().asChar(); }

// (Sets in creation order, each once, across whole-shape and per-face members: the material assignment and capture
// tests.)
TEST(Sets, APlainEngineIsNoRenderableSetAndEachInstanceHasItsOwnSets) {
  headless::emptyScene();
  // A shading engine read from a file without its "renderable only" flag is an ordinary set.
  EXPECT_EQ(MFnSet(headless::createNode("shadingEngine", "plainEngine")).restriction(), MFnSet::kNone);
  MObject shape = headless::createMesh("shape", headless::createTransform("object"), kTriangle);
  MObject group = headless::createShadingGroup("paintSG", headless::createShader("lambert", "flat"));
  ASSERT_TRUE(headless::assign(group, shape));
  ASSERT_TRUE(headless::addInstance(shape, headless::createTransform("other")));
  ASSERT_TRUE(headless::assign(headless::createNode("objectSet", "deformerSet"), shape, 1));
  const std::pair<const char*, std::vector<std::string>> cases[] = {{"|object|shape", {"paintSG"}},
                                                                     {"|other|shape", {"deformerSet"}}};
  for (const auto& c : cases) {
    MSelectionList list;
    list.add(headless::pathTo(c.first), MObject::kNullObj, false);
    MObjectArray sets;
    EXPECT_TRUE(MGlobal::getAssociatedSets(list, sets));
    std::vector<std::string> found;
    for (unsigned i = 0; i < sets.length(); ++i) found.push_back(nameOf(sets[i]));
    EXPECT_EQ(found, c.second) << c.first;
  }
}

}  // namespace
