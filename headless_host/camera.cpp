// Cameras: building them and the camera function set. The camera looks down -Z of its world matrix, +Y up.
#include "scene_model.h"

#include <maya/MFnCamera.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <cmath>

using headless::Node;
using headless::setStatus;

namespace headless {

MObject createCamera(const std::string& name, const MObject& parentTransform) {
  Node* parent = nodeFrom(parentTransform);
  if (parent == nullptr || !parent->isTransform()) return MObject();
  return createNode("camera", name, parentTransform);
}

namespace {

MVector cameraAxis(const MFnBase& fn, const MVector& axis, MSpace::Space space, MStatus* status) {
  if (attachedNode(fn, status) == nullptr) return MVector();
  MMatrix matrix;
  if (!spaceMatrix(fn, space, matrix)) {
    setStatus(status, MStatus::kInvalidParameter);
    return MVector();
  }
  return (axis * matrix).normal();
}

// Field of view from the film aperture (inches) and the focal length (mm), in radians.
double fieldOfView(double apertureInches, double focalLength) {
  if (focalLength <= 0.0) return 0.0;
  return 2.0 * std::atan(0.5 * apertureInches * 25.4 / focalLength);
}

}  // namespace

}  // namespace headless

QAX_DAG_FN_CONSTRUCTORS(MFnCamera, MFn::kCamera)

MPoint MFnCamera::eyePoint(MSpace::Space space, MStatus* ReturnStatus) const {
  if (headless::attachedNode(*this, ReturnStatus) == nullptr) return MPoint();
  MMatrix matrix;
  if (!headless::spaceMatrix(*this, space, matrix)) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MPoint();
  }
  return MPoint::origin * matrix;
}

MVector MFnCamera::viewDirection(MSpace::Space space, MStatus* ReturnStatus) const {
  return headless::cameraAxis(*this, MVector(0, 0, -1), space, ReturnStatus);
}

MVector MFnCamera::upDirection(MSpace::Space space, MStatus* ReturnStatus) const {
  return headless::cameraAxis(*this, MVector(0, 1, 0), space, ReturnStatus);
}

MVector MFnCamera::rightDirection(MSpace::Space space, MStatus* ReturnStatus) const {
  return headless::cameraAxis(*this, MVector(1, 0, 0), space, ReturnStatus);
}

// The eye point moved by the centre-of-interest distance along the view direction.
MPoint MFnCamera::centerOfInterestPoint(MSpace::Space space, MStatus* ReturnStatus) const {
  MStatus status;
  MPoint eye = eyePoint(space, &status);
  if (!status) {
    setStatus(ReturnStatus, status.statusCode());
    return MPoint();
  }
  MVector direction = viewDirection(space, &status);
  setStatus(ReturnStatus, status.statusCode());
  return eye + direction * centerOfInterest();
}

double MFnCamera::centerOfInterest(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "centerOfInterest", ReturnStatus);
}
double MFnCamera::horizontalFilmAperture(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "horizontalFilmAperture", ReturnStatus);
}
double MFnCamera::verticalFilmAperture(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "verticalFilmAperture", ReturnStatus);
}
MFnCamera::FilmFit MFnCamera::filmFit(MStatus* ReturnStatus) const {
  const int fit = headless::narrow<int>(headless::attachedNumber(*this, "filmFit", ReturnStatus));
  return fit >= kFillFilmFit && fit <= kOverscanFilmFit ? static_cast<FilmFit>(fit) : kInvalid;
}

// The film back's own angles: film fit matters only when the film is fitted to a viewport or image of another
// aspect ratio, which these two queries do not take.
double MFnCamera::horizontalFieldOfView(MStatus* ReturnStatus) const {
  const double squeeze = headless::attachedNumber(*this, "lensSqueezeRatio", nullptr);
  return headless::fieldOfView(horizontalFilmAperture(ReturnStatus) * squeeze, focalLength());
}
double MFnCamera::verticalFieldOfView(MStatus* ReturnStatus) const {
  return headless::fieldOfView(verticalFilmAperture(ReturnStatus), focalLength());
}
double MFnCamera::focalLength(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "focalLength", ReturnStatus);
}
double MFnCamera::nearClippingPlane(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "nearClipPlane", ReturnStatus);
}
double MFnCamera::farClippingPlane(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "farClipPlane", ReturnStatus);
}
bool MFnCamera::isOrtho(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "orthographic", ReturnStatus) != 0.0;
}
double MFnCamera::orthoWidth(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "orthographicWidth", ReturnStatus);
}
bool MFnCamera::isDepthOfField(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "depthOfField", ReturnStatus) != 0.0;
}
bool MFnCamera::isVerticalLock(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "verticalLock", ReturnStatus) != 0.0;
}
