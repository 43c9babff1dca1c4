// The matrix of a transform node as the host composes it, and the matrices of DAG paths. Row vectors: a point
// is transformed by p * M, so the left-most factor applies first:
//   M = SP^-1 * S * SH * SP * SPT * RP^-1 * RA * R * JO * RP * RPT * T
// (scale and shear about the scale pivot, rotation - rotate axis first - about the rotate pivot, translation).
#include "scene_model.h"

#include <cmath>
#include <map>
#include <string>

namespace headless {

namespace {

MMatrix translation(const std::vector<double>& t) {
  MMatrix m;
  m.matrix[3][0] = t[0];
  m.matrix[3][1] = t[1];
  m.matrix[3][2] = t[2];
  return m;
}

// Rotation by a about the third axis: the axis numbered from turns towards the axis numbered to (about x, y
// turns towards z; about y, z towards x; about z, x towards y).
MMatrix axisRotation(int from, int to, double a) {
  MMatrix m;
  m.matrix[from][from] = std::cos(a);
  m.matrix[from][to] = std::sin(a);
  m.matrix[to][from] = -std::sin(a);
  m.matrix[to][to] = std::cos(a);
  return m;
}

// Rotation of the given order (rotateOrder numbering: xyz, yzx, zxy, xzy, yxz, zyx); the first letter applies
// first.
MMatrix rotation(const std::vector<double>& r, int order) {
  const MMatrix x = axisRotation(1, 2, r[0]), y = axisRotation(2, 0, r[1]), z = axisRotation(0, 1, r[2]);
  switch (order) {
    case 1:
      return y * z * x;
    case 2:
      return z * x * y;
    case 3:
      return x * z * y;
    case 4:
      return y * x * z;
    case 5:
      return z * y * x;
    default:
      return x * y * z;
  }
}

std::vector<double> vector3(const Node* node, const char* attribute) {
  std::vector<double> v;
  if (!readNumbers(node, attribute, v) || v.size() != 3) v = {0, 0, 0};
  return v;
}

// The matrix of a transform from its values; `value` gives a three-number attribute by long name (angles in
// radians), the joint orient applying after the rotation as on a joint.
template <class Values>
MMatrix composeLocal(const Values& value, int order) {
  const std::vector<double> t = value("translate");
  const std::vector<double> r = value("rotate");
  const std::vector<double> s = value("scale");
  const std::vector<double> sh = value("shear");
  const std::vector<double> ra = value("rotateAxis");
  const std::vector<double> jo = value("jointOrient");
  const std::vector<double> rp = value("rotatePivot");
  const std::vector<double> sp = value("scalePivot");
  const std::vector<double> rpt = value("rotatePivotTranslate");
  const std::vector<double> spt = value("scalePivotTranslate");

  MMatrix scale;
  scale.matrix[0][0] = s[0];
  scale.matrix[1][1] = s[1];
  scale.matrix[2][2] = s[2];
  MMatrix shear;
  shear.matrix[1][0] = sh[0];  // xy
  shear.matrix[2][0] = sh[1];  // xz
  shear.matrix[2][1] = sh[2];  // yz
  const std::vector<double> negativeSp = {-sp[0], -sp[1], -sp[2]};
  const std::vector<double> negativeRp = {-rp[0], -rp[1], -rp[2]};
  return translation(negativeSp) * scale * shear * translation(sp) * translation(spt) * translation(negativeRp) *
         rotation(ra, 0) * rotation(r, order) * rotation(jo, 0) * translation(rp) * translation(rpt) *
         translation(t);
}

}  // namespace

MMatrix localMatrix(const Node* node) {
  if (node == nullptr || !node->isTransform()) return MMatrix();
  const auto value = [node](const char* name) {
    // Plain transforms have no joint orient.
    if (std::string(name) == "jointOrient" && node->findAttribute(name) == nullptr) return std::vector<double>{0, 0, 0};
    return vector3(node, name);
  };
  return composeLocal(value, narrow<int>(readNumber(node, "rotateOrder", 0)));
}

std::vector<double> composeTransformMatrix(const std::map<std::string, std::vector<double>>& values) {
  static const std::map<std::string, std::string> shortNames = {
      {"translate", "t"},   {"rotate", "r"},       {"scale", "s"},          {"shear", "sh"},
      {"rotateAxis", "ra"}, {"jointOrient", "jo"}, {"rotatePivot", "rp"},   {"scalePivot", "sp"},
      {"rotatePivotTranslate", "rpt"},             {"scalePivotTranslate", "spt"}};
  const auto value = [&](const char* name) {
    const std::string& shortName = shortNames.at(name);
    auto found = values.find(shortName);
    std::vector<double> v = found != values.end() && found->second.size() == 3
                                ? found->second
                                : std::vector<double>(3, shortName == "s" ? 1.0 : 0.0);
    if (shortName == "r" || shortName == "ra" || shortName == "jo")
      for (double& a : v) a *= M_PI / 180.0;
    return v;
  };
  auto order = values.find("ro");
  const MMatrix m =
      composeLocal(value, order != values.end() && !order->second.empty() ? narrow<int>(order->second[0]) : 0);
  std::vector<double> out(16);
  for (int i = 0; i < 16; ++i) out[size_t(i)] = m.matrix[i / 4][i % 4];
  return out;
}

MMatrix inclusiveMatrix(const PathData& path) {
  MMatrix world;
  for (const PathLink* link = path.tail(); link != nullptr; link = link->parent.get()) {
    const Node* node = link->node.get();
    world = world * localMatrix(node);
    // A transform that does not inherit ignores everything above it.
    if (node->isTransform() && readNumber(node, "inheritsTransform", 1) == 0) break;
  }
  return world;
}

MMatrix exclusiveMatrix(const PathData& path) {
  PathData parent = path;
  parent.pop();
  return inclusiveMatrix(parent);
}

}  // namespace headless
