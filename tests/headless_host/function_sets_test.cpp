// Function sets without a live object, and the host's starting values read through the shader sets. (What each
// set attaches to: the capture tests, which attach the sets the plug-in uses to every kind of node.)
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnMesh.h>
#include <maya/MFnPhongShader.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

namespace {

TEST(FunctionSets, WithoutAnObjectOrWithOneOfAnOldSceneGettersFail) {
  headless::emptyScene();
  MObject flat = headless::createShader("lambert", "flat");
  MFnDependencyNode fn(flat);
  headless::emptyScene();
  EXPECT_TRUE(flat.isNull());
  EXPECT_EQ(flat.apiType(), MFn::kInvalid);
  MStatus status;
  fn.name(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  EXPECT_EQ(MFnDependencyNode(flat, &status).object(), MObject());
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  EXPECT_EQ(MFnDependencyNode().name(&status), MString(""));
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MFnLambertShader().color(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
  MFnMesh().numVertices(&status);
  EXPECT_EQ(status.statusCode(), MStatus::kFailure);
}

TEST(FunctionSets, EveryLambertBasedShaderStartsWithTheHostsValues) {
  headless::emptyScene();
  const MColor black(0, 0, 0, 1), grey(0.5f, 0.5f, 0.5f, 1.0f);
  for (const char* type : {"lambert", "blinn", "phong", "phongE"}) {
    MFnLambertShader shader(headless::createShader(type, ""));
    EXPECT_EQ(shader.color(), grey) << type;
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
  EXPECT_EQ(blinn.specularColor(), grey);
  EXPECT_FLOAT_EQ(blinn.reflectivity(), 0.5f);
  EXPECT_EQ(blinn.reflectedColor(), black);
  EXPECT_EQ(blinn.reflectedRayDepthLimit(), 1);
  EXPECT_FLOAT_EQ(MFnPhongShader(headless::createShader("phong", "p")).cosPower(), 20.0f);
}

}  // namespace
