// polyCone: rings of points narrowing up the side to an apex, over a base of one polygon.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <vector>

namespace headless {

namespace {


}  // namespace

bool generatePolyCone(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  double radiusValue = 1, height = 2;
  int n = 20, levels = 1, capDivisions = 0;
  if (!readLength(node, context, "r", 1, radiusValue) || !readLength(node, context, "h", 2, height) ||
      !readCount(node, context, "sa", 20, 3, n) || !readCount(node, context, "sh", 1, 1, levels) ||
      !readCount(node, context, "sc", 0, 0, capDivisions))
    return false;
  if (!withinGeneratedSize(node, context, double(n) * (4.0 * levels + 1.0))) return false;
  // No baked reference shows these layouts; a guessed mesh would misplace every per-face assignment.
  if (capDivisions > 0)
    return context.fail(node, "subdivisions on the base (.sc " + std::to_string(capDivisions) +
                                  ") are not evaluated by the headless host", 0);
  if (historyNumber(node, "rcp", 0) != 0)
    return context.fail(node, "a round cap (.rcp) is not evaluated by the headless host", 0);

  std::vector<float> ux, uz;
  unitRing(n, ux, uz);
  PolyMeshBuilder builder(mesh);
  // Ring j of the side sits j/levels up, its radius shrunk by as much (the Maya 2013 scene's three-level cone).
  const float radius = float(radiusValue);
  const float fraction = 1.0f / float(levels);
  const float step = float(height / levels);
  // Height baseline -1 puts the base on the origin, 1 the apex (no baked reference checks this yet).
  const float bottom = float(-height / 2 * (1 + historyNumber(node, "hbl", 0)));
  for (int j = 0; j < levels; ++j) {
    const float y = bottom + float(j) * step;
    const float scale = radius * (1.0f - float(j) * fraction);
    for (int i = 0; i < n; ++i) builder.addPoint(scale * ux[size_t(i)], y, scale * uz[size_t(i)]);
  }
  const int apex = builder.addPoint(0, float(bottom + float(height)), 0);
  const int last = (levels - 1) * n;

  // Edges: the rings (the base's hard), the sides level by level, then the spokes to the apex.
  for (int j = 0; j < levels; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, j * n + (i + 1) % n, j != 0);
  for (int j = 0; j + 1 < levels; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, (j + 1) * n + i);
  for (int i = 0; i < n; ++i) builder.addEdge(last + i, apex);

  // UVs: the base's circle, one row per ring of the side (n + 1 wide, narrowing as the ring does), the apex.
  // Only createUVs 3's layout is known (every cone in the references has it).
  const int uvMode = static_cast<int>(historyNumber(node, "cuv", 2));
  const bool mapped = uvMode == 3;
  if (uvMode != 0 && !mapped)
    context.warn(node, "createUVs " + std::to_string(uvMode) +
                           " lays UVs out in a way the headless host does not know; made without UVs");
  int apexUV = 0;
  if (mapped) {
    for (int i = 0; i < n; ++i) builder.addUV(0.5f + 0.25f * ux[size_t(i)], 0.25f + 0.25f * uz[size_t(i)]);
    float v = 0.5f;
    for (int j = 0; j < levels; ++j, v += 0.5f * fraction) {
      const float width = 0.5f * (1.0f - float(j) * fraction);
      const float uStep = width / float(n);
      float u = 0.5f - width / 2;
      for (int i = 0; i <= n; ++i, u += uStep) builder.addUV(u, v);
    }
    apexUV = builder.addUV(0.5f, 1.0f);
  }
  auto uvs = [&](std::initializer_list<int> ids) { return mapped ? std::vector<int>(ids) : std::vector<int>(); };
  auto row = [&](int j) { return n + j * (n + 1); };

  // Faces: the side's quads level by level, then the base, then the triangles round the apex.
  for (int j = 0; j + 1 < levels; ++j)
    for (int i = 0; i < n; ++i) {
      const int next = (i + 1) % n;
      builder.addFace({j * n + i, j * n + next, (j + 1) * n + next, (j + 1) * n + i},
                      uvs({row(j) + i, row(j) + i + 1, row(j + 1) + i + 1, row(j + 1) + i}));
    }
  std::vector<int> base, baseUVs;
  for (int i = 0; i < n; ++i) {
    base.push_back((n - i) % n);
    if (mapped) baseUVs.push_back((n - i) % n);
  }
  builder.addFace(base, baseUVs);
  for (int i = 0; i < n; ++i)
    builder.addFace({last + i, last + (i + 1) % n, apex}, uvs({row(levels - 1) + i, row(levels - 1) + i + 1, apexUV}));
  return orientToAxis(node, context, mesh);
}

}  // namespace headless
