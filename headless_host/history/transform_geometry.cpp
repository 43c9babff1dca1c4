// transformGeometry: carries every point by a matrix (".txf", or its inverse with ".itf"), as freezing a
// transformation into the points does.
#include "modifiers.h"

#include <cmath>

namespace headless {

namespace {

// The inverse of a 4x4 matrix by Gauss-Jordan elimination; false for a singular one.
bool invertMatrix(const double (&m)[16], double (&out)[16]) {
  double a[4][8];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 8; ++c) a[r][c] = c < 4 ? m[4 * r + c] : (c - 4 == r ? 1.0 : 0.0);
  for (int col = 0; col < 4; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 4; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    if (std::fabs(a[pivot][col]) < 1e-300) return false;
    for (int c = 0; c < 8; ++c) std::swap(a[col][c], a[pivot][c]);
    const double scale = a[col][col];
    for (int c = 0; c < 8; ++c) a[col][c] /= scale;
    for (int r = 0; r < 4; ++r) {
      if (r == col || a[r][col] == 0.0) continue;
      const double factor = a[r][col];
      for (int c = 0; c < 8; ++c) a[r][c] -= factor * a[col][c];
    }
  }
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) out[4 * r + c] = a[r][c + 4];
  return true;
}

}  // namespace

bool applyTransformGeometry(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& transform = context.graph.nodes[size_t(node)];
  if (context.connections.into(node, "txf") != nullptr)
    return context.unsupported(context.graph.nodes[size_t(context.connections.into(node, "txf")->source)].type);
  const std::vector<double> values =
      historyNumbers(transform, "txf", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  double matrix[16];
  for (int i = 0; i < 16; ++i) matrix[i] = values[size_t(i)];
  if (historyNumber(transform, "itf", 0) != 0 && !invertMatrix(matrix, matrix)) {
    const HistoryAttribute* attribute = findHistoryAttribute(transform, "txf");
    return context.fail(transform, "its transform (.txf) cannot be inverted", attribute ? attribute->line : 0);
  }
  for (Vec3& point : mesh.points) {
    const Vec3 moved = transformPoint(matrix, point);
    point = {double(float(moved.x)), double(float(moved.y)), double(float(moved.z))};
  }
  return true;
}

}  // namespace headless
