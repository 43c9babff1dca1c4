// NURBS surfaces and curves: sizes, degrees, the Bezier flag and control points in object and world space.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MPoint.h>

#include <gtest/gtest.h>

namespace {

// A bicubic surface of 7 x 4 control points: cv(u, v) = (u, v, u * v).
headless::NurbsSurfaceData patches() {
  headless::NurbsSurfaceData data;
  data.numCVsU = 7;
  data.numCVsV = 4;
  for (int u = 0; u < 7; ++u) {
    for (int v = 0; v < 4; ++v) data.cvs.push_back({static_cast<double>(u), static_cast<double>(v), u * v * 1.0});
  }
  return data;
}

// rig: translated (1,2,3), turned 90 degrees about Z, scaled by 2; the shape's transform sits below it.
MObject buildRig() {
  headless::emptyScene();
  MObject rig = headless::createTransform("rig");
  headless::setTranslate(rig, 1, 2, 3);
  headless::setRotate(rig, 0, 0, 90);
  headless::setScale(rig, 2, 2, 2);
  return headless::createTransform("holder", rig);
}

TEST(Nurbs, SurfaceControlPointsInObjectAndWorldSpace) {
  MObject holder = buildRig();
  headless::NurbsSurfaceData data = patches();
  ASSERT_FALSE(headless::createNurbsSurface("surfaceShape", holder, data).isNull());
  MStatus status;
  MFnNurbsSurface surface(headless::pathTo("|rig|holder|surfaceShape"), &status);
  ASSERT_TRUE(status);
  EXPECT_EQ(surface.numCVsInU(), 7);
  EXPECT_EQ(surface.numCVsInV(), 4);
  EXPECT_EQ(surface.degreeU(), 3);
  EXPECT_EQ(surface.numSpansInU(), 4);
  EXPECT_TRUE(surface.isBezier());
  struct Case {
    unsigned u, v;
    MPoint world;
  };
  // (x, y, z) scaled by 2, turned about Z ((x, y) -> (-y, x)), moved by (1, 2, 3).
  const Case cases[] = {{0, 0, {1, 2, 3}}, {1, 0, {1, 4, 3}}, {0, 1, {-1, 2, 3}}, {6, 3, {-5, 14, 39}}};
  for (const Case& c : cases) {
    MPoint object, world;
    ASSERT_TRUE(surface.getCV(c.u, c.v, object, MSpace::kObject));
    EXPECT_EQ(object, MPoint(c.u, c.v, c.u * c.v));
    ASSERT_TRUE(surface.getCV(c.u, c.v, world, MSpace::kWorld));
    EXPECT_TRUE(world.isEquivalent(c.world, 1e-9)) << c.u << "," << c.v;
  }
  MPoint point;
  EXPECT_EQ(surface.getCV(7, 0, point).statusCode(), MStatus::kInvalidParameter);
}

TEST(Nurbs, SurfaceShapesAndFlags) {
  buildRig();
  struct Case {
    int degree, numU, numV;
    bool bezier;
    bool created;
  };
  const Case cases[] = {{3, 4, 4, true, true}, {3, 7, 7, false, true}, {1, 2, 2, true, true},
                        {3, 3, 4, true, false},  // fewer control points than the degree needs
                        {0, 4, 4, true, false}};
  for (const Case& c : cases) {
    headless::NurbsSurfaceData data;
    data.degreeU = data.degreeV = c.degree;
    data.numCVsU = c.numU;
    data.numCVsV = c.numV;
    data.bezier = c.bezier;
    data.cvs.assign(static_cast<size_t>(c.numU * c.numV), {});
    MObject shape = headless::createNurbsSurface("s", headless::findNode("holder"), data);
    ASSERT_EQ(shape.isNull(), !c.created);
    if (shape.isNull()) continue;
    MFnNurbsSurface surface(shape);
    EXPECT_EQ(surface.isBezier(), c.bezier);
    EXPECT_EQ(surface.degreeV(), c.degree);
  }
}

TEST(Nurbs, CurveControlPoints) {
  MObject holder = buildRig();
  headless::NurbsCurveData data;
  data.degree = 3;
  data.cvs = {{0, 0, 0}, {1, 2, 0}, {3, 2, 0}, {4, 0, 0}};
  MObject shape = headless::createNurbsCurve("curveShape", holder, data);
  ASSERT_FALSE(shape.isNull());
  MFnNurbsCurve byPath(headless::pathTo("|rig|holder|curveShape"));
  EXPECT_EQ(byPath.numCVs(), 4);
  EXPECT_EQ(byPath.degree(), 3);
  MPoint world;
  ASSERT_TRUE(byPath.getCV(3, world, MSpace::kWorld));
  EXPECT_TRUE(world.isEquivalent(MPoint(1, 10, 3), 1e-9));
  MFnNurbsCurve byObject(shape);
  EXPECT_EQ(byObject.getCV(3, world, MSpace::kWorld).statusCode(), MStatus::kInvalidParameter);
  ASSERT_TRUE(byObject.getCV(3, world, MSpace::kObject));
  EXPECT_EQ(world, MPoint(4, 0, 0));
  MFnNurbsCurve empty(headless::createNode("nurbsCurve", "bare", holder));
  EXPECT_EQ(empty.numCVs(), 0);
}

}  // namespace
