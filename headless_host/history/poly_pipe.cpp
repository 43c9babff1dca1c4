// polyPipe: a tube whose section is a rectangle, walked as four rings (inside bottom, inside top, outside top,
// outside bottom) joined ring to ring into quads that close back onto the first.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>
#include <string>
#include <vector>

namespace headless {

namespace {

struct PipeSettings {
  double radius = 1;
  double height = 2;
  double thickness = 0.5;
  int axisDivisions = 20;
  int heightDivisions = 1;
  int capDivisions = 1;
  bool mapped = true;
};

bool readSettings(const HistoryNode& node, const HistoryContext& context, PipeSettings& settings) {
  // A ring needs three sides, the wall one span. The caps' default is not 0: most files with a pipe set .sc 0,
  // and the host writes only values other than the default; which layout the default has, no reference shows.
  double uvMode = 1;
  if (!readLength(node, context, "r", 1, settings.radius) || !readLength(node, context, "h", 2, settings.height) ||
      !readLength(node, context, "t", 0.5, settings.thickness) ||
      !readCount(node, context, "sa", 20, 3, settings.axisDivisions) ||
      !readCount(node, context, "sh", 1, 1, settings.heightDivisions) ||
      !readCount(node, context, "sc", 1, 0, settings.capDivisions) || !readLength(node, context, "cuv", 1, uvMode))
    return false;
  settings.mapped = uvMode != 0;
  return true;
}

}  // namespace

bool generatePolyPipe(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  PipeSettings settings;
  if (!readSettings(node, context, settings)) return false;
  const int n = settings.axisDivisions;
  if (!withinGeneratedSize(node, context, 16.0 * n)) return false;
  // The baked references are all one span high with plain caps; a guessed layout for the others would
  // misplace every per-face assignment.
  if (settings.heightDivisions != 1)
    return context.fail(node, "a pipe of more than one span (.sh " + std::to_string(settings.heightDivisions) +
                                  ") is not evaluated by the headless host", 0);
  if (settings.capDivisions != 0)
    return context.fail(node, "subdivided caps (.sc " + std::to_string(settings.capDivisions) +
                                  ") are not evaluated by the headless host", 0);
  if (historyNumber(node, "rcp", 0) != 0)
    return context.fail(node, "round caps (.rcp) are not evaluated by the headless host", 0);

  // Built about +Z and turned onto the axis like the plane: the turn's rounding leaves z = y * 2.2e-16 on the
  // points of E5530_Hinges.ma's polySurfaceShape1 (Maya 2018). Each ring starts at +X and turns its own point,
  // not a unit one, by one float rotation per step; the inside radius is r - t in single precision (that pipe,
  // r 0.33 t 0.1 h 1, and OutdoorScene.ma's TreepotShape, Maya 2025, r 1.3364635 t 0.6: to the last bit).
  static const double built[3] = {0, 0, 1};
  double m[3][3];
  if (!axisTurn(node, context, built, m)) return false;
  const float outside = float(settings.radius);
  const float inside = outside - float(settings.thickness);
  const float top = float(settings.height / 2);
  struct Ring {
    float radius, z;
  };
  const Ring rings[4] = {{inside, -top}, {inside, top}, {outside, top}, {outside, -top}};
  const float angle = float(2.0 * M_PI / n);
  const float c = std::cos(angle), s = std::sin(angle);
  PolyMeshBuilder builder(mesh);
  for (const Ring& ring : rings) {
    float x = ring.radius, y = 0.0f;
    const double z = ring.z;
    for (int i = 0; i < n; ++i) {
      builder.addPoint(m[0][0] * x + m[0][1] * y + m[0][2] * z, m[1][0] * x + m[1][1] * y + m[1][2] * z,
                       m[2][0] * x + m[2][1] * y + m[2][2] * z);
      const float nx = c * x - s * y, ny = s * x + c * y;
      x = nx, y = ny;
    }
  }

  // Edges: the four rings, hard (the rectangle's corners), then the smooth edges from each ring to the next,
  // the last back to the first. UVs and faces as the torus lays them out: one UV row per ring and one closing
  // the loop, v from 1 down in quarters (both pipes above).
  const int m4 = 4;
  for (int j = 0; j < m4; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, j * n + (i + 1) % n, false);
  for (int j = 0; j < m4; ++j)
    for (int i = 0; i < n; ++i) builder.addEdge(j * n + i, (j + 1) % m4 * n + i);
  if (settings.mapped) {
    const float uStep = 1.0f / float(n);
    for (int j = 0; j <= m4; ++j) {
      const float v = 1.0f - float(j) * 0.25f;
      float u = 0.0f;
      for (int i = 0; i <= n; ++i, u += uStep) builder.addUV(u, v);
    }
  }
  for (int j = 0; j < m4; ++j)
    for (int i = 0; i < n; ++i) {
      const int next = (i + 1) % n;
      const int up = (j + 1) % m4 * n;
      const int row = j * (n + 1);
      std::vector<int> uvs;
      if (settings.mapped) uvs = {row + i + 1, row + i, row + n + 1 + i, row + n + 1 + i + 1};
      builder.addFace({j * n + next, j * n + i, up + i, up + next}, uvs);
    }
  return true;
}

}  // namespace headless
