// Lights: the function-set family on shape and transform paths, values and the two light directions.
// (A light's transform is an ordinary one: transform_matrix_test.)
#include <headless/scene.h>
#include <maya/MColor.h>
#include <maya/MDagPath.h>
#include <maya/MFloatVector.h>
#include <maya/MFnLight.h>
#include <maya/MFnNonAmbientLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const double kPi = 3.14159265358979323846;

void buildLights() {
  headless::emptyScene();
  MObject key = headless::createTransform("key");
  headless::setTranslate(key, 0, 10, 0);
  headless::setRotate(key, -90, 0, 0);  // points straight down
  headless::createLight(headless::LightKind::Spot, "keyShape", key);
  headless::createLight(headless::LightKind::Point, "fillShape", headless::createTransform("fill"));
  headless::createLight(headless::LightKind::Ambient, "baseShape", headless::createTransform("base"));
  headless::createLight(headless::LightKind::Directional, "sunShape", headless::createTransform("sun"));
}

TEST(Light, FunctionSetsAttachToTheLightTransformAccordingToTheShape) {
  buildLights();
  struct Case {
    const char* path;
    bool light, nonAmbient, spot;
  };
  const Case cases[] = {
      {"|key", true, true, true},     {"|key|keyShape", true, true, true}, {"|fill", true, true, false},
      {"|base", true, false, false},  {"|sun", true, true, false},
  };
  for (const Case& c : cases) {
    MDagPath path = headless::pathTo(c.path);
    MStatus light, nonAmbient, spot;
    MFnLight a(path, &light);
    MFnNonAmbientLight b(path, &nonAmbient);
    MFnSpotLight s(path, &spot);
    EXPECT_EQ(static_cast<bool>(light), c.light) << c.path;
    EXPECT_EQ(static_cast<bool>(nonAmbient), c.nonAmbient) << c.path;
    EXPECT_EQ(static_cast<bool>(spot), c.spot) << c.path;
    if (!spot) {
      EXPECT_EQ(spot.statusCode(), MStatus::kInvalidParameter);
    }
  }
}

TEST(Light, ValuesAndDefaults) {
  buildLights();
  MDagPath key = headless::pathTo("|key");
  MFnSpotLight spot(key);
  EXPECT_EQ(spot.color(), MColor(1, 1, 1, 1));
  EXPECT_FLOAT_EQ(spot.intensity(), 1.0f);
  EXPECT_EQ(spot.decayRate(), 0);
  EXPECT_NEAR(spot.coneAngle(), 40.0 * kPi / 180.0, 1e-12);
  EXPECT_DOUBLE_EQ(spot.dropOff(), 0.0);
  MObject shape = headless::findNode("keyShape");
  headless::setAttr(shape, "cl", std::vector<double>{1, 0.9, 0.8});
  headless::setAttr(shape, "in", 2.5);
  headless::setAttr(shape, "de", 2.0);
  headless::setAttr(shape, "ca", 30.0);  // degrees in, radians out
  headless::setAttr(shape, "dro", 4.0);
  EXPECT_EQ(spot.color(), MColor(1, 0.9f, 0.8f, 1));
  EXPECT_FLOAT_EQ(spot.intensity(), 2.5f);
  EXPECT_EQ(spot.decayRate(), 2);
  EXPECT_NEAR(spot.coneAngle(), kPi / 6, 1e-12);
  EXPECT_DOUBLE_EQ(spot.dropOff(), 4.0);
}

TEST(Light, DirectionOfAnInstanceAndTheRenderAttribute) {
  buildLights();
  MFnLight light(headless::pathTo("|key"));
  // -Z turned -90 degrees about X points down.
  EXPECT_TRUE(MVector(light.lightDirection(0, MSpace::kWorld)).isEquivalent(MVector(0, -1, 0), 1e-6));
  EXPECT_TRUE(MVector(light.lightDirection(0, MSpace::kObject)).isEquivalent(MVector(0, 0, -1), 1e-6));
  MStatus status;
  light.lightDirection(1, MSpace::kWorld, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  // Outside rendering the render attribute is zero.
  EXPECT_EQ(light.lightDirection(&status), MFloatVector(0, 0, 0));
  EXPECT_TRUE(status);
  // A second instance under a scaled transform: the direction is not normalised.
  MObject big = headless::createTransform("big");
  headless::setScale(big, 3, 3, 3);
  ASSERT_TRUE(headless::addInstance(headless::findNode("keyShape"), big));
  EXPECT_TRUE(MVector(light.lightDirection(1, MSpace::kWorld)).isEquivalent(MVector(0, 0, -3), 1e-6));
}

}  // namespace
