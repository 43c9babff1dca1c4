// The host's starting values read through the shader sets. (A set refused by a node of another kind: the mesh
// capture's refusal test; the starting colour and ambient of a lambert and a blinn and a blinn's specular colour:
// the logs of the material and model capture tests.)
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnPhongShader.h>

#include <gtest/gtest.h>

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

}  // namespace
