// groupParts: tags components of the mesh flowing through it with the group of its groupId node, which is how
// per-face shading and deformer membership reach a shape through its history.
#include "modifiers.h"

#include <algorithm>

namespace headless {

namespace {

// The indices of one kind a component attribute names; false with the context's error set (at the value's line)
// for a component the mesh does not have.
bool listedComponents(const HistoryNode& node, const std::string& key, const std::string& kind, int count,
                      const HistoryContext& context, std::vector<int>& indices, int& others) {
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  if (attribute == nullptr || !attribute->hasPlain) return true;
  std::string problem;
  if (!componentIndices(attribute->strings, kind, count, indices, problem, &others))
    return context.fail(node, "." + key + " " + problem, attribute->line);
  return true;
}

}  // namespace

bool applyGroupParts(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& groupParts = context.graph.nodes[size_t(node)];
  std::vector<int> added, removed;
  int others = 0;
  if (!listedComponents(groupParts, "ic", "f", mesh.numFaces(), context, added, others) ||
      !listedComponents(groupParts, "irc", "f", mesh.numFaces(), context, removed, others))
    return false;
  if (others > 0) {
    // Vertices tag the points a deformer downstream moves: all of them is what every deformer does here; a part
    // of them would need a membership the evaluation does not keep.
    std::vector<int> vertices;
    int notVertices = 0;
    int ignored = 0;
    if (!listedComponents(groupParts, "ic", "vtx", int(mesh.points.size()), context, vertices, notVertices) ||
        !listedComponents(groupParts, "irc", "vtx", int(mesh.points.size()), context, vertices, ignored))
      return false;
    if (notVertices > 0 || vertices.size() != mesh.points.size() || findHistoryAttribute(groupParts, "irc") != nullptr)
      return context.fail(groupParts, "it tags edges, UVs or a part of the vertices, which is not evaluated", 0);
  }
  const HistoryConnection* id = context.connections.into(node, "gi");
  if (id == nullptr || (added.empty() && removed.empty())) return true;
  std::vector<int>& faces = mesh.faceGroups[id->source];
  std::vector<int> merged;
  std::set_union(faces.begin(), faces.end(), added.begin(), added.end(), std::back_inserter(merged));
  faces.clear();
  std::set_difference(merged.begin(), merged.end(), removed.begin(), removed.end(), std::back_inserter(faces));
  return true;
}

}  // namespace headless
