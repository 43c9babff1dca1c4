// Lattices: divisions, the order of their points, the default grid, and the ffd node they drive.
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnLattice.h>
#include <maya/MFnLatticeDeformer.h>
#include <maya/MObjectArray.h>
#include <maya/MPlug.h>
#include <maya/MPlugArray.h>
#include <maya/MPoint.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

// Point (s, t, u) at (100 s + 10 t + u, 0, 0), stored in the host's order.
std::vector<headless::Vec3> numberedPoints(unsigned s, unsigned t, unsigned u) {
  std::vector<headless::Vec3> points;
  for (unsigned si = 0; si < s; ++si) {
    for (unsigned ti = 0; ti < t; ++ti) {
      for (unsigned ui = 0; ui < u; ++ui) points.push_back({100.0 * si + 10.0 * ti + ui, 0, 0});
    }
  }
  return points;
}

TEST(Lattice, DivisionsAndPointOrder) {
  struct Case {
    unsigned s, t, u;
  };
  const Case cases[] = {{2, 2, 2}, {2, 5, 2}, {3, 4, 5}};
  for (const Case& c : cases) {
    headless::emptyScene();
    MObject shape = headless::createLattice("cageShape", headless::createTransform("cage"), c.s, c.t, c.u,
                                            numberedPoints(c.s, c.t, c.u));
    ASSERT_FALSE(shape.isNull());
    MStatus status;
    MFnLattice lattice(headless::pathTo("|cage|cageShape"), &status);
    ASSERT_TRUE(status);
    unsigned s = 0, t = 0, u = 0;
    ASSERT_TRUE(lattice.getDivisions(s, t, u));
    EXPECT_EQ(s, c.s);
    EXPECT_EQ(t, c.t);
    EXPECT_EQ(u, c.u);
    for (unsigned si = 0; si < s; ++si) {
      for (unsigned ti = 0; ti < t; ++ti) {
        for (unsigned ui = 0; ui < u; ++ui) {
          EXPECT_EQ(lattice.point(si, ti, ui, &status).x, 100.0 * si + 10.0 * ti + ui);
          EXPECT_TRUE(status);
        }
      }
    }
    lattice.point(c.s, 0, 0, &status);
    EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  }
}

TEST(Lattice, DefaultGridAndPointReference) {
  headless::emptyScene();
  headless::createLattice("cageShape", headless::createTransform("cage"), 2, 3, 2);
  MFnLattice lattice(headless::pathTo("|cage|cageShape"));
  EXPECT_EQ(lattice.point(0, 0, 0), MPoint(-0.5, -0.5, -0.5));
  EXPECT_EQ(lattice.point(1, 1, 0), MPoint(0.5, 0.0, -0.5));
  EXPECT_EQ(lattice.point(1, 2, 1), MPoint(0.5, 0.5, 0.5));
  // point() hands out the lattice's own point.
  lattice.point(0, 0, 0).x = -2.0;
  EXPECT_EQ(lattice.point(0, 0, 0).x, -2.0);
  EXPECT_TRUE(headless::createLattice("bad", headless::findNode("cage"), 2, 2, 2, numberedPoints(2, 2, 3)).isNull());
}

TEST(Lattice, DivisionsFromAttributesOfALatticeWithoutPoints) {
  struct Case {
    double s, t, u;
    unsigned expectedS, expectedT, expectedU;
  };
  const Case cases[] = {{3, 4, 5, 3, 4, 5},
                        {1, 4, 5, 2, 2, 2},       // fewer than two divisions
                        {-7, 4, 5, 2, 2, 2},      // negative
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
    EXPECT_EQ(lattice.point(s - 1, t - 1, u - 1), MPoint(0.5, 0.5, 0.5));
  }
}

TEST(Lattice, OutputFeedsAnFfdThatListsItsGeometryInOrder) {
  headless::emptyScene();
  MObject lattice = headless::createLattice("cageShape", headless::createTransform("cage"), 2, 2, 2);
  MObject ball = headless::createMesh("ballShape", headless::createTransform("ball"), kTriangle);
  MObject box = headless::createMesh("boxShape", headless::createTransform("box"), kTriangle);
  MObject ffd = headless::createFfd("ffd1", lattice, {box, ball});
  ASSERT_FALSE(ffd.isNull());
  MFnDependencyNode latticeNode(lattice);
  MStatus status;
  MPlug output = latticeNode.findPlug("latticeOutput", &status);
  ASSERT_TRUE(status);
  MPlugArray destinations;
  ASSERT_TRUE(output.connectedTo(destinations, false, true));
  ASSERT_EQ(destinations.length(), 1u);
  MObject deformer = destinations[0].node();
  EXPECT_TRUE(deformer.hasFn(MFn::kFFD));
  MFnLatticeDeformer fn(deformer, &status);
  ASSERT_TRUE(status);
  MObjectArray geometry;
  ASSERT_TRUE(fn.getAffectedGeometry(geometry));
  ASSERT_EQ(geometry.length(), 2u);
  EXPECT_STREQ(MFnDependencyNode(geometry[0]).name().asChar(), "boxShape");
  EXPECT_STREQ(MFnDependencyNode(geometry[1]).name().asChar(), "ballShape");
  EXPECT_TRUE(fn.deformLattice() == lattice);
  unsigned s = 0, t = 0, u = 0;
  EXPECT_TRUE(fn.getDivisions(s, t, u));
  EXPECT_EQ(s * t * u, 8u);
}

}  // namespace
