// polyPrism: two regular polygons of ns sides (side length w) joined by a ring of quads, l long; every edge hard.
//
// Layout from baked prisms (createUVs 3): the default one of SpeedAnimation002.ma (Maya 2025), which fixes the
// UVs as the host lays them out since 2023, and a five-sided one 0.5 wide and 3.959 long of Tent.0003.ma (Maya
// 2015), which fixes the ring for other side counts and the earlier UVs (".ouv", the host's pre-2023 UVs).
// Both are the cylinder's layout without cap centres.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <string>
#include <vector>

namespace headless {

namespace {

}  // namespace

bool generatePolyPrism(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  double length = 2, side = 1;
  int n = 3, levels = 1, capRings = 0;
  if (!readLength(node, context, "l", 2, length) || !readLength(node, context, "w", 1, side) ||
      !readCount(node, context, "ns", 3, 3, n) || !readCount(node, context, "sh", 1, 1, levels) ||
      !readCount(node, context, "sc", 0, 0, capRings))
    return false;
  if (!withinGeneratedSize(node, context, double(n) * (4.0 * levels + 2.0 + 8.0 * capRings))) return false;
  // No baked reference shows these layouts; a guessed mesh would misplace every per-face assignment.
  if (levels > 1)
    return context.fail(node, "levels along the prism (.sh " + std::to_string(levels) +
                                  ") are not evaluated by the headless host", 0);
  if (capRings > 0)
    return context.fail(node, "subdivisions on the caps (.sc " + std::to_string(capRings) +
                                  ") are not evaluated by the headless host", 0);

  std::vector<float> ux, uz;
  unitRing(n, ux, uz);
  PolyMeshBuilder builder(mesh);
  const float radius = float(side / (2 * std::sin(M_PI / n)));
  for (const float y : {float(-length / 2), float(length / 2)})
    for (int i = 0; i < n; ++i) builder.addPoint(radius * ux[size_t(i)], y, radius * uz[size_t(i)]);

  // Edges: the bottom ring, the top ring, then the sides; all hard.
  for (int j = 0; j < 2; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, j * n + (i + 1) % n, false);
  for (int i = 0; i < n; ++i) builder.addEdge(i, n + i, false);

  // UVs of createUVs 3: the bottom cap's circle, the side's two rows (n + 1 wide, the seam doubled), the top
  // cap's circle. Before 2023 the side's top row sat at 0.68843985 (both references of that layout agree, for
  // all their difference in proportions).
  const int uvMode = static_cast<int>(historyNumber(node, "cuv", 2));
  const bool mapped = uvMode == 3;
  if (uvMode != 0 && !mapped)
    context.warn(node, "createUVs " + std::to_string(uvMode) +
                           " lays UVs out in a way the headless host does not know; made without UVs");
  const int sideRow = n, topCap = 3 * n + 2;
  if (mapped) {
    const float capRadius = 0.15625f;
    for (int i = 0; i < n; ++i) builder.addUV(0.5f + capRadius * ux[size_t(i)], capRadius + capRadius * uz[size_t(i)]);
    // A file from before 2023 cannot set ".ouv" and keeps the earlier UVs, as the host keeps them on load.
    const bool earlier = context.graph.hostVersion > 0 && context.graph.hostVersion < 2023;
    const float topRow = historyNumber(node, "ouv", earlier ? 1 : 0) != 0 ? 0.68843985f : 0.6875f;
    for (const float v : {0.3125f, topRow}) {
      float u = 0.375f;
      for (int i = 0; i <= n; ++i, u += 0.25f / float(n)) builder.addUV(u, v);
    }
    for (int i = 0; i < n; ++i)
      builder.addUV(0.5f + capRadius * ux[size_t(i)], (1.0f - capRadius) + capRadius * uz[size_t(i)]);
  }
  auto uvs = [&](std::initializer_list<int> ids) { return mapped ? std::vector<int>(ids) : std::vector<int>(); };

  // Faces: the sides, then the bottom cap, then the top cap.
  for (int i = 0; i < n; ++i) {
    const int next = (i + 1) % n;
    builder.addFace({i, next, n + next, n + i},
                    uvs({sideRow + i, sideRow + i + 1, sideRow + n + 1 + i + 1, sideRow + n + 1 + i}));
  }
  addFlatCaps(builder, n, n, mapped, topCap);
  return orientToAxis(node, context, mesh);
}

}  // namespace headless
