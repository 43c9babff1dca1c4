// How the host composes a transform: scale about the scale pivot, rotation in the rotate order about the rotate
// pivot, then translation. (Parents composed along a path: the camera, light and NURBS capture tests.)
#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnTransform.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <gtest/gtest.h>

namespace {

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
      // zyx: Z first ((0,1,0) -> (-1,0,0)), then X leaves it.
      {"order zyx", {0, 0, 0}, {90, 0, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::ZYX, {0, 1, 0}, {-1, 0, 0}},
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
