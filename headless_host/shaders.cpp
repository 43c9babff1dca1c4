// Shading nodes: shaders, file textures, shading groups and membership, and the shader function sets.
#include "scene_model.h"

#include <maya/MColor.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnPhongShader.h>
#include <maya/MFnReflectShader.h>

using headless::Node;
using headless::setStatus;

namespace headless {

MObject createShader(const std::string& typeName, const std::string& name) { return createNode(typeName, name); }

MObject createFileTexture(const std::string& name, const std::string& path) {
  MObject file = createNode("file", name);
  setAttr(file, "fileTextureName", path);
  return file;
}

bool connectTexture(const MObject& file, const MObject& shader, const std::string& attribute) {
  Node* f = nodeFrom(file);
  return f != nullptr && f->hasFn(MFn::kFileTexture) && connect(file, "outColor", shader, attribute);
}

MObject createShadingGroup(const std::string& name, const MObject& shader) {
  MObject group = createNode("shadingEngine", name);
  setAttr(group, "renderableOnlySet", 1.0);
  if (!shader.isNull()) connect(shader, "outColor", group, "surfaceShader");
  return group;
}

bool assign(const MObject& set, const MObject& shape, unsigned instance) {
  Node* s = nodeFrom(set);
  Node* n = nodeFrom(shape);
  if (s == nullptr || n == nullptr || !s->hasFn(MFn::kSet) || !n->isDag()) return false;
  if (instance >= pathCount(n)) return false;
  return connect(shape, "instObjGroups[" + std::to_string(instance) + "]", set, "dagSetMembers");
}

namespace {

MStatus writeColour(MFnBase& fn, const char* name, const MColor& c) {
  return writeAttached(fn, name, {c.r, c.g, c.b});
}

}  // namespace

}  // namespace headless

QAX_DG_FN_CONSTRUCTORS(MFnLambertShader, MFn::kLambert)
QAX_DG_FN_CONSTRUCTORS(MFnReflectShader, MFn::kReflect)
QAX_DG_FN_CONSTRUCTORS(MFnPhongShader, MFn::kPhong)
QAX_DG_FN_CONSTRUCTORS(MFnBlinnShader, MFn::kBlinn)

short MFnLambertShader::refractedRayDepthLimit(MStatus* ReturnStatus) const {
  return headless::narrow<short>(headless::attachedNumber(*this, "refractionLimit", ReturnStatus));
}
MStatus MFnLambertShader::setRefractedRayDepthLimit(const short& depth) {
  return headless::writeAttached(*this, "refractionLimit", {static_cast<double>(depth)});
}
float MFnLambertShader::refractiveIndex(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "refractiveIndex", ReturnStatus));
}
MStatus MFnLambertShader::setRefractiveIndex(const float& refractive_index) {
  return headless::writeAttached(*this, "refractiveIndex", {refractive_index});
}
bool MFnLambertShader::rtRefractedColor(MStatus* ReturnStatus) const {
  return headless::attachedNumber(*this, "refractions", ReturnStatus) != 0.0;
}
MStatus MFnLambertShader::setRtRefractedColor(const bool& rt_refracted_color) {
  return headless::writeAttached(*this, "refractions", {rt_refracted_color ? 1.0 : 0.0});
}
float MFnLambertShader::diffuseCoeff(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "diffuse", ReturnStatus));
}
MStatus MFnLambertShader::setDiffuseCoeff(const float& diffuse_coeff) {
  return headless::writeAttached(*this, "diffuse", {diffuse_coeff});
}
MColor MFnLambertShader::color(MStatus* ReturnStatus) const {
  return headless::attachedColour(*this, "color", ReturnStatus);
}
MStatus MFnLambertShader::setColor(const MColor& new_color) { return headless::writeColour(*this, "color", new_color); }
MColor MFnLambertShader::transparency(MStatus* ReturnStatus) const {
  return headless::attachedColour(*this, "transparency", ReturnStatus);
}
MStatus MFnLambertShader::setTransparency(const MColor& transp) {
  return headless::writeColour(*this, "transparency", transp);
}
MColor MFnLambertShader::ambientColor(MStatus* ReturnStatus) const {
  return headless::attachedColour(*this, "ambientColor", ReturnStatus);
}
MStatus MFnLambertShader::setAmbientColor(const MColor& ambient_color) {
  return headless::writeColour(*this, "ambientColor", ambient_color);
}
MColor MFnLambertShader::incandescence(MStatus* ReturnStatus) const {
  return headless::attachedColour(*this, "incandescence", ReturnStatus);
}
MStatus MFnLambertShader::setIncandescence(const MColor& incand) {
  return headless::writeColour(*this, "incandescence", incand);
}
float MFnLambertShader::translucenceCoeff(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "translucence", ReturnStatus));
}
MStatus MFnLambertShader::setTranslucenceCoeff(const float& translucence_coeff) {
  return headless::writeAttached(*this, "translucence", {translucence_coeff});
}
float MFnLambertShader::glowIntensity(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "glowIntensity", ReturnStatus));
}
MStatus MFnLambertShader::setGlowIntensity(const float& glow_intensity) {
  return headless::writeAttached(*this, "glowIntensity", {glow_intensity});
}

short MFnReflectShader::reflectedRayDepthLimit(MStatus* ReturnStatus) const {
  return headless::narrow<short>(headless::attachedNumber(*this, "reflectionLimit", ReturnStatus));
}
MStatus MFnReflectShader::setReflectedRayDepthLimit(const short& depth) {
  return headless::writeAttached(*this, "reflectionLimit", {static_cast<double>(depth)});
}
MColor MFnReflectShader::specularColor(MStatus* ReturnStatus) const {
  return headless::attachedColour(*this, "specularColor", ReturnStatus);
}
MStatus MFnReflectShader::setSpecularColor(const MColor& specular_color) {
  return headless::writeColour(*this, "specularColor", specular_color);
}
float MFnReflectShader::reflectivity(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "reflectivity", ReturnStatus));
}
MStatus MFnReflectShader::setReflectivity(const float& reflect) {
  return headless::writeAttached(*this, "reflectivity", {reflect});
}
MColor MFnReflectShader::reflectedColor(MStatus* ReturnStatus) const {
  return headless::attachedColour(*this, "reflectedColor", ReturnStatus);
}
MStatus MFnReflectShader::setReflectedColor(const MColor& reflected_color) {
  return headless::writeColour(*this, "reflectedColor", reflected_color);
}

float MFnPhongShader::cosPower(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "cosinePower", ReturnStatus));
}
MStatus MFnPhongShader::setCosPower(const float& cos_power) {
  return headless::writeAttached(*this, "cosinePower", {cos_power});
}

float MFnBlinnShader::eccentricity(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "eccentricity", ReturnStatus));
}
MStatus MFnBlinnShader::setEccentricity(const float& eccentricity) {
  return headless::writeAttached(*this, "eccentricity", {eccentricity});
}
float MFnBlinnShader::specularRollOff(MStatus* ReturnStatus) const {
  return static_cast<float>(headless::attachedNumber(*this, "specularRollOff", ReturnStatus));
}
MStatus MFnBlinnShader::setSpecularRollOff(const float& specular_rolloff) {
  return headless::writeAttached(*this, "specularRollOff", {specular_rolloff});
}
