// Shading: a textured cube built in a few lines, the shader sets' readings and the host's default values.
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnPhongShader.h>
#include <maya/MFnReflectShader.h>
#include <maya/MFnSet.h>
#include <maya/MFnStringData.h>
#include <maya/MGlobal.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

namespace {

headless::MeshData cube() {
  headless::MeshData data;
  data.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  data.faces = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
  return data;
}

TEST(Shaders, ACubeWithABlinnAndAFileTextureOnItsColour) {
  headless::newScene();
  MObject box = headless::createMesh("boxShape", headless::createTransform("box"), cube());
  MObject shiny = headless::createShader("blinn", "shiny");
  headless::connectTexture(headless::createFileTexture("wood", "sourceimages/wood.png"), shiny);
  headless::assign(headless::createShadingGroup("shinySG", shiny), box);

  // What an exporter does: the shape's shading group, the blinn upstream of it, the file on its colour.
  MSelectionList list;
  list.add(headless::pathTo("|box|boxShape"), MObject::kNullObj, false);
  MObjectArray sets;
  ASSERT_TRUE(MGlobal::getAssociatedSets(list, sets));
  ASSERT_EQ(sets.length(), 1u);
  ASSERT_EQ(MFnSet(sets[0]).restriction(), MFnSet::kRenderableOnly);
  MObject group = sets[0];
  MStatus status;
  MItDependencyGraph walk(group, MFn::kBlinn, MItDependencyGraph::kUpstream, MItDependencyGraph::kDepthFirst,
                          MItDependencyGraph::kNodeLevel, &status);
  ASSERT_TRUE(status);
  walk.disablePruningOnFilter();
  ASSERT_FALSE(walk.isDone());
  MFnBlinnShader blinn(walk.thisNode(), &status);
  ASSERT_TRUE(status);
  EXPECT_STREQ(blinn.name().asChar(), "shiny");
  MPlugArray feeding;
  blinn.findPlug("color").connectedTo(feeding, true, false);
  ASSERT_EQ(feeding.length(), 1u);
  MObject file = feeding[0].node();
  ASSERT_EQ(file.apiType(), MFn::kFileTexture);
  MFnDependencyNode fileNode(file);
  MObject name;
  ASSERT_TRUE(MPlug(file, fileNode.attribute("fileTextureName")).getValue(name, MDGContext::fsNormal));
  EXPECT_STREQ(MFnStringData(name).string().asChar(), "sourceimages/wood.png");
}

TEST(Shaders, DefaultValuesThroughTheShaderSets) {
  headless::emptyScene();
  // Every lambert-based type starts with the lambert's values.
  const MColor black(0, 0, 0, 1);
  for (const char* type : {"lambert", "blinn", "phong", "phongE"}) {
    MStatus status;
    MFnLambertShader shader(headless::createShader(type, ""), &status);
    ASSERT_TRUE(status) << type;
    EXPECT_EQ(shader.color(&status), MColor(0.5f, 0.5f, 0.5f, 1.0f)) << type;
    EXPECT_TRUE(status);
    EXPECT_EQ(shader.transparency(), black) << type;
    EXPECT_EQ(shader.ambientColor(), black) << type;
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
  EXPECT_EQ(blinn.specularColor(), MColor(0.5f, 0.5f, 0.5f, 1.0f));
  EXPECT_FLOAT_EQ(blinn.reflectivity(), 0.5f);
  EXPECT_EQ(blinn.reflectedColor(), MColor(0, 0, 0, 1));
  EXPECT_EQ(blinn.reflectedRayDepthLimit(), 1);
  MFnPhongShader phong(headless::createShader("phong", "p"));
  EXPECT_FLOAT_EQ(phong.cosPower(), 20.0f);
}

TEST(Shaders, ValuesSetByNameAreReadBackByTheSets) {
  headless::emptyScene();
  MObject node = headless::createShader("blinn", "shiny");
  headless::setAttr(node, "c", std::vector<double>{0.8, 0.1, 0.1});
  headless::setAttr(node, "transparencyG", 0.25);
  headless::setAttr(node, "ec", 0.15);
  headless::setAttr(node, "specularRollOff", 0.4);
  headless::setAttr(node, "rfl", 0.9);
  MFnBlinnShader blinn(node);
  EXPECT_EQ(blinn.color(), MColor(0.8f, 0.1f, 0.1f, 1.0f));
  EXPECT_EQ(blinn.transparency(), MColor(0.0f, 0.25f, 0.0f, 1.0f));
  EXPECT_FLOAT_EQ(blinn.eccentricity(), 0.15f);
  EXPECT_FLOAT_EQ(blinn.specularRollOff(), 0.4f);
  EXPECT_FLOAT_EQ(blinn.reflectivity(), 0.9f);
  EXPECT_TRUE(blinn.setColor(MColor(0, 1, 0)));
  std::vector<double> colour;
  ASSERT_TRUE(headless::getAttr(node, "color", colour));
  EXPECT_EQ(colour, (std::vector<double>{0, 1, 0}));
}

}  // namespace
