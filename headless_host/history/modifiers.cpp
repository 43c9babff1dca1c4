// The modifier node types the evaluation knows, and what the deformers among them share.
#include "modifiers.h"

#include <map>

namespace headless {

Modifier findModifier(const std::string& type) {
  static const std::map<std::string, Modifier> modifiers = {
      {"groupParts", applyGroupParts},
      {"tweak", applyTweakDeformer},
      {"polyTweak", applyPolyTweak},
      {"polyTweakUV", applyPolyTweakUV},
      {"transformGeometry", applyTransformGeometry},
      {"skinCluster", applySkinCluster},
      {"blendShape", applyBlendShape},
      {"polyColorPerVertex", applyPolyColorPerVertex},
      {"createColorSet", applyCreateColorSet},
      {"deleteComponent", applyDeleteComponent},
      {"polySoftEdge", applyPolySoftEdge},
  };
  auto found = modifiers.find(type);
  return found == modifiers.end() ? nullptr : found->second;
}

std::string modifierInputPlug(const std::string& type, const std::string& outputPlug) {
  (void)type;
  if (outputPlug.compare(0, 3, "og[") == 0) return "ip[" + outputPlug.substr(3, outputPlug.size() - 4) + "].ig";
  if (outputPlug == "og") return "ig";
  return "ip";
}

double deformerEnvelope(const HistoryNode& node) { return historyNumber(node, "en", 1.0); }

void blendDeformed(const std::vector<Vec3>& before, double envelope, std::vector<Vec3>& points) {
  if (envelope == 1.0) return;
  for (size_t i = 0; i < points.size() && i < before.size(); ++i) {
    Vec3& p = points[i];
    const Vec3& b = before[i];
    p.x = double(float(b.x + envelope * (p.x - b.x)));
    p.y = double(float(b.y + envelope * (p.y - b.y)));
    p.z = double(float(b.z + envelope * (p.z - b.z)));
  }
}

void multiplyMatrices(const double (&a)[16], const double (&b)[16], double (&out)[16]) {
  double product[16] = {};
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      for (int k = 0; k < 4; ++k) product[4 * r + c] += a[4 * r + k] * b[4 * k + c];
  for (int i = 0; i < 16; ++i) out[i] = product[i];
}

Vec3 transformPoint(const double (&m)[16], const Vec3& p) {
  return {p.x * m[0] + p.y * m[4] + p.z * m[8] + m[12], p.x * m[1] + p.y * m[5] + p.z * m[9] + m[13],
          p.x * m[2] + p.y * m[6] + p.z * m[10] + m[14]};
}

}  // namespace headless
