// Per-face-vertex normals: face normals by Newell's method, shared across soft edges, split at hard ones.
#include "mesh_normals.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace headless {

namespace {

std::pair<int, int> edgeKey(int a, int b) { return a < b ? std::make_pair(a, b) : std::make_pair(b, a); }

int findRoot(std::vector<int>& parent, int i) {
  while (parent[i] != i) {
    parent[i] = parent[parent[i]];
    i = parent[i];
  }
  return i;
}

}  // namespace

void computeVertexNormals(const std::vector<double>& points, const std::vector<int>& faceStart,
                          const std::vector<int>& faceVertices, const std::set<std::pair<int, int>>& hardEdges,
                          std::vector<double>& normals, std::vector<int>& faceVertexNormal) {
  const int numFaces = faceStart.empty() ? 0 : static_cast<int>(faceStart.size()) - 1;
  const int numFaceVertices = static_cast<int>(faceVertices.size());
  const int numVertices = static_cast<int>(points.size() / 3);
  normals.clear();
  faceVertexNormal.assign(numFaceVertices, -1);

  // Face normals (Newell's method handles non-planar and concave faces).
  std::vector<double> faceNormal(3 * numFaces, 0.0);
  std::vector<int> faceOf(numFaceVertices, 0);
  for (int f = 0; f < numFaces; ++f) {
    double n[3] = {0, 0, 0};
    for (int k = faceStart[f]; k < faceStart[f + 1]; ++k) {
      faceOf[k] = f;
      const int next = k + 1 < faceStart[f + 1] ? k + 1 : faceStart[f];
      const double* a = &points[3 * faceVertices[k]];
      const double* b = &points[3 * faceVertices[next]];
      n[0] += (a[1] - b[1]) * (a[2] + b[2]);
      n[1] += (a[2] - b[2]) * (a[0] + b[0]);
      n[2] += (a[0] - b[0]) * (a[1] + b[1]);
    }
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int c = 0; c < 3; ++c) faceNormal[3 * f + c] = length > 0 ? n[c] / length : 0.0;
  }

  // Corners of one vertex join when their faces share a soft edge at that vertex.
  std::vector<std::vector<int>> cornersOf(numVertices);
  for (int k = 0; k < numFaceVertices; ++k) cornersOf[faceVertices[k]].push_back(k);
  auto neighbours = [&](int k) {
    const int f = faceOf[k];
    const int size = faceStart[f + 1] - faceStart[f];
    const int local = k - faceStart[f];
    return std::make_pair(faceVertices[faceStart[f] + (local + size - 1) % size],
                          faceVertices[faceStart[f] + (local + 1) % size]);
  };
  std::vector<int> parent(numFaceVertices);
  std::iota(parent.begin(), parent.end(), 0);
  for (int v = 0; v < numVertices; ++v) {
    const std::vector<int>& corners = cornersOf[v];
    for (size_t i = 0; i < corners.size(); ++i) {
      const std::pair<int, int> a = neighbours(corners[i]);
      for (size_t j = i + 1; j < corners.size(); ++j) {
        const std::pair<int, int> b = neighbours(corners[j]);
        for (int w : {a.first, a.second}) {
          if (w != b.first && w != b.second) continue;
          if (hardEdges.count(edgeKey(v, w)) != 0) continue;
          parent[findRoot(parent, corners[i])] = findRoot(parent, corners[j]);
        }
      }
    }
  }

  // One normal per group, numbered vertex by vertex, groups in the order of their first corner.
  for (int v = 0; v < numVertices; ++v) {
    std::vector<int> corners = cornersOf[v];
    std::sort(corners.begin(), corners.end());
    std::vector<int> roots;
    for (int k : corners) {
      const int root = findRoot(parent, k);
      auto it = std::find(roots.begin(), roots.end(), root);
      int id = 0;
      if (it == roots.end()) {
        roots.push_back(root);
        double sum[3] = {0, 0, 0};
        for (int other : corners) {
          if (findRoot(parent, other) != root) continue;
          for (int c = 0; c < 3; ++c) sum[c] += faceNormal[3 * faceOf[other] + c];
        }
        const double length = std::sqrt(sum[0] * sum[0] + sum[1] * sum[1] + sum[2] * sum[2]);
        id = static_cast<int>(normals.size() / 3);
        for (int c = 0; c < 3; ++c) normals.push_back(length > 0 ? sum[c] / length : 0.0);
      } else {
        id = faceVertexNormal[*std::find_if(corners.begin(), corners.end(),
                                            [&](int other) { return findRoot(parent, other) == root; })];
      }
      faceVertexNormal[k] = id;
    }
  }
}

}  // namespace headless
