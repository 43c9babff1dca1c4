// polySphere: rings of latitude from the south pole up, then the two poles; quads between the rings and
// triangle fans around the poles.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <string>
#include <vector>

namespace headless {

namespace {

struct SphereSettings {
  double radius = 1;
  int axisDivisions = 20;
  int heightDivisions = 20;
  int uvMode = 2;
};

bool readSettings(const HistoryNode& node, const HistoryContext& context, SphereSettings& settings) {
  // A ring needs three sides and a sphere one ring between its poles.
  double uvMode = 2;
  if (!readLength(node, context, "r", 1, settings.radius) ||
      !readCount(node, context, "sa", 20, 3, settings.axisDivisions) ||
      !readCount(node, context, "sh", 20, 2, settings.heightDivisions) || !readLength(node, context, "cuv", 2, uvMode))
    return false;
  settings.uvMode = static_cast<int>(uvMode);
  return true;
}

// The rings' heights and radii on the unit sphere, ring j at latitude j * pi / m from the south pole. The
// heights of the lower half come from rotating (0, -1) by one float step per ring; the equator is exactly 0,
// the upper half mirrors the lower, and a ring's radius is the height of the ring as far from the equator as
// it is from the pole (the default sphere of InstancerTestMash.ma and Ball_rig.ma match this to the last bit).
void latitudes(int m, std::vector<float>& height, std::vector<float>& radius) {
  const float angle = float(M_PI / m);
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  height.assign(size_t(m) + 1, 0.0f);
  radius.assign(size_t(m) + 1, 0.0f);
  float pr = 0.0f;
  float py = -1.0f;
  const int half = m / 2;
  for (int j = 0; j < half; ++j) {
    height[size_t(j)] = py;
    const float nr = c * pr - s * py;
    const float ny = s * pr + c * py;
    pr = nr;
    py = ny;
  }
  for (int j = half + 1; j <= m; ++j) height[size_t(j)] = -height[size_t(m - j)];
  for (int j = 0; j <= half; ++j) radius[size_t(j)] = radius[size_t(m - j)] = -height[size_t(half - j)];
}

}  // namespace

bool generatePolySphere(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  SphereSettings settings;
  if (!readSettings(node, context, settings)) return false;
  const int n = settings.axisDivisions;
  const int m = settings.heightDivisions;
  const double corners = double(n) * (4.0 * (m - 2) + 6.0);
  if (!withinGeneratedSize(node, context, corners)) return false;
  // No baked reference shows these; a guessed layout would misplace every per-face assignment.
  if (m % 2 != 0)
    return context.fail(node, "an odd number of height divisions (.sh " + std::to_string(m) +
                                  ") is not evaluated by the headless host", 0);
  if (settings.uvMode != 0 && settings.uvMode != 2)
    return context.fail(node, "createUVs " + std::to_string(settings.uvMode) +
                                  " lays UVs out in a way the headless host does not know", 0);
  const bool mapped = settings.uvMode == 2;

  std::vector<float> ux, uz, height, ringRadius;
  unitRing(n, ux, uz);
  latitudes(m, height, ringRadius);
  PolyMeshBuilder builder(mesh);
  const float radius = float(settings.radius);
  const int rings = m - 1;
  for (int j = 1; j <= rings; ++j) {
    const float r = radius * ringRadius[size_t(j)];
    for (int i = 0; i < n; ++i) builder.addPoint(r * ux[size_t(i)], radius * height[size_t(j)], r * uz[size_t(i)]);
  }
  const int southPole = rings * n;
  const int northPole = southPole + 1;
  builder.addPoint(0, -radius, 0);
  builder.addPoint(0, radius, 0);

  // Edges: every ring, then the meridians ring by ring, then the spokes of the south and north poles, all
  // smooth (InstancerTestMash.ma prototypeUnderInstancerShape).
  for (int j = 0; j < rings; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, j * n + (i + 1) % n);
  for (int j = 0; j + 1 < rings; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, (j + 1) * n + i);
  for (int i = 0; i < n; ++i) builder.addEdge(southPole, i);
  for (int i = 0; i < n; ++i) builder.addEdge((rings - 1) * n + i, northPole);

  // UVs: one row per ring (n + 1 wide, the seam doubled), u and v summed a float step at a time, then one UV
  // per pole triangle at the middle of its span (same file).
  int southUV = 0, northUV = 0;
  if (mapped) {
    const float uStep = 1.0f / float(n);
    const float vStep = 1.0f / float(m);
    float v = vStep;
    for (int j = 0; j < rings; ++j, v += vStep) {
      float u = 0.0f;
      for (int i = 0; i <= n; ++i, u += uStep) builder.addUV(u, v);
    }
    southUV = rings * (n + 1);
    northUV = southUV + n;
    for (int i = 0; i < n; ++i) builder.addUV((float(i) + 0.5f) * uStep, 0.0f);
    for (int i = 0; i < n; ++i) builder.addUV((float(i) + 0.5f) * uStep, 1.0f);
  }
  auto uvs = [&](std::initializer_list<int> ids) { return mapped ? std::vector<int>(ids) : std::vector<int>(); };

  // Faces: the quads ring by ring, then the south fan, then the north fan.
  for (int j = 0; j + 1 < rings; ++j)
    for (int i = 0; i < n; ++i) {
      const int next = (i + 1) % n;
      const int row = j * (n + 1);
      builder.addFace({j * n + i, j * n + next, (j + 1) * n + next, (j + 1) * n + i},
                      uvs({row + i, row + i + 1, row + n + 1 + i + 1, row + n + 1 + i}));
    }
  for (int i = 0; i < n; ++i) builder.addFace({(i + 1) % n, i, southPole}, uvs({i + 1, i, southUV + i}));
  const int top = (rings - 1) * n;
  const int topRow = (rings - 1) * (n + 1);
  for (int i = 0; i < n; ++i)
    builder.addFace({top + i, top + (i + 1) % n, northPole}, uvs({topRow + i, topRow + i + 1, northUV + i}));
  return orientToAxis(node, context, mesh);
}

}  // namespace headless
