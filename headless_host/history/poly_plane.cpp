// polyPlane: a grid of sw x sh quads, built facing +Z and turned onto its axis.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <algorithm>
#include <cmath>

namespace headless {

// Layout from the baked planes of the local corpus (SimpleDisplacement.ma: 10 x 10, width 1; mtlxNodesShowcase.ma:
// 1 x 1, width 0.95, both .cuv 2): points row by row from +Z to -Z, each row from -X to +X, in single precision
// as -w/2 + i * (w/sw); per point first the edge along the row, then the one to the next row, border edges hard
// and inner ones soft; faces row by row, each from its corner at the lowest point id; UVs i/sw, j/sh per point.
bool generatePolyPlane(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  const double width = historyNumber(node, "w", 1), height = historyNumber(node, "h", 1);
  if (!std::isfinite(width) || !std::isfinite(height))
    return context.fail(node, "its width and height must be finite numbers", 0);
  int divisions[2] = {10, 10};
  const char* keys[2] = {"sw", "sh"};
  for (int k = 0; k < 2; ++k) {
    const double value = historyNumber(node, keys[k], 10);
    if (!(value >= 1)) {
      context.warn(node, std::string(".") + keys[k] + " below 1 taken as 1, as the host does");
      divisions[k] = 1;
    } else {
      divisions[k] = value > 1e6 ? 1000000 : static_cast<int>(value);
    }
  }
  const int sw = divisions[0], sh = divisions[1];
  if (!withinGeneratedSize(node, context, 4.0 * sw * sh)) return false;
  // UV mode 2 keeps the plane's aspect ratio, its longer side spanning 0..1: the square references above fix the
  // layout, and the baked 9 x 5 plane of library file 39377571382 (mesh polySurfaceShape1, UVs 0..1 by
  // 0..0.5555558) the ratio. Mode 1 makes UVs "for the object as a whole without any normalization" and "without
  // distortion" (the host's polyPlane command documentation): read as plane units or as the ratio kept, both give
  // the same UVs when the longer side is 1, the only planes evaluated in that mode; no baked reference of it was
  // found.
  const int uvMode = static_cast<int>(historyNumber(node, "cuv", 1));
  if (uvMode < 0 || uvMode > 2)
    return context.fail(node, "its UV mode .cuv " + std::to_string(uvMode) + " is not one the host has", 0);
  if (uvMode == 1 && std::max(std::fabs(width), std::fabs(height)) != 1)
    return context.fail(node, "UVs (.cuv 1) of a plane whose longer side is not 1 are not evaluated: no baked reference fixes them", 0);
  static const double facing[3] = {0, 0, 1};
  double m[3][3];
  if (!axisTurn(node, context, facing, m)) return false;

  PolyMeshBuilder builder(mesh);
  mesh.points.reserve(size_t(sw + 1) * size_t(sh + 1));
  const float stepX = float(width / sw), stepY = float(height / sh);
  const float startX = float(-width / 2), startY = float(-height / 2);
  for (int j = 0; j <= sh; ++j) {
    const float y = startY + float(j) * stepY;
    for (int i = 0; i <= sw; ++i) {
      const double x = double(startX + float(i) * stepX);
      builder.addPoint(m[0][0] * x + m[0][1] * y, m[1][0] * x + m[1][1] * y, m[2][0] * x + m[2][1] * y);
    }
  }
  const int row = sw + 1;
  for (int j = 0; j <= sh; ++j)
    for (int i = 0; i <= sw; ++i) {
      const int v = j * row + i;
      if (i < sw) builder.addEdge(v, v + 1, !(j == 0 || j == sh));
      if (j < sh) builder.addEdge(v, v + row, !(i == 0 || i == sw));
    }
  if (uvMode != 0) {
    const double longest = std::max(std::fabs(width), std::fabs(height));
    const double spanU = longest > 0 ? std::fabs(width) / longest : 1, spanV = longest > 0 ? std::fabs(height) / longest : 1;
    const float stepU = float(spanU / sw), stepV = float(spanV / sh);
    for (int j = 0; j <= sh; ++j)
      for (int i = 0; i <= sw; ++i) builder.addUV(float(i) * stepU, float(j) * stepV);
  }
  for (int j = 0; j < sh; ++j)
    for (int i = 0; i < sw; ++i) {
      const int v = j * row + i;
      const std::vector<int> corners = {v, v + 1, v + row + 1, v + row};
      builder.addFace(corners, uvMode != 0 ? corners : std::vector<int>());
    }
  return true;
}

}  // namespace headless
