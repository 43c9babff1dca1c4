// The DAG and transforms: what a shape filter lets through, extending to the shape under each host reading, cycles
// refused, and how the host composes a transform (scale about the scale pivot, rotation in the rotate order about the
// rotate pivot, then translation). (Walk orders: the model capture's walk-order test and the scene-walk capture
// tests, which walk instances and selections too; a chain 100,000 deep: the torture tests; type tests of a transform
// path answering for the shape below: the scene-scan, light and model capture tests; parents composed along a path:
// the camera, light and NURBS capture tests; path counts and instance numbers: no export asks for them.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnTransform.h>
#include <maya/MItDag.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MString.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const headless::MeshData kTriangle{{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}};

// |a|b|bShape, |a|c, |d|dShape, |lamp|lampShape (spot), |cam|camShape, |pair|first + |pair|second
void buildTree() {
  headless::emptyScene();
  headless::resetHostBehaviour();
  MObject a = headless::createTransform("a");
  headless::createMesh("bShape", headless::createTransform("b", a), kTriangle);
  headless::createTransform("c", a);
  headless::createMesh("dShape", headless::createTransform("d"), kTriangle);
  headless::createLight(headless::LightKind::Spot, "lampShape", headless::createTransform("lamp"));
  headless::createCamera("camShape", headless::createTransform("cam"));
  MObject pair = headless::createTransform("pair");
  headless::createMesh("first", pair, kTriangle);
  headless::createMesh("second", pair, kTriangle);
}

std::vector<std::string> walk(MItDag& iterator) {
  std::vector<std::string> names;
  for (; !iterator.isDone(); iterator.next()) {
    MDagPath path;
    EXPECT_TRUE(iterator.getPath(path));
    names.push_back(path.fullPathName().asChar());
  }
  return names;
}

// The filter asks each node for its own type: the transforms above shapes are left out (the material count walks
// shapes this way).
TEST(DagIterator, AShapeFilterTakesEachNodesOwnType) {
  buildTree();
  MStatus status;
  MItDag iterator(MItDag::kDepthFirst, MFn::kShape, &status);
  ASSERT_TRUE(status);
  EXPECT_EQ(walk(iterator), (std::vector<std::string>{"|a|b|bShape", "|d|dShape", "|lamp|lampShape", "|cam|camShape",
                                                       "|pair|first", "|pair|second"}));
}

// (From a transform with one shape, and from a shape under both readings: the mesh-name and material assignment
// capture tests.)
TEST(DagPath, ExtendToShapeUnderEachHostReading) {
  struct Case {
    const char* path;
    bool failWithSeveral;
    MStatus::MStatusCode status;
    const char* result;
  };
  const Case cases[] = {
      {"|a", false, MStatus::kInvalidParameter, "|a"},
      {"|pair", false, MStatus::kSuccess, "|pair|first"},
      {"|pair", true, MStatus::kInvalidParameter, "|pair"},
      {"", false, MStatus::kFailure, ""},
  };
  for (const Case& c : cases) {
    buildTree();
    headless::hostBehaviour().extendToShapeFailsWithSeveralShapes = c.failWithSeveral;
    MDagPath path = c.path[0] != '\0' ? headless::pathTo(c.path) : MDagPath();
    EXPECT_EQ(path.extendToShape().statusCode(), c.status) << c.path;
    EXPECT_STREQ(path.fullPathName().asChar(), c.result) << c.path;
  }
  headless::resetHostBehaviour();
}

// An instance that would close a cycle is refused, or every walk of the scene would run forever. (Instances: the
// scene-walk capture tests.)
TEST(DagPath, AnInstanceClosingACycleIsRefused) {
  headless::emptyScene();
  MObject top = headless::createTransform("top");
  MObject below = headless::createTransform("below", headless::createTransform("middle", top));
  EXPECT_FALSE(headless::addInstance(top, below));
}

MPoint throughTransform(const MObject& transform, const MPoint& local) {
  return local * headless::pathTo(transform).inclusiveMatrix();
}

TEST(TransformMatrix, PivotsRotateOrdersAndScale) {
  struct Case {
    const char* what;
    headless::Vec3 translate, rotate, scale, rotatePivot, scalePivot;
    headless::RotateOrder order;
    MPoint local, world;
  };
  using O = headless::RotateOrder;
  const Case cases[] = {
      // (Rotations in xyz order, scale and shear: the interchange decomposition test, against its own algebra.)
      // Quarter turns about all three axes take (1,2,3) somewhere else in each order: the first letter turns first.
      {"order xyz", {0, 0, 0}, {90, 90, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XYZ, {1, 2, 3}, {3, 2, -1}},
      {"order yzx", {0, 0, 0}, {90, 90, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::YZX, {1, 2, 3}, {-2, 1, 3}},
      {"order zxy", {0, 0, 0}, {90, 90, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::ZXY, {1, 2, 3}, {1, -3, 2}},
      {"order xzy", {0, 0, 0}, {90, 90, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XZY, {1, 2, 3}, {2, 1, -3}},
      {"order yxz", {0, 0, 0}, {90, 90, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::YXZ, {1, 2, 3}, {-1, 3, 2}},
      {"order zyx", {0, 0, 0}, {90, 90, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::ZYX, {1, 2, 3}, {3, -2, 1}},
      // The rotate pivot stays where it is; a point one unit beyond it swings around it.
      {"rotate pivot", {0, 0, 0}, {0, 0, 90}, {1, 1, 1}, {1, 0, 0}, {0, 0, 0}, O::XYZ, {2, 0, 0}, {1, 1, 0}},
      {"rotate pivot fixed", {0, 0, 0}, {0, 0, 90}, {1, 1, 1}, {1, 0, 0}, {0, 0, 0}, O::XYZ, {1, 0, 0}, {1, 0, 0}},
      {"scale pivot", {0, 0, 0}, {0, 0, 0}, {2, 2, 2}, {0, 0, 0}, {1, 1, 1}, O::XYZ, {0, 0, 0}, {-1, -1, -1}},
      {"scale pivot fixed", {0, 0, 0}, {0, 0, 0}, {2, 2, 2}, {0, 0, 0}, {1, 1, 1}, O::XYZ, {1, 1, 1}, {1, 1, 1}},
  };
  for (const Case& c : cases) {
    headless::emptyScene();
    MObject t = headless::createTransform("t");
    headless::setTranslate(t, c.translate.x, c.translate.y, c.translate.z);
    headless::setRotate(t, c.rotate.x, c.rotate.y, c.rotate.z, c.order);
    headless::setScale(t, c.scale.x, c.scale.y, c.scale.z);
    headless::setPivots(t, c.rotatePivot, c.scalePivot);
    EXPECT_TRUE(throughTransform(t, c.local).isEquivalent(c.world, 1e-9)) << c.what;
  }
}

TEST(TransformMatrix, ATransformThatDoesNotInheritIgnoresItsParents) {
  headless::emptyScene();
  MObject parent = headless::createTransform("parent");
  headless::setTranslate(parent, 5, 5, 5);
  MObject child = headless::createTransform("child", parent);
  headless::setTranslate(child, 1, 0, 0);
  EXPECT_TRUE(throughTransform(child, MPoint::origin).isEquivalent(MPoint(6, 5, 5)));
  headless::setAttr(child, "inheritsTransform", 0.0);
  EXPECT_TRUE(throughTransform(child, MPoint::origin).isEquivalent(MPoint(1, 0, 0)));
  // exclusiveMatrix leaves out the last node; the world translation needs a path.
  EXPECT_TRUE((MPoint::origin * headless::pathTo(child).exclusiveMatrix()).isEquivalent(MPoint(5, 5, 5)));
  MStatus status;
  MFnTransform(child).translation(MSpace::kWorld, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
}

}  // namespace
