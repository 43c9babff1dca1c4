// Cameras, lights, NURBS and lattices: what the host computes from their attributes (fields of view, divisions of
// hostile values), the shapes it refuses, and the queries that need a path or an index inside the shape. (Light
// kinds, cone angles and directions: the light capture tests.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFloatVector.h>
#include <maya/MFnCamera.h>
#include <maya/MFnLattice.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MFnSpotLight.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

namespace {

const double kDegrees = 180.0 / 3.14159265358979323846;

// rig: translated (1,2,3), turned 90 degrees about Z, scaled by 2; holder below it.
MObject buildRig() {
  headless::emptyScene();
  MObject rig = headless::createTransform("rig");
  headless::setTranslate(rig, 1, 2, 3);
  headless::setRotate(rig, 0, 0, 90);
  headless::setScale(rig, 2, 2, 2);
  return headless::createTransform("holder", rig);
}

TEST(Camera, FieldsOfViewFromFocalLengthAndApertureAndWorldQueriesNeedAPath) {
  MObject shape = headless::createCamera("shotShape", buildRig());
  MFnCamera camera(headless::pathTo("|rig|holder|shotShape"));
  EXPECT_TRUE(MPoint(camera.upDirection(MSpace::kWorld)).isEquivalent(MPoint(-1, 0, 0), 1e-9));
  // A 36 x 24 mm film back: 54.43 x 37.85 degrees at 35 mm. (At 50 mm: the camera capture test.)
  EXPECT_NEAR(camera.horizontalFieldOfView() * kDegrees, 54.432, 1e-3);
  EXPECT_NEAR(camera.verticalFieldOfView() * kDegrees, 37.849, 1e-3);
  headless::setAttr(shape, "fl", 50.0);
  headless::setAttr(shape, "cap", std::vector<double>{0.98, 0.735});  // 24.9 x 18.7 mm
  EXPECT_NEAR(camera.horizontalFieldOfView() * kDegrees, 27.956, 1e-3);
  MStatus status;
  MFnCamera(shape).eyePoint(MSpace::kWorld, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  // A light's direction exists for each of its instances only.
  headless::createLight(headless::LightKind::Spot, "keyShape", headless::createTransform("key"));
  MFnSpotLight(headless::pathTo("|key")).lightDirection(1, MSpace::kWorld, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
}

// (World control points under moved parents: the NURBS capture tests.)
TEST(Nurbs, ShapesThatAreRefusedAndControlPointsOutsideTheShapeOrWithoutAPath) {
  struct Case {
    int degree, numU, numV;
    bool bezier, created;
  };
  const Case cases[] = {{3, 7, 4, true, true}, {3, 7, 7, false, true}, {1, 2, 2, true, true},
                        {3, 3, 4, true, false},  // fewer control points than the degree needs
                        {0, 4, 4, true, false}};
  for (const Case& c : cases) {
    headless::NurbsSurfaceData data;
    data.degreeU = data.degreeV = c.degree;
    data.numCVsU = c.numU;
    data.numCVsV = c.numV;
    data.bezier = c.bezier;
    data.cvs.assign(c.numU * c.numV, {0, 0, 0});
    MObject shape = headless::createNurbsSurface("surfaceShape", buildRig(), data);
    ASSERT_EQ(shape.isNull(), !c.created);
    if (shape.isNull()) continue;
    MFnNurbsSurface surface(headless::pathTo("|rig|holder|surfaceShape"));
    EXPECT_EQ(surface.isBezier(), c.bezier);
    EXPECT_EQ(surface.degreeV(), c.degree);
    EXPECT_EQ(surface.numCVsInV(), c.numV);
    MPoint world;
    EXPECT_EQ(surface.getCV(c.numU, 0, world).statusCode(), MStatus::kInvalidParameter);
    EXPECT_EQ(MFnNurbsSurface(shape).getCV(0, 0, world, MSpace::kWorld).statusCode(), MStatus::kInvalidParameter);
  }
  headless::NurbsCurveData curve;
  curve.cvs = {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}};
  MObject shape = headless::createNurbsCurve("curveShape", buildRig(), curve);
  MPoint world;
  EXPECT_EQ(MFnNurbsCurve(shape).getCV(3, world, MSpace::kWorld).statusCode(), MStatus::kInvalidParameter);
  EXPECT_EQ(MFnNurbsCurve(headless::createNode("nurbsCurve", "bare", headless::findNode("holder"))).numCVs(), 0);
}

TEST(Lattice, DivisionsFromAttributesOfALatticeWithoutPoints) {
  struct Case {
    double s, t, u;
    unsigned expectedS, expectedT, expectedU;
  };
  const Case cases[] = {{3, 4, 5, 3, 4, 5},
                        {1, 4, 5, 2, 2, 2},        // fewer than two divisions
                        {-7, 4, 5, 2, 2, 2},       // negative
                        {1e30, 1e30, 2, 2, 2, 2},  // more points than memory
                        {2.9, 2, 2, 2, 2, 2}};
  for (const Case& c : cases) {
    headless::emptyScene();
    MObject shape = headless::createNode("lattice", "loose", headless::createTransform("cage"));
    headless::setAttr(shape, "sd", c.s);
    headless::setAttr(shape, "td", c.t);
    headless::setAttr(shape, "ud", c.u);
    MFnLattice lattice(shape);
    unsigned s = 0, t = 0, u = 0;
    ASSERT_TRUE(lattice.getDivisions(s, t, u));
    EXPECT_EQ(s, c.expectedS);
    EXPECT_EQ(t, c.expectedT);
    EXPECT_EQ(u, c.expectedU);
    // (The default grid's points: the model capture test's lattice bounds.)
    MStatus status;
    lattice.point(s, 0, 0, &status);
    EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  }
  // Points that do not fill the divisions are refused.
  EXPECT_TRUE(headless::createLattice("bad", headless::findNode("cage"), 2, 2, 2,
                                      std::vector<headless::Vec3>(12)).isNull());
}

}  // namespace
