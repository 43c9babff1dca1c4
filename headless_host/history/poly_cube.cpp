// polyCube: eight corners, six faces, the host's cross-shaped UV layout.
#include "generators.h"
#include "poly_mesh_builder.h"

#include <cmath>

namespace headless {

// The layout is fixed by the baked unit cubes of the local corpus (maya-usd UsdExportSelectionTest.ma,
// UsdExportMeshTest.ma, UsdExportCameraTest.ma: created with .cuv 4, history deleted): the points, edges, faces
// and fourteen UVs below, every edge hard.
bool generatePolyCube(const HistoryNode& node, const HistoryContext& context, PolyMesh& mesh) {
  const double width = historyNumber(node, "w", 1), height = historyNumber(node, "h", 1),
               depth = historyNumber(node, "d", 1);
  if (!std::isfinite(width) || !std::isfinite(height) || !std::isfinite(depth))
    return context.fail(node, "its width, height and depth must be finite numbers", 0);
  for (const char* key : {"sw", "sh", "sd"})
    if (historyNumber(node, key, 1) > 1)
      return context.fail(node,
                          std::string("a subdivided cube (.") + key +
                              " above 1) is not evaluated: no baked reference fixes its layout",
                          0);
  const int uvMode = static_cast<int>(historyNumber(node, "cuv", 3));
  PolyMeshBuilder builder(mesh);
  const double x = width / 2, y = height / 2, z = depth / 2;
  const double points[8][3] = {{-x, -y, z}, {x, -y, z}, {-x, y, z}, {x, y, z},
                               {-x, y, -z}, {x, y, -z}, {-x, -y, -z}, {x, -y, -z}};
  for (const auto& p : points) builder.addPoint(p[0], p[1], p[2]);
  const int edges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {0, 2}, {1, 3},
                            {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 0}, {7, 1}};
  for (const auto& e : edges) builder.addEdge(e[0], e[1], false);
  if (uvMode != 0) {
    const double uvs[14][2] = {{0.375, 0},    {0.625, 0},    {0.375, 0.25}, {0.625, 0.25}, {0.375, 0.5},
                               {0.625, 0.5},  {0.375, 0.75}, {0.625, 0.75}, {0.375, 1},    {0.625, 1},
                               {0.875, 0},    {0.875, 0.25}, {0.125, 0},    {0.125, 0.25}};
    for (const auto& uv : uvs) builder.addUV(uv[0], uv[1]);
  }
  const int faces[6][4] = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6}, {6, 7, 1, 0}, {1, 7, 5, 3}, {6, 0, 2, 4}};
  const int faceUVs[6][4] = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6}, {6, 7, 9, 8}, {1, 10, 11, 3}, {12, 0, 2, 13}};
  for (int f = 0; f < 6; ++f) {
    const std::vector<int> vertices(faces[f], faces[f] + 4);
    builder.addFace(vertices, uvMode != 0 ? std::vector<int>(faceUVs[f], faceUVs[f] + 4) : std::vector<int>());
  }
  orientToAxis(node, mesh);
  return true;
}

}  // namespace headless
