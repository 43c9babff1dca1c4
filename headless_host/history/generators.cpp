// The generator node types the evaluation knows.
#include "generators.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace headless {

Generator findGenerator(const std::string& type) {
  static const std::unordered_map<std::string, Generator> generators = {
      {"polyCube", generatePolyCube},         {"polySphere", generatePolySphere},
      {"polyPlane", generatePolyPlane},       {"polyCylinder", generatePolyCylinder},
      {"polyCone", generatePolyCone},         {"polyTorus", generatePolyTorus},
      {"polyPyramid", generatePolyPyramid},   {"polyPipe", generatePolyPipe},
      {"polyPrism", generatePolyPrism},       {"polyPlatonic", generatePolyPlatonic}};
  auto found = generators.find(type);
  return found == generators.end() ? nullptr : found->second;
}

void unitRing(int n, std::vector<float>& x, std::vector<float>& z) {
  const float angle = float(2.0 * M_PI / n);
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  x.assign(size_t(n), 0.0f);
  z.assign(size_t(n), 0.0f);
  float px = 1.0f;
  float pz = 0.0f;
  for (int k = 0; k < n; ++k) {
    x[size_t(n - 1 - k)] = px;
    z[size_t(n - 1 - k)] = pz;
    const float nx = c * px - s * pz;
    const float nz = s * px + c * pz;
    px = nx;
    pz = nz;
  }
}

bool withinGeneratedSize(const HistoryNode& node, const HistoryContext& context, double corners) {
  // 2^25 corners: an 2896 x 2896 plane, far beyond what artists generate, well within memory.
  const double limit = 33554432.0;
  if (corners <= limit) return true;
  return context.fail(node,
                      "its subdivisions make " + std::to_string(static_cast<long long>(std::min(corners, 1e18))) +
                          " face corners, more than the headless host makes of a primitive (" +
                          std::to_string(static_cast<long long>(limit)) + ")",
                      0);
}

}  // namespace headless
