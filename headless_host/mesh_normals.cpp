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

void computeVertexNormals(const float* points, int numVertices, const std::vector<int>& faceStart,
                          const std::vector<int>& faceVertices, const std::vector<std::pair<int, int>>& hardEdges,
                          std::vector<float>& normals, std::vector<int>& faceVertexNormal) {
  const int numFaces = faceStart.empty() ? 0 : static_cast<int>(faceStart.size()) - 1;
  const int numFaceVertices = static_cast<int>(faceVertices.size());
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
      const float* a = &points[3 * size_t(faceVertices[k])];
      const float* b = &points[3 * size_t(faceVertices[next])];
      const double ax = a[0], ay = a[1], az = a[2], bx = b[0], by = b[1], bz = b[2];
      n[0] += (ay - by) * (az + bz);
      n[1] += (az - bz) * (ax + bx);
      n[2] += (ax - bx) * (ay + by);
    }
    const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    for (int c = 0; c < 3; ++c) faceNormal[3 * f + c] = length > 0 ? n[c] / length : 0.0;
  }

  // The corners of each vertex, ascending, as one flat list with offsets: counted, then placed by moving each
  // vertex's offset along its run, which leaves it at the start of the next run.
  std::vector<int> cornerStart(size_t(numVertices) + 1, 0);
  for (int k = 0; k < numFaceVertices; ++k) ++cornerStart[size_t(faceVertices[k]) + 1];
  std::partial_sum(cornerStart.begin(), cornerStart.end(), cornerStart.begin());
  std::vector<int> cornersOf(static_cast<size_t>(numFaceVertices));
  for (int k = 0; k < numFaceVertices; ++k) cornersOf[size_t(cornerStart[size_t(faceVertices[k])]++)] = k;
  for (int v = numVertices; v > 0; --v) cornerStart[size_t(v)] = cornerStart[size_t(v) - 1];
  cornerStart[0] = 0;

  // Hard edges sorted for lookup; most vertices touch none, which one flag per vertex tells without a search.
  std::vector<std::uint64_t> hard;
  std::vector<unsigned char> touchesHard(size_t(numVertices), 0);
  hard.reserve(hardEdges.size());
  for (const std::pair<int, int>& e : hardEdges) {
    hard.push_back(edgeKey(e.first, e.second));
    for (int end : {e.first, e.second})
      if (end >= 0 && end < numVertices) touchesHard[size_t(end)] = 1;
  }
  std::sort(hard.begin(), hard.end());
  const auto isHard = [&](int a, int b) { return std::binary_search(hard.begin(), hard.end(), edgeKey(a, b)); };

  // Corners of one vertex join when their faces share a soft edge at that vertex: the vertices before and after
  // each corner are compared, pair by pair, in a union-find over that vertex's corners alone. The groups then
  // take the next normal ids vertex by vertex, in the order of their first corner.
  auto neighbours = [&](int k) {
    const int first = faceStart[faceOf[k]], last = faceStart[faceOf[k] + 1] - 1;
    return std::make_pair(faceVertices[k == first ? last : k - 1], faceVertices[k == last ? first : k + 1]);
  };
  std::vector<std::pair<int, int>> around;
  std::vector<int> parent, idOfRoot;
  int numNormals = 0;
  for (int v = 0; v < numVertices; ++v) {
    const int begin = cornerStart[size_t(v)], count = cornerStart[size_t(v) + 1] - begin;
    around.clear();
    parent.resize(size_t(count));
    for (int i = 0; i < count; ++i) {
      around.push_back(neighbours(cornersOf[size_t(begin + i)]));
      parent[size_t(i)] = i;
    }
    for (int i = 0; i < count; ++i) {
      const std::pair<int, int> a = around[size_t(i)];
      for (int j = i + 1; j < count; ++j) {
        const std::pair<int, int> b = around[size_t(j)];
        for (int w : {a.first, a.second}) {
          if (w != b.first && w != b.second) continue;
          if (touchesHard[size_t(v)] && isHard(v, w)) continue;
          parent[size_t(findRoot(parent, i))] = findRoot(parent, j);
        }
      }
    }
    idOfRoot.assign(size_t(count), -1);
    for (int i = 0; i < count; ++i) {
      int& id = idOfRoot[size_t(findRoot(parent, i))];
      if (id < 0) id = numNormals++;
      faceVertexNormal[size_t(cornersOf[size_t(begin + i)])] = id;
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
