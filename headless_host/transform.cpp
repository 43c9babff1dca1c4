// Transforms: building and posing them, and the transform function set.
#include "scene_model.h"

#include <maya/MFnTransform.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

using headless::Node;
using headless::setStatus;

namespace headless {

MObject createTransform(const std::string& name, const MObject& parent) { return createNode("transform", name, parent); }

namespace {

bool setVector(const MObject& node, const char* attribute, std::vector<double> values) {
  Node* n = nodeFrom(node);
  return n != nullptr && n->isTransform() && writeNumbers(n, attribute, values);
}

}  // namespace

bool setTranslate(const MObject& transform, double x, double y, double z) {
  return setVector(transform, "translate", {x, y, z});
}

bool setRotate(const MObject& transform, double xDegrees, double yDegrees, double zDegrees, RotateOrder order) {
  return setVector(transform, "rotate",
                   {degreesToRadians(xDegrees), degreesToRadians(yDegrees), degreesToRadians(zDegrees)}) &&
         setVector(transform, "rotateOrder", {static_cast<double>(order)});
}

bool setScale(const MObject& transform, double x, double y, double z) {
  return setVector(transform, "scale", {x, y, z});
}

bool setPivots(const MObject& transform, const Vec3& rotatePivot, const Vec3& scalePivot) {
  return setVector(transform, "rotatePivot", {rotatePivot.x, rotatePivot.y, rotatePivot.z}) &&
         setVector(transform, "scalePivot", {scalePivot.x, scalePivot.y, scalePivot.z});
}

bool setVisible(const MObject& node, bool visible) {
  Node* n = nodeFrom(node);
  return n != nullptr && n->isDag() && writeNumbers(n, "visibility", {visible ? 1.0 : 0.0});
}

bool setIntermediate(const MObject& node, bool intermediate) {
  Node* n = nodeFrom(node);
  return n != nullptr && n->isDag() && writeNumbers(n, "intermediateObject", {intermediate ? 1.0 : 0.0});
}

namespace {

std::vector<double> vector3(const MFnBase& fn, const char* name, MStatus* status) {
  Node* node = attachedNode(fn, status);
  std::vector<double> v;
  if (node == nullptr || !readNumbers(node, name, v) || v.size() != 3) v = {0, 0, 0};
  return v;
}

}  // namespace

}  // namespace headless

QAX_DAG_FN_CONSTRUCTORS(MFnTransform, MFn::kTransform)

// In world space, the translation of the path's world matrix (set attached through a path); in the transform's
// own spaces, its translate attribute.
MVector MFnTransform::translation(MSpace::Space space, MStatus* ReturnStatus) const {
  std::vector<double> t = headless::vector3(*this, "translate", ReturnStatus);
  if (headless::attachedNode(*this, nullptr) == nullptr) return MVector();
  if (space == MSpace::kWorld) {
    const headless::PathData* path = headless::attachedPath(*this);
    if (path == nullptr) {
      setStatus(ReturnStatus, MStatus::kInvalidParameter);
      return MVector();
    }
    MMatrix world = headless::inclusiveMatrix(*path);
    return MVector(world.matrix[3][0], world.matrix[3][1], world.matrix[3][2]);
  }
  if (space == MSpace::kInvalid || space == MSpace::kLast) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MVector();
  }
  return MVector(t[0], t[1], t[2]);
}

MStatus MFnTransform::setTranslation(const MVector& vec, MSpace::Space space) {
  MStatus status;
  Node* node = headless::attachedNode(*this, &status);
  if (node == nullptr) return status;
  if (space == MSpace::kWorld || space == MSpace::kInvalid || space == MSpace::kLast) return MStatus::kInvalidParameter;
  headless::writeNumbers(node, "translate", {vec.x, vec.y, vec.z});
  return MStatus::kSuccess;
}

MStatus MFnTransform::getScale(double scale[3]) const {
  MStatus status;
  std::vector<double> s = headless::vector3(*this, "scale", &status);
  for (int i = 0; i < 3; ++i) scale[i] = s[i];
  return status;
}

MStatus MFnTransform::getRotation(double rotation[3], MTransformationMatrix::RotationOrder& order) const {
  MStatus status;
  std::vector<double> r = headless::vector3(*this, "rotate", &status);
  for (int i = 0; i < 3; ++i) rotation[i] = r[i];
  order = rotationOrder();
  return status;
}

// The rotateOrder attribute counts from xyz = 0; the enumeration from kXYZ = 1.
MTransformationMatrix::RotationOrder MFnTransform::rotationOrder(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MTransformationMatrix::kInvalid;
  const int order = headless::narrow<int>(headless::readNumber(node, "rotateOrder"));
  return order >= 0 && order <= 5 ? static_cast<MTransformationMatrix::RotationOrder>(order + 1)
                                  : MTransformationMatrix::kInvalid;
}

namespace {

MPoint pivot(const MFnTransform& fn, const char* name, MSpace::Space space, MStatus* status) {
  std::vector<double> p = headless::vector3(fn, name, status);
  if (headless::attachedNode(fn, nullptr) == nullptr) return MPoint();
  MPoint local(p[0], p[1], p[2]);
  if (space != MSpace::kWorld) return local;
  const headless::PathData* path = headless::attachedPath(fn);
  if (path == nullptr) {
    setStatus(status, MStatus::kInvalidParameter);
    return MPoint();
  }
  return local * headless::inclusiveMatrix(*path);
}

}  // namespace

MPoint MFnTransform::rotatePivot(MSpace::Space space, MStatus* ReturnStatus) const {
  return pivot(*this, "rotatePivot", space, ReturnStatus);
}

MPoint MFnTransform::scalePivot(MSpace::Space space, MStatus* ReturnStatus) const {
  return pivot(*this, "scalePivot", space, ReturnStatus);
}
