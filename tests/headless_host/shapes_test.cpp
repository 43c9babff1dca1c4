// Cameras, NURBS and lattices: what the host computes from their attributes (the film back, divisions of hostile
// values) and the shapes it refuses. (Light kinds, cone angles and directions: the light capture tests; the default
// lattice's points: the model capture test's lattice bounds.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnCamera.h>
#include <maya/MFnLattice.h>
#include <maya/MFnNurbsCurve.h>
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

// (Fields of view at 50 mm on the starting film back, world eye points and light directions: the camera and light
// capture tests.)
TEST(Camera, ApertureFromItsAttributeAndUpDirectionUnderATurnedParent) {
  MObject shape = headless::createCamera("shotShape", buildRig());
  MFnCamera camera(headless::pathTo("|rig|holder|shotShape"));
  EXPECT_TRUE(MPoint(camera.upDirection(MSpace::kWorld)).isEquivalent(MPoint(-1, 0, 0), 1e-9));
  headless::setAttr(shape, "fl", 50.0);
  headless::setAttr(shape, "cap", std::vector<double>{0.98, 0.735});  // 24.9 x 18.7 mm
  EXPECT_NEAR(camera.horizontalFieldOfView() * kDegrees, 27.956, 1e-3);
}

// (Bezier and other surfaces the host takes, read back, and world control points under moved parents: the NURBS
// capture tests.)
TEST(Nurbs, ShapesThatAreRefusedAndACurveWithoutControlPoints) {
  struct Case {
    int degree, numU, numV;
    bool created;
  };
  const Case cases[] = {{3, 7, 4, true}, {1, 2, 2, true},
                        {3, 3, 4, false},  // fewer control points than the degree needs
                        {0, 4, 4, false}};
  for (const Case& c : cases) {
    headless::emptyScene();
    headless::NurbsSurfaceData data;
    data.degreeU = data.degreeV = c.degree;
    data.numCVsU = c.numU;
    data.numCVsV = c.numV;
    data.cvs.assign(c.numU * c.numV, {0, 0, 0});
    EXPECT_EQ(headless::createNurbsSurface("surfaceShape", headless::createTransform("t"), data).isNull(), !c.created);
  }
  EXPECT_EQ(MFnNurbsCurve(headless::createNode("nurbsCurve", "bare", headless::findNode("t"))).numCVs(), 0);
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
  }
  // Points that do not fill the divisions are refused.
  EXPECT_TRUE(headless::createLattice("bad", headless::findNode("cage"), 2, 2, 2,
                                      std::vector<headless::Vec3>(12)).isNull());
}

}  // namespace
