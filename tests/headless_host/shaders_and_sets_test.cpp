// Shaders and sets: the host's starting values read through the shader sets, the restriction of a shading engine
// read without its flag, and the sets of each instance. (The starting colour and ambient of a lambert and a blinn
// and a blinn's specular colour: the logs of the material and model capture tests; a shading group's restriction,
// and upstream walks finding shaders and textures behind other nodes under both host readings: the material
// assignment and capture tests; connections and values through plugs: the texture, lattice and scene-walk capture
// tests.)
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnPhongShader.h>
#include <maya/MFnSet.h>
#include <maya/MGlobal.h>
#include <maya/MObjectArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
