// polyPyramid: a regular polygon of 3, 4 or 5 sides whose side faces meet at an apex, every edge as long as a
// base side. The base may be split into rings around a centre point and the sides into levels.
//
// Layout from baked pyramids (createUVs 3, as the Create menu makes them): the default one of Goal.ma (Maya
// 2017), the three-sided one of pentaceratops.ma (Maya 2017) and the four-sided one of MASH_Influence.ma (Maya
// 2017) with three base rings and five levels, which fixes the ring and level order, the rounding of the levels
// and which edges are hard.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <string>
#include <vector>

namespace headless {

namespace {

struct PyramidSettings {
  double side = 1;
  int sides = 4;
  int levels = 1;
  int capRings = 0;
};

// A whole number clamped into [minimum, maximum] with a warning; false (error set) for NaN.
bool readCount(const HistoryNode& node, const HistoryContext& context, const char* key, double fallback, int minimum,
               int maximum, int& count) {
  const double value = historyNumber(node, key, fallback);
  if (std::isnan(value)) {
    const HistoryAttribute* attribute = findHistoryAttribute(node, key);
    return context.fail(node, std::string("its .") + key + " is not a number", attribute ? attribute->line : 0);
  }
  count = static_cast<int>(value < minimum ? minimum : value > maximum ? maximum : value);
  if (value < minimum || value >= maximum + 1.0)
    context.warn(node, std::string(".") + key + " " +
                           std::to_string(static_cast<long long>(std::fmax(-1e18, std::fmin(1e18, value)))) +
                           " is outside " + std::to_string(minimum) + " to " + std::to_string(maximum) +
                           ", made with " + std::to_string(count));
  return true;
}

bool readSettings(const HistoryNode& node, const HistoryContext& context, PyramidSettings& settings) {
  if (!readLength(node, context, "w", 1, settings.side)) return false;
  // The side count is an enum of 3, 4 and 5; a side needs one level, the base no rings.
  return readCount(node, context, "ns", 4, 3, 5, settings.sides) &&
         readCount(node, context, "sh", 1, 1, 1000000000, settings.levels) &&
         readCount(node, context, "sc", 0, 0, 1000000000, settings.capRings);
}

}  // namespace

bool generatePolyPyramid(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  PyramidSettings settings;
  if (!readSettings(node, context, settings)) return false;
  const int n = settings.sides;
  const int levels = settings.levels;
  const int rings = settings.capRings;
  if (!withinGeneratedSize(node, context, double(n) * (4.0 * levels + 4.0 * rings + 3.0))) return false;
  // Where the base polygon goes among the faces of a levelled side is shown by no baked reference.
  if (rings == 0 && levels > 1)
    return context.fail(node, "levels on the sides (.sh " + std::to_string(levels) +
                                  ") over an undivided base (.sc 0) are not evaluated by the headless host", 0);

  // The base ring's circumradius, and the height that makes the slanted edges as long as the base's.
  const double radius = settings.side / (2 * std::sin(M_PI / n));
  const double height = std::sqrt(std::fmax(0.0, settings.side * settings.side - radius * radius));
  std::vector<float> ux, uz;
  unitRing(n, ux, uz);
  PolyMeshBuilder builder(mesh);
  const float r = float(radius);
  const float bottom = float(-height / 2);
  // Points: the base's rings from the centre outwards (the last is the base's rim), the levels up the side, each
  // y one float step of height/levels above the last, then the base's centre and the apex.
  const int baseRings = rings > 0 ? rings : 1;
  for (int k = 0; k < baseRings; ++k) {
    const float scale = r * float(k + 1) / float(baseRings);
    for (int i = 0; i < n; ++i) builder.addPoint(scale * ux[size_t(i)], bottom, scale * uz[size_t(i)]);
  }
  const float step = float(height) / float(levels);
  float y = bottom;
  for (int j = 1; j < levels; ++j) {
    y += step;
    const float scale = r * float(levels - j) / float(levels);
    for (int i = 0; i < n; ++i) builder.addPoint(scale * ux[size_t(i)], y, scale * uz[size_t(i)]);
  }
  auto ring = [&](int level) { return (baseRings - 1 + level) * n; };  // level 0: the rim
  const int centre = rings > 0 ? builder.addPoint(0, bottom, 0) : -1;
  const int apex = builder.addPoint(0, float(height / 2), 0);

  // Edges: every ring, then the spokes joining ring to ring, the centre's spokes and the apex's. Each flat face
  // is smooth inside; the rim and the slanted edges are hard.
  const int allRings = baseRings + levels - 1;
  for (int k = 0; k < allRings; ++k)
    for (int i = 0; i < n; ++i) builder.addEdge(k * n + i, k * n + (i + 1) % n, k != baseRings - 1);
  for (int k = 0; k + 1 < allRings; ++k)
    for (int i = 0; i < n; ++i) builder.addEdge(k * n + i, (k + 1) * n + i, k + 1 < baseRings);
  if (centre >= 0)
    for (int i = 0; i < n; ++i) builder.addEdge(centre, i);
  for (int i = 0; i < n; ++i) builder.addEdge(ring(levels - 1) + i, apex, false);

  // UVs of createUVs 3: the base's rings as circles about (0.5, 0.25), one row per level of the side (n + 1 wide,
  // narrowing towards the apex), then the centre and the apex.
  const int uvMode = static_cast<int>(historyNumber(node, "cuv", 2));
  const bool mapped = uvMode == 3;
  if (uvMode != 0 && !mapped)
    context.warn(node, "createUVs " + std::to_string(uvMode) +
                           " lays UVs out in a way the headless host does not know; made without UVs");
  int centreUV = 0, apexUV = 0;
  if (mapped) {
    for (int k = 0; k < baseRings; ++k) {
      const float scale = 0.25f * float(k + 1) / float(baseRings);
      for (int i = 0; i < n; ++i) builder.addUV(0.5f + scale * ux[size_t(i)], 0.25f + scale * uz[size_t(i)]);
    }
    float v = 0.5f;
    for (int j = 0; j < levels; ++j, v += 0.5f / float(levels)) {
      const float uStep = 0.5f * (1.0f - float(j) / float(levels)) / float(n);
      float u = 0.25f + (v - 0.5f) * 0.5f;
      for (int i = 0; i <= n; ++i, u += uStep) builder.addUV(u, v);
    }
    if (centre >= 0) centreUV = builder.addUV(0.5f, 0.25f);
    apexUV = builder.addUV(0.5f, 1.0f);
  }
  auto uvs = [&](std::initializer_list<int> ids) { return mapped ? std::vector<int>(ids) : std::vector<int>(); };
  auto row = [&](int level) { return baseRings * n + level * (n + 1); };

  // Faces: the base's quads ring by ring, the side's level by level, the base's centre fan (or its one polygon),
  // then the triangles round the apex.
  for (int k = 0; k + 1 < allRings; ++k)
    for (int i = 0; i < n; ++i) {
      const int next = (i + 1) % n;
      const int a = k * n, b = (k + 1) * n;
      if (k + 1 < baseRings)
        builder.addFace({a + i, a + next, b + next, b + i}, uvs({a + i, a + next, b + next, b + i}));
      else {
        const int j = k + 1 - baseRings;
        builder.addFace({a + i, a + next, b + next, b + i},
                        uvs({row(j) + i, row(j) + i + 1, row(j + 1) + i + 1, row(j + 1) + i}));
      }
    }
  if (centre >= 0) {
    for (int i = 0; i < n; ++i) builder.addFace({(i + 1) % n, i, centre}, uvs({(i + 1) % n, i, centreUV}));
  } else {
    std::vector<int> base, baseUVs;
    for (int i = 0; i < n; ++i) {
      base.push_back((n - i) % n);
      if (mapped) baseUVs.push_back((n - i) % n);
    }
    builder.addFace(base, baseUVs);
  }
  const int top = ring(levels - 1);
  for (int i = 0; i < n; ++i)
    builder.addFace({top + i, top + (i + 1) % n, apex}, uvs({row(levels - 1) + i, row(levels - 1) + i + 1, apexUV}));
  return orientToAxis(node, context, mesh);
}

}  // namespace headless
