// Cameras: eye point, view and up directions and centre of interest in world space; fields of view; defaults.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnCamera.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>


namespace {

const double kPi = 3.14159265358979323846;

// rig: translated (1,2,3), turned 90 degrees about Z, scaled by 2; shot: 5 units along rig's +Z.
MObject buildCamera() {
  headless::emptyScene();
  MObject rig = headless::createTransform("rig");
  headless::setTranslate(rig, 1, 2, 3);
  headless::setRotate(rig, 0, 0, 90);
  headless::setScale(rig, 2, 2, 2);
  MObject shot = headless::createTransform("shot", rig);
  headless::setTranslate(shot, 0, 0, 5);
  return headless::createCamera("shotShape", shot);
}

TEST(Camera, EyePointAndDirectionsUnderATranslatedRotatedScaledParent) {
  buildCamera();
  MStatus status;
  MFnCamera camera(headless::pathTo("|rig|shot|shotShape"), &status);
  ASSERT_TRUE(status);
  // (0,0,5) scaled to (0,0,10); the turn about Z leaves it; moved to (1,2,13). -Z stays -Z; +Y turns to -X.
  struct Case {
    const char* what;
    MPoint got, expected;
  };
  const Case cases[] = {
      {"eye", camera.eyePoint(MSpace::kWorld), {1, 2, 13}},
      {"view", MPoint(camera.viewDirection(MSpace::kWorld)), {0, 0, -1}},
      {"up", MPoint(camera.upDirection(MSpace::kWorld)), {-1, 0, 0}},
      {"right", MPoint(camera.rightDirection(MSpace::kWorld)), {0, 1, 0}},
      // The default centre of interest is 5 units ahead.
      {"centre of interest", camera.centerOfInterestPoint(MSpace::kWorld), {1, 2, 8}},
      {"eye in object space", camera.eyePoint(MSpace::kObject), {0, 0, 0}},
      {"up in object space", MPoint(camera.upDirection(MSpace::kObject)), {0, 1, 0}},
  };
  for (const Case& c : cases) EXPECT_TRUE(c.got.isEquivalent(c.expected, 1e-9)) << c.what;
}

TEST(Camera, DefaultsFlagsAndFieldsOfView) {
  MObject shape = buildCamera();
  MFnCamera camera(shape);
  EXPECT_DOUBLE_EQ(camera.focalLength(), 35.0);
  EXPECT_DOUBLE_EQ(camera.centerOfInterest(), 5.0);
  EXPECT_DOUBLE_EQ(camera.horizontalFilmAperture(), 1.41732);
  EXPECT_DOUBLE_EQ(camera.verticalFilmAperture(), 0.94488);
  EXPECT_FALSE(camera.isOrtho());
  EXPECT_FALSE(camera.isDepthOfField());
  EXPECT_FALSE(camera.isVerticalLock());
  // A 36 x 24 mm film back: 54.43 x 37.85 degrees at 35 mm, 39.60 x 26.99 degrees at 50 mm (angles in radians).
  const double degrees = 180.0 / kPi;
  EXPECT_NEAR(camera.horizontalFieldOfView() * degrees, 54.432, 1e-3);
  EXPECT_NEAR(camera.verticalFieldOfView() * degrees, 37.849, 1e-3);
  headless::setAttr(shape, "fl", 50.0);
  EXPECT_NEAR(camera.horizontalFieldOfView() * degrees, 39.598, 1e-3);
  EXPECT_NEAR(camera.verticalFieldOfView() * degrees, 26.991, 1e-3);
  headless::setAttr(shape, "cap", std::vector<double>{0.98, 0.735});  // 24.9 x 18.7 mm
  EXPECT_NEAR(camera.horizontalFieldOfView() * degrees, 27.956, 1e-3);
  headless::setAttr(shape, "depthOfField", 1.0);
  headless::setAttr(shape, "verticalLock", 1.0);
  headless::setAttr(shape, "coi", 12.5);
  EXPECT_TRUE(camera.isDepthOfField());
  EXPECT_TRUE(camera.isVerticalLock());
  EXPECT_DOUBLE_EQ(camera.centerOfInterest(), 12.5);
  // World-space queries need a path.
  MStatus status;
  camera.eyePoint(MSpace::kWorld, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  camera.eyePoint(MSpace::kObject, &status);
  EXPECT_TRUE(status);
}

}  // namespace
