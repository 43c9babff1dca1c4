// Building a PolyMesh point by point, edge by edge and face by face.
#include "poly_mesh_builder.h"

namespace headless {

PolyMeshBuilder::PolyMeshBuilder(PolyMesh& mesh) : mesh_(mesh) {
  if (mesh_.uvSets.empty()) mesh_.uvSets.emplace_back();
  for (int e = 0; e < static_cast<int>(mesh_.edges.size()); ++e)
    edgeIndex_.emplace(key(mesh_.edges[e].start, mesh_.edges[e].end), e);
}

std::uint64_t PolyMeshBuilder::key(int a, int b) {
  if (a > b) std::swap(a, b);
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) | static_cast<std::uint32_t>(b);
}

int PolyMeshBuilder::addPoint(double x, double y, double z) {
  // The host keeps points in single precision.
  mesh_.points.push_back({double(float(x)), double(float(y)), double(float(z))});
  return static_cast<int>(mesh_.points.size()) - 1;
}

int PolyMeshBuilder::addUV(double u, double v) {
  mesh_.uvSets[0].uvs.push_back({float(u), float(v)});
  return static_cast<int>(mesh_.uvSets[0].uvs.size()) - 1;
}

int PolyMeshBuilder::addEdge(int start, int end, bool smooth) {
  mesh_.edges.push_back({start, end, smooth});
  const int id = static_cast<int>(mesh_.edges.size()) - 1;
  edgeIndex_.emplace(key(start, end), id);
  return id;
}

int PolyMeshBuilder::findEdge(int a, int b) const {
  auto found = edgeIndex_.find(key(a, b));
  return found == edgeIndex_.end() ? -1 : found->second;
}

void PolyMeshBuilder::addFace(const std::vector<int>& vertices, const std::vector<int>& uvs) {
  const size_t n = vertices.size();
  PolyUVSet& set = mesh_.uvSets[0];
  // Faces added before the first mapped one are unmapped.
  if (!uvs.empty() && set.cornerUVs.size() < mesh_.faceEdges.size())
    set.cornerUVs.resize(mesh_.faceEdges.size(), -1);
  for (size_t i = 0; i < n; ++i) {
    const int a = vertices[i];
    const int b = vertices[(i + 1) % n];
    int edge = findEdge(a, b);
    if (edge < 0) edge = addEdge(a, b);
    mesh_.faceEdges.push_back(mesh_.edges[edge].start == a ? edge : -edge - 1);
    if (!uvs.empty())
      set.cornerUVs.push_back(uvs[i]);
    else if (!set.cornerUVs.empty())
      set.cornerUVs.push_back(-1);
  }
  mesh_.faceStart.push_back(static_cast<int>(mesh_.faceEdges.size()));
}

}  // namespace headless
