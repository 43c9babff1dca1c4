// Lights: building them and the light function sets.
#include "scene_model.h"

#include <maya/MColor.h>
#include <maya/MFloatVector.h>
#include <maya/MFnAmbientLight.h>
#include <maya/MFnDirectionalLight.h>
#include <maya/MFnLight.h>
#include <maya/MFnNonAmbientLight.h>
#include <maya/MFnNonExtendedLight.h>
#include <maya/MFnPointLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MVector.h>

using headless::Node;
using headless::setStatus;

namespace headless {

MObject createLight(LightKind kind, const std::string& name, const MObject& parentTransform) {
  Node* parent = nodeFrom(parentTransform);
  if (parent == nullptr || !parent->isTransform()) return MObject();
  static const char* const types[] = {"ambientLight", "directionalLight", "pointLight", "spotLight"};
  return createNode(types[static_cast<int>(kind)], name, parentTransform);
}

}  // namespace headless

QAX_DAG_FN_CONSTRUCTORS(MFnLight, MFn::kLight)
QAX_DAG_FN_CONSTRUCTORS(MFnNonAmbientLight, MFn::kNonAmbientLight)
QAX_DAG_FN_CONSTRUCTORS(MFnNonExtendedLight, MFn::kNonExtendedLight)
QAX_DAG_FN_CONSTRUCTORS(MFnSpotLight, MFn::kSpotLight)
QAX_DAG_FN_CONSTRUCTORS(MFnPointLight, MFn::kPointLight)
QAX_DAG_FN_CONSTRUCTORS(MFnDirectionalLight, MFn::kDirectionalLight)
QAX_DAG_FN_CONSTRUCTORS(MFnAmbientLight, MFn::kAmbientLight)

MColor MFnLight::color(MStatus* ReturnStatus) const { return headless::attachedColour(*this, "color", ReturnStatus); }
MStatus MFnLight::setColor(const MColor& col) { return headless::writeAttached(*this, "color", {col.r, col.g, col.b}); }
float MFnLight::intensity(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "intensity", ReturnStatus));
}
MStatus MFnLight::setIntensity(const float& intens) { return headless::writeAttached(*this, "intensity", {intens}); }
bool MFnLight::useRayTraceShadows(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "useRayTraceShadows", ReturnStatus) != 0.0;
}
MColor MFnLight::shadowColor(MStatus* ReturnStatus) const {
  return headless::attachedColour(*this, "shadowColor", ReturnStatus);
}
double MFnLight::centerOfIllumination(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "centerOfIllumination", ReturnStatus);
}

// The direction one instance of the light points in: -Z of that instance's world matrix, not normalised (a
// scaled parent lengthens it). In object space it is -Z.
MFloatVector MFnLight::lightDirection(int instance, MSpace::Space space, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MFloatVector();
  const MVector axis(0, 0, -1);
  if (space != MSpace::kWorld) return MFloatVector(axis);
  std::vector<Node*> nodes;
  if (instance < 0 || !headless::pathOfInstance(node, static_cast<std::uint64_t>(instance), nodes)) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return MFloatVector();
  }
  MDagPath path = headless::makePath(nodes);
  return MFloatVector(axis * headless::inclusiveMatrix(*headless::PathAccess::get(path)));
}

// The lightDirection render attribute: only set while rendering, so (0, 0, 0) here.
MFloatVector MFnLight::lightDirection(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  std::vector<double> d;
  if (node == nullptr || !headless::readNumbers(node, "lightDirection", d) || d.size() != 3) return MFloatVector();
  return MFloatVector(static_cast<float>(d[0]), static_cast<float>(d[1]), static_cast<float>(d[2]));
}

bool MFnLight::lightAmbient(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  return node != nullptr && (node->hasFn(MFn::kAmbientLight) || headless::readNumber(node, "lightAmbient") != 0.0);
}
bool MFnLight::lightDiffuse(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "emitDiffuse", ReturnStatus) != 0.0;
}
bool MFnLight::lightSpecular(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "emitSpecular", ReturnStatus) != 0.0;
}

short MFnNonAmbientLight::decayRate(MStatus* ReturnStatus) const {
  return headless::narrow<short>(headless::attachedNumber(*this, "decayRate", ReturnStatus));
}
MStatus MFnNonAmbientLight::setDecayRate(const short& decay_rate) {
  return headless::writeAttached(*this, "decayRate", {static_cast<double>(decay_rate)});
}

double MFnNonExtendedLight::shadowRadius(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "lightRadius", ReturnStatus);
}
bool MFnNonExtendedLight::castSoftShadows(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "castSoftShadows", ReturnStatus) != 0.0;
}
bool MFnNonExtendedLight::useDepthMapShadows(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "useDepthMapShadows", ReturnStatus) != 0.0;
}

// Angles in radians.
double MFnSpotLight::coneAngle(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "coneAngle", ReturnStatus);
}
MStatus MFnSpotLight::setConeAngle(const double& cone_angle) {
  return headless::writeAttached(*this, "coneAngle", {cone_angle});
}
double MFnSpotLight::penumbraAngle(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "penumbraAngle", ReturnStatus);
}
double MFnSpotLight::dropOff(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "dropoff", ReturnStatus);
}
MStatus MFnSpotLight::setDropOff(const double& drop_off) {
  return headless::writeAttached(*this, "dropoff", {drop_off});
}

float MFnAmbientLight::ambientShade(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "ambientShade", ReturnStatus));
}
bool MFnAmbientLight::castSoftShadows(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "castSoftShadows", ReturnStatus) != 0.0;
}
