// The generator node types the evaluation knows.
#include "generators.h"
#include "poly_mesh_builder.h"

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

bool readLength(const HistoryNode& node, const HistoryContext& context, const char* key, double fallback,
                double& length) {
  length = historyNumber(node, key, fallback);
  if (std::isfinite(length)) return true;
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  return context.fail(node, std::string("its .") + key + " is not a finite number", attribute ? attribute->line : 0);
}

bool readCount(const HistoryNode& node, const HistoryContext& context, const char* key, double fallback, int minimum,
               int& count) {
  double value = 0;
  if (!readLength(node, context, key, fallback, value)) return false;
  if (value < minimum) {
    context.warn(node, std::string(".") + key + " " + std::to_string(static_cast<long long>(std::fmax(-1e18, value))) +
                           " is below " + std::to_string(minimum) + ", made with " + std::to_string(minimum));
    count = minimum;
  } else {
    count = value > 1e9 ? 1000000000 : static_cast<int>(value);
  }
  return true;
}

int mirroredCapUV(int topCap, int n, int i) { return topCap + ((2 * n - 2 - i) % n); }

void addFlatCaps(PolyMeshBuilder& builder, int n, int top, bool mapped, int topCap) {
  std::vector<int> ring, ringUVs;
  for (int i = 0; i < n; ++i) {
    ring.push_back((n - i) % n);
    if (mapped) ringUVs.push_back((n - i) % n);
  }
  builder.addFace(ring, ringUVs);
  ring.clear();
  ringUVs.clear();
  for (int i = 0; i < n; ++i) {
    ring.push_back(top + i);
    if (mapped) ringUVs.push_back(mirroredCapUV(topCap, n, i));
  }
  builder.addFace(ring, ringUVs);
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
