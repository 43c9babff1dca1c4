// polySoftEdge: each edge it names (".ics", every edge when it names none) between two faces becomes hard where
// the faces' normals are further apart than the smoothing angle (".a", degrees, default 30) and soft where they
// are not, as the host's node documentation says. An edge of one face has no such angle and keeps its flag;
// with ".ws" set the angle is taken after the object's matrix (".ix"), which a non-uniform scale changes.
#include "modifiers.h"

#include <cmath>

namespace headless {

namespace {

// A face's normal by Newell's sum, which needs no convex face; unit length, or zero for a face of no area.
Vec3 faceNormal(const PolyMesh& mesh, const std::vector<Vec3>& points, int face) {
  Vec3 n;
  const int first = mesh.faceStart[size_t(face)], end = mesh.faceStart[size_t(face) + 1];
  for (int corner = first; corner < end; ++corner) {
    const Vec3& a = points[size_t(mesh.cornerVertex(corner))];
    const Vec3& b = points[size_t(mesh.cornerVertex(corner + 1 < end ? corner + 1 : first))];
    n.x += (a.y - b.y) * (a.z + b.z);
    n.y += (a.z - b.z) * (a.x + b.x);
    n.z += (a.x - b.x) * (a.y + b.y);
  }
  const double length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
  if (length > 0) n = {n.x / length, n.y / length, n.z / length};
  return n;
}

}  // namespace

bool applyPolySoftEdge(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& soften = context.graph.nodes[size_t(node)];
  double angle = 30;
  if (!context.plugValue(node, "a", 30, angle)) return false;
  if (!std::isfinite(angle)) return context.fail(soften, "its angle .a is not a finite number", soften.line);

  const int edgeCount = static_cast<int>(mesh.edges.size());
  std::vector<int> named;
  const HistoryAttribute* components = findHistoryAttribute(soften, "ics");
  if (components == nullptr) {
    for (int e = 0; e < edgeCount; ++e) named.push_back(e);
  } else {
    std::string problem;
    if (!componentIndices(components->strings, "e", edgeCount, named, problem))
      return context.fail(soften, problem, components->line);
  }

  std::vector<Vec3> points = mesh.points;
  if (historyNumber(soften, "ws", 0) != 0) {
    const std::vector<double> m = historyNumbers(soften, "ix", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    double matrix[16];
    for (int i = 0; i < 16; ++i) matrix[i] = m[size_t(i)];
    for (Vec3& p : points) p = transformPoint(matrix, p);
  }
  // The faces on each side of every edge; -1 when none, -2 when more than two meet there.
  std::vector<int> left(size_t(edgeCount), -1), right(size_t(edgeCount), -1);
  for (int face = 0; face < mesh.numFaces(); ++face)
    for (int corner = mesh.faceStart[size_t(face)]; corner < mesh.faceStart[size_t(face) + 1]; ++corner) {
      const int e = mesh.faceEdges[size_t(corner)];
      const size_t edge = size_t(e >= 0 ? e : -e - 1);
      if (left[edge] == -1) left[edge] = face;
      else if (right[edge] == -1) right[edge] = face;
      else right[edge] = -2;
    }
  const double limit = std::cos(angle * M_PI / 180.0);
  for (const int e : named) {
    const int a = left[size_t(e)], b = right[size_t(e)];
    if (a < 0 || b < 0) continue;
    const Vec3 na = faceNormal(mesh, points, a), nb = faceNormal(mesh, points, b);
    const double cosine = na.x * nb.x + na.y * nb.y + na.z * nb.z;
    // An angle of 0 hardens every edge, also between faces in one plane (the host's Harden Edge).
    mesh.edges[size_t(e)].smooth = angle >= 180 || (angle > 0 && cosine >= limit);
  }
  return true;
}

}  // namespace headless
