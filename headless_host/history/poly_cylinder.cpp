// polyCylinder: rings of points up the side, capped by fans around a centre point (or by one polygon when the
// caps have no subdivisions).
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <vector>

namespace headless {

namespace {

struct CylinderSettings {
  double radius = 1;
  double height = 2;
  int axisDivisions = 20;
  int heightDivisions = 1;
  int capDivisions = 0;
  int uvMode = 2;
};


bool readSettings(const HistoryNode& node, const HistoryContext& context, CylinderSettings& settings) {
  // Below these the host has no cylinder: a ring needs three sides, a side one span.
  if (!readLength(node, context, "r", 1, settings.radius) || !readLength(node, context, "h", 2, settings.height) ||
      !readCount(node, context, "sa", 20, 3, settings.axisDivisions) ||
      !readCount(node, context, "sh", 1, 1, settings.heightDivisions) ||
      !readCount(node, context, "sc", 0, 0, settings.capDivisions))
    return false;
  settings.uvMode = static_cast<int>(historyNumber(node, "cuv", 2));
  return true;
}

}  // namespace

bool generatePolyCylinder(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  CylinderSettings settings;
  if (!readSettings(node, context, settings)) return false;
  const int n = settings.axisDivisions;
  const int levels = settings.heightDivisions;
  const double corners = double(n) * (4.0 * levels + 6.0);
  if (!withinGeneratedSize(node, context, corners)) return false;
  // No baked reference shows these layouts; a guessed mesh would misplace every per-face assignment.
  if (settings.capDivisions > 1)
    return context.fail(node, "subdivisions on the caps (.sc " + std::to_string(settings.capDivisions) +
                                  ") are not evaluated by the headless host", 0);
  if (historyNumber(node, "rcp", 0) != 0)
    return context.fail(node, "round caps (.rcp) are not evaluated by the headless host", 0);
  const bool capCentres = settings.capDivisions == 1;

  std::vector<float> ux, uz;
  unitRing(n, ux, uz);
  PolyMeshBuilder builder(mesh);
  const float radius = float(settings.radius);
  const float step = float(settings.height / levels);
  // Height baseline -1 puts the base on the origin, 1 the top (no baked reference checks this yet).
  const float bottom = float(-settings.height / 2 * (1 + historyNumber(node, "hbl", 0)));
  for (int j = 0; j <= levels; ++j) {
    const float y = j == levels ? float(bottom + float(settings.height)) : bottom + float(j) * step;
    for (int i = 0; i < n; ++i) builder.addPoint(radius * ux[size_t(i)], y, radius * uz[size_t(i)]);
  }
  const int top = levels * n;
  const int bottomCentre = (levels + 1) * n;
  const int topCentre = bottomCentre + 1;
  if (capCentres) {
    builder.addPoint(0, bottom, 0);
    builder.addPoint(0, float(bottom + float(settings.height)), 0);
  }

  // Edges: every ring (the outer two hard), the sides level by level, then the spokes of the bottom and top
  // fans (whiteboxfinal2.ma polySurfaceShape1; sc 0: the same file's WaterLegShape2).
  for (int j = 0; j <= levels; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, j * n + (i + 1) % n, j != 0 && j != levels);
  for (int j = 0; j < levels; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, (j + 1) * n + i);
  if (capCentres) {
    for (int i = 0; i < n; ++i) builder.addEdge(bottomCentre, i);
    for (int i = 0; i < n; ++i) builder.addEdge(top + i, topCentre);
  }

  // UVs of createUVs 3 as the host lays them out since 2023: the bottom cap's circle, one row per ring of the
  // side (n + 1 wide, the seam doubled), the top cap's circle, then the two centres. The layout's proportions are
  // taken from the default 1 x 2 cylinder; whether they follow the radius and height is not checked.
  const bool mapped = settings.uvMode == 3;
  if (settings.uvMode != 0 && !mapped)
    context.warn(node, "createUVs " + std::to_string(settings.uvMode) +
                           " lays UVs out in a way the headless host does not know; made without UVs");
  int sideRow = 0, topCap = 0, bottomCentreUV = 0, topCentreUV = 0;
  if (mapped) {
    const float capRadius = 0.15625f;
    for (int i = 0; i < n; ++i) builder.addUV(0.5f + capRadius * ux[size_t(i)], capRadius + capRadius * uz[size_t(i)]);
    sideRow = n;
    const float uStep = 0.25f / float(n);
    const float vStep = 0.375f / float(levels);
    for (int j = 0; j <= levels; ++j) {
      const float v = j == levels ? 0.6875f : 0.3125f + float(j) * vStep;
      float u = 0.375f;
      for (int i = 0; i <= n; ++i, u += uStep) builder.addUV(u, v);
    }
    topCap = sideRow + (levels + 1) * (n + 1);
    for (int i = 0; i < n; ++i)
      builder.addUV(0.5f + capRadius * ux[size_t(i)], (1.0f - capRadius) + capRadius * uz[size_t(i)]);
    if (capCentres) {
      bottomCentreUV = builder.addUV(0.5f, capRadius);
      topCentreUV = builder.addUV(0.5f, 1.0f - capRadius);
    }
  }
  // The top cap's circle is mirrored onto its points: point i takes entry n - 2 - i (mod n).
  auto topUV = [&](int i) { return mirroredCapUV(topCap, n, i); };
  auto uvs = [&](std::initializer_list<int> ids) { return mapped ? std::vector<int>(ids) : std::vector<int>(); };

  // Faces: the sides level by level, then the bottom cap, then the top cap.
  for (int j = 0; j < levels; ++j)
    for (int i = 0; i < n; ++i) {
      const int next = (i + 1) % n;
      const int row = sideRow + j * (n + 1);
      builder.addFace({j * n + i, j * n + next, (j + 1) * n + next, (j + 1) * n + i},
                      uvs({row + i, row + i + 1, row + n + 1 + i + 1, row + n + 1 + i}));
    }
  if (capCentres) {
    for (int i = 0; i < n; ++i) builder.addFace({(i + 1) % n, i, bottomCentre}, uvs({(i + 1) % n, i, bottomCentreUV}));
    for (int i = 0; i < n; ++i)
      builder.addFace({top + i, top + (i + 1) % n, topCentre}, uvs({topUV(i), topUV((i + 1) % n), topCentreUV}));
  } else {
    addFlatCaps(builder, n, top, mapped, topCap);
  }
  return orientToAxis(node, context, mesh);
}

}  // namespace headless
