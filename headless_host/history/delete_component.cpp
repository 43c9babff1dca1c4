// deleteComponent: removes the faces its list names (".dc"), then the edges, vertices, UVs and colours no face
// left uses; what remains keeps its order and is numbered anew from 0, and face groups lose the deleted faces.
// Deleting an edge or a vertex merges the faces around it, which is not evaluated: such a list skips the shape.
#include "modifiers.h"

namespace headless {

namespace {

// Keeps the entries whose flag is set, numbered in order; returns each old id's new id (-1 for dropped ones).
std::vector<int> renumber(const std::vector<char>& kept) {
  std::vector<int> ids(kept.size(), -1);
  int next = 0;
  for (size_t i = 0; i < kept.size(); ++i)
    if (kept[i]) ids[i] = next++;
  return ids;
}

template <typename T>
std::vector<T> keep(const std::vector<T>& values, const std::vector<int>& ids) {
  std::vector<T> out;
  for (size_t i = 0; i < values.size() && i < ids.size(); ++i)
    if (ids[i] >= 0) out.push_back(values[i]);
  return out;
}

// Drops the corners of deleted faces from a per-corner id list, then the values no corner uses.
template <typename T>
void compactCornerValues(const std::vector<char>& cornerKept, std::vector<int>& cornerIds, std::vector<T>& values) {
  if (cornerIds.empty()) return;
  std::vector<int> ids;
  std::vector<char> used(values.size(), 0);
  for (size_t c = 0; c < cornerIds.size(); ++c) {
    if (!cornerKept[c]) continue;
    ids.push_back(cornerIds[c]);
    if (cornerIds[c] >= 0) used[size_t(cornerIds[c])] = 1;
  }
  const std::vector<int> renumbered = renumber(used);
  for (int& id : ids)
    if (id >= 0) id = renumbered[size_t(id)];
  values = keep(values, renumbered);
  cornerIds = std::move(ids);
}

}  // namespace

bool applyDeleteComponent(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& remove = context.graph.nodes[size_t(node)];
  const HistoryAttribute* list = findHistoryAttribute(remove, "dc");
  if (list == nullptr) return true;
  std::vector<int> faces;
  std::string problem;
  int others = 0;
  if (!componentIndices(list->strings, "f", mesh.numFaces(), faces, problem, &others))
    return context.fail(remove, problem, list->line);
  if (others > 0)
    return context.fail(remove, "it deletes edges or vertices, which merge faces and are not evaluated", list->line);

  const int faceCount = mesh.numFaces();
  std::vector<char> faceKept(size_t(faceCount), 1), cornerKept(size_t(mesh.numCorners()), 1);
  for (const int f : faces) {
    faceKept[size_t(f)] = 0;
    for (int c = mesh.faceStart[size_t(f)]; c < mesh.faceStart[size_t(f) + 1]; ++c) cornerKept[size_t(c)] = 0;
  }
  std::vector<char> edgeKept(mesh.edges.size(), 0), pointKept(mesh.points.size(), 0);
  for (size_t c = 0; c < cornerKept.size(); ++c) {
    if (!cornerKept[c]) continue;
    const int e = mesh.faceEdges[c];
    const PolyEdge& edge = mesh.edges[size_t(e >= 0 ? e : -e - 1)];
    edgeKept[size_t(e >= 0 ? e : -e - 1)] = 1;
    pointKept[size_t(edge.start)] = pointKept[size_t(edge.end)] = 1;
  }
  const std::vector<int> faceIds = renumber(faceKept), edgeIds = renumber(edgeKept), pointIds = renumber(pointKept);

  PolyMesh out;
  out.points = keep(mesh.points, pointIds);
  for (size_t e = 0; e < mesh.edges.size(); ++e) {
    if (edgeIds[e] < 0) continue;
    PolyEdge edge = mesh.edges[e];
    edge.start = pointIds[size_t(edge.start)];
    edge.end = pointIds[size_t(edge.end)];
    out.edges.push_back(edge);
  }
  out.faceEdges.clear();
  for (int f = 0; f < faceCount; ++f) {
    if (!faceKept[size_t(f)]) continue;
    for (int c = mesh.faceStart[size_t(f)]; c < mesh.faceStart[size_t(f) + 1]; ++c) {
      const int e = mesh.faceEdges[size_t(c)];
      out.faceEdges.push_back(e >= 0 ? edgeIds[size_t(e)] : -edgeIds[size_t(-e - 1)] - 1);
    }
    out.faceStart.push_back(static_cast<int>(out.faceEdges.size()));
  }
  out.uvSets = mesh.uvSets;
  for (PolyUVSet& set : out.uvSets) compactCornerValues(cornerKept, set.cornerUVs, set.uvs);
  out.currentUVSet = mesh.currentUVSet;
  out.colorSets = mesh.colorSets;
  for (PolyColorSet& set : out.colorSets) compactCornerValues(cornerKept, set.cornerColors, set.colors);
  out.currentColorSet = mesh.currentColorSet;
  for (const auto& group : mesh.faceGroups) {
    std::vector<int>& kept = out.faceGroups[group.first];
    for (const int f : group.second)
      if (f >= 0 && f < faceCount && faceIds[size_t(f)] >= 0) kept.push_back(faceIds[size_t(f)]);
  }
  mesh = std::move(out);
  return true;
}

}  // namespace headless
