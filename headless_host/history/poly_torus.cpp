// polyTorus: rings of points around the axis, one per step around the section circle, joined ring to ring
// into quads that close both ways.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <string>
#include <vector>

namespace headless {

namespace {

struct TorusSettings {
  double radius = 1;
  double sectionRadius = 0.5;
  int axisDivisions = 20;
  int heightDivisions = 20;
  bool mapped = true;
};

bool readSettings(const HistoryNode& node, const HistoryContext& context, TorusSettings& settings) {
  // A ring needs three sides, and so does the section.
  double uvMode = 1;
  if (!readLength(node, context, "r", 1, settings.radius) ||
      !readLength(node, context, "sr", 0.5, settings.sectionRadius) ||
      !readCount(node, context, "sa", 20, 3, settings.axisDivisions) ||
      !readCount(node, context, "sh", 20, 3, settings.heightDivisions) || !readLength(node, context, "cuv", 1, uvMode))
    return false;
  settings.mapped = uvMode != 0;
  return true;
}

}  // namespace

bool generatePolyTorus(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  TorusSettings settings;
  if (!readSettings(node, context, settings)) return false;
  const int n = settings.axisDivisions;
  const int m = settings.heightDivisions;
  if (!withinGeneratedSize(node, context, 4.0 * n * m)) return false;
  // No baked reference shows a twisted torus or the reversed UVs of pre-3.0 nodes; a guessed layout would
  // misplace every point or UV.
  const double twist = historyNumber(node, "tw", 0);
  if (twist != 0)
    return context.fail(node, "a twisted torus (.tw) is not evaluated by the headless host", 0);
  if (historyNumber(node, "rtx", 0) != 0)
    return context.fail(node, "reversed UVs (.rtx) are not evaluated by the headless host", 0);

  // Ring j lies at the j-th float step around the section circle, starting on the inside of the tube at the
  // equator and going up over the top: its radius is r - sr * cos, its height sr * sin, each product in single
  // precision (nimbus2000.ma pTorusShape2, the default torus of Maya 2023; Doctors office.ma pTorusShape2,
  // 10 x 10 with .sr 0.1, Maya 2018; TreasureChest_Model.ma pTorusShape3, 8 x 8 of radius 3.6178865; Lagoon
  // Catapult.ma pTorusShape1, 20 around the axis by 12 around the section: all to the last bit).
  std::vector<float> ux, uz, sx, sz;
  unitRing(n, ux, uz);
  unitRing(m, sx, sz);
  PolyMeshBuilder builder(mesh);
  const float radius = float(settings.radius);
  const float sectionRadius = float(settings.sectionRadius);
  for (int j = 0; j < m; ++j) {
    const float ringRadius = radius - sectionRadius * sx[size_t(m - 1 - j)];
    const float y = sectionRadius * sz[size_t(m - 1 - j)];
    for (int i = 0; i < n; ++i) builder.addPoint(ringRadius * ux[size_t(i)], y, ringRadius * uz[size_t(i)]);
  }

  // Edges: every ring, then the edges from each ring to the next (the last back to the first), all smooth as
  // in nimbus2000.ma and Doctors office.ma. TreasureChest_Model.ma has them all hard and Lagoon Catapult.ma
  // those around the axis, which their settings do not explain; that is not followed.
  for (int j = 0; j < m; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, j * n + (i + 1) % n);
  for (int j = 0; j < m; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, (j + 1) % m * n + i);

  // UVs: one row per ring and one more closing the tube, n + 1 wide (the seam doubled); u summed a float
  // step at a time from 0, v from 1 down.
  if (settings.mapped) {
    const float uStep = 1.0f / float(n);
    const float vStep = 1.0f / float(m);
    float v = 1.0f;
    for (int j = 0; j <= m; ++j, v -= vStep) {
      float u = 0.0f;
      for (int i = 0; i <= n; ++i, u += uStep) builder.addUV(u, v);
    }
  }

  // Faces ring by ring, each from the next point of its ring back, then up to the next ring.
  for (int j = 0; j < m; ++j)
    for (int i = 0; i < n; ++i) {
      const int next = (i + 1) % n;
      const int up = (j + 1) % m * n;
      const int row = j * (n + 1);
      std::vector<int> uvs;
      if (settings.mapped) uvs = {row + i + 1, row + i, row + n + 1 + i, row + n + 1 + i + 1};
      builder.addFace({j * n + next, j * n + i, up + i, up + next}, uvs);
    }
  return orientToAxis(node, context, mesh);
}

}  // namespace headless
