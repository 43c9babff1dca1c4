// Per-face-vertex normals: face normals by Newell's method, shared across soft edges, split at hard ones.
#include "mesh_normals.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace headless {

namespace {

std::uint64_t edgeKey(int a, int b) {
  if (a > b) std::swap(a, b);
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) | static_cast<std::uint32_t>(b);
}

int findRoot(std::vector<int>& parent, int i) {
  while (parent[i] != i) {
    parent[i] = parent[parent[i]];
    i = parent[i];
  }
  return i;
}

}  // namespace

void computeVertexNormals(const std::vector<double>& points, const std::vector<int>& faceStart,
                          const std::vector<int>& faceVertices, const std::vector<std::pair<int, int>>& hardEdges,
                          std::vector<float>& normals, std::vector<int>& faceVertexNormal) {
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

  // The corners of each vertex, ascending, as one flat list with offsets.
  std::vector<int> cornerStart(numVertices + 1, 0);
  for (int k = 0; k < numFaceVertices; ++k) ++cornerStart[faceVertices[k] + 1];
  std::partial_sum(cornerStart.begin(), cornerStart.end(), cornerStart.begin());
  std::vector<int> cornersOf(numFaceVertices);
  {
    std::vector<int> fill(cornerStart.begin(), cornerStart.end() - 1);
    for (int k = 0; k < numFaceVertices; ++k) cornersOf[fill[faceVertices[k]]++] = k;
  }
  std::vector<std::uint64_t> hard;
  hard.reserve(hardEdges.size());
  for (const std::pair<int, int>& e : hardEdges) hard.push_back(edgeKey(e.first, e.second));
  std::sort(hard.begin(), hard.end());
  const auto isHard = [&](int a, int b) { return std::binary_search(hard.begin(), hard.end(), edgeKey(a, b)); };

  // Corners of one vertex join when their faces share a soft edge at that vertex.
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
    for (int i = cornerStart[v]; i < cornerStart[v + 1]; ++i) {
      const std::pair<int, int> a = neighbours(cornersOf[i]);
      for (int j = i + 1; j < cornerStart[v + 1]; ++j) {
        const std::pair<int, int> b = neighbours(cornersOf[j]);
        for (int w : {a.first, a.second}) {
          if (w != b.first && w != b.second) continue;
          if (!hard.empty() && isHard(v, w)) continue;
          parent[findRoot(parent, cornersOf[i])] = findRoot(parent, cornersOf[j]);
        }
      }
    }
  }

  // One normal per group, numbered vertex by vertex, groups in the order of their first corner: ids first, so
  // that the normals are allocated once at their final size.
  std::vector<int> roots;
  int numNormals = 0;
  for (int v = 0; v < numVertices; ++v) {
    roots.clear();
    const int firstId = numNormals;
    for (int i = cornerStart[v]; i < cornerStart[v + 1]; ++i) {
      const int k = cornersOf[i];
      const int root = findRoot(parent, k);
      const size_t group = size_t(std::find(roots.begin(), roots.end(), root) - roots.begin());
      if (group == roots.size()) {
        roots.push_back(root);
        ++numNormals;
      }
      faceVertexNormal[k] = firstId + static_cast<int>(group);
    }
  }
  // Each normal is the normalised sum of its corners' face normals, added in corner order; a vertex's normals
  // have consecutive ids, so one vertex's sums at a time are enough.
  normals.assign(3 * size_t(numNormals), 0.0f);
  std::vector<double> sums;
  for (int v = 0; v < numVertices; ++v) {
    if (cornerStart[v] == cornerStart[v + 1]) continue;
    const int firstId = faceVertexNormal[cornersOf[cornerStart[v]]];
    size_t groups = 0;
    for (int i = cornerStart[v]; i < cornerStart[v + 1]; ++i)
      groups = std::max(groups, size_t(faceVertexNormal[cornersOf[i]] - firstId) + 1);
    sums.assign(3 * groups, 0.0);
    for (int i = cornerStart[v]; i < cornerStart[v + 1]; ++i) {
      const int k = cornersOf[i];
      const size_t local = size_t(faceVertexNormal[k] - firstId);
      for (int c = 0; c < 3; ++c) sums[3 * local + c] += faceNormal[3 * faceOf[k] + c];
    }
    for (size_t local = 0; local < groups; ++local) {
      const double* n = &sums[3 * local];
      const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
      float* out = &normals[3 * (size_t(firstId) + local)];
      for (int c = 0; c < 3; ++c) out[c] = static_cast<float>(length > 0 ? n[c] / length : 0.0);
    }
  }
}

}  // namespace headless
