// How the host composes a transform: scale about the scale pivot, rotation in the rotate order about the rotate
// pivot, then translation; and how a path composes the transforms above it.
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
      {"identity", {0, 0, 0}, {0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XYZ, {1, 2, 3}, {1, 2, 3}},
      {"translate", {1, 2, 3}, {0, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XYZ, {1, 0, 0}, {2, 2, 3}},
      // +90 degrees about Z turns +X into +Y; about Y it turns +Z into +X; about X it turns +Y into +Z.
      {"rotate z", {0, 0, 0}, {0, 0, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XYZ, {1, 0, 0}, {0, 1, 0}},
      {"rotate y", {0, 0, 0}, {0, 90, 0}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XYZ, {0, 0, 1}, {1, 0, 0}},
      {"rotate x", {0, 0, 0}, {90, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XYZ, {0, 1, 0}, {0, 0, 1}},
      // xyz: X first ((0,1,0) -> (0,0,1)), then Z leaves it; zyx: Z first ((0,1,0) -> (-1,0,0)), then X leaves it.
      {"order xyz", {0, 0, 0}, {90, 0, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::XYZ, {0, 1, 0}, {0, 0, 1}},
      {"order zyx", {0, 0, 0}, {90, 0, 90}, {1, 1, 1}, {0, 0, 0}, {0, 0, 0}, O::ZYX, {0, 1, 0}, {-1, 0, 0}},
      {"scale then rotate then translate", {1, 2, 3}, {0, 0, 90}, {2, 2, 2}, {0, 0, 0}, {0, 0, 0}, O::XYZ,
       {1, 0, 0}, {1, 4, 3}},
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

TEST(TransformMatrix, PathsComposeParentsAndTranslationInWorldSpace) {
  headless::emptyScene();
  MObject rig = headless::createTransform("rig");
  headless::setTranslate(rig, 1, 2, 3);
  headless::setRotate(rig, 0, 0, 90);
  headless::setScale(rig, 2, 2, 2);
  MObject arm = headless::createTransform("arm", rig);
  headless::setTranslate(arm, 1, 0, 0);
  MObject hand = headless::createTransform("hand", arm);
  headless::setTranslate(hand, 0, 1, 0);
  struct Case {
    const char* path;
    MPoint origin;  // where the node's own origin lands in world space
  };
  // arm's origin: (1,0,0) scaled to (2,0,0), turned to (0,2,0), moved to (1,4,3); hand's adds (0,1,0) of arm's
  // space: (0,2,0) turned to (-2,0,0).
  const Case cases[] = {{"|rig", {1, 2, 3}}, {"|rig|arm", {1, 4, 3}}, {"|rig|arm|hand", {-1, 4, 3}}};
  for (const Case& c : cases) {
    MDagPath path = headless::pathTo(c.path);
    EXPECT_TRUE((MPoint::origin * path.inclusiveMatrix()).isEquivalent(c.origin, 1e-9)) << c.path;
    MStatus status;
    MFnTransform transform(path, &status);
    ASSERT_TRUE(status);
    MVector world = transform.translation(MSpace::kWorld, &status);
    EXPECT_TRUE(status);
    EXPECT_TRUE(MPoint(world).isEquivalent(c.origin, 1e-9)) << c.path;
  }
  MFnTransform local(headless::pathTo("|rig|arm|hand"));
  EXPECT_EQ(local.translation(MSpace::kTransform), MVector(0, 1, 0));
  MFnTransform unplaced(hand);
  MStatus status;
  unplaced.translation(MSpace::kWorld, &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
  // exclusiveMatrix leaves out the last node.
  EXPECT_TRUE(
      (MPoint::origin * headless::pathTo("|rig|arm|hand").exclusiveMatrix()).isEquivalent(MPoint(1, 4, 3), 1e-9));
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
}

}  // namespace
