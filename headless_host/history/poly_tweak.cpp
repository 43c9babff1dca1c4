// Tweaks: offsets added to the points of the mesh flowing through a node (a mesh's own ".pt", a polyTweak's
// ".tk", a tweak deformer's vertex list).
#include "modifiers.h"

namespace headless {

bool addPointOffsets(const HistoryNode& node, const std::string& key, const HistoryContext& context,
                     PolyMesh& mesh) {
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  if (attribute == nullptr) return true;
  for (const auto& element : historyElements(node, key, 3)) {
    if (element.first < 0 || element.first >= static_cast<std::int64_t>(mesh.points.size()))
      return context.fail(node,
                          "a tweak (." + key + ") moves vertex " + std::to_string(element.first) +
                              ", but the mesh has " + std::to_string(mesh.points.size()) + " vertices",
                          attribute->line);
    Vec3& point = mesh.points[size_t(element.first)];
    // The host adds tweaks in single precision.
    point.x = double(float(point.x) + float(element.second[0]));
    point.y = double(float(point.y) + float(element.second[1]));
    point.z = double(float(point.z) + float(element.second[2]));
  }
  return true;
}

bool applyPointTweaks(const HistoryNode& meshNode, const HistoryContext& context, PolyMesh& mesh) {
  return addPointOffsets(meshNode, "pt", context, mesh);
}

bool applyPolyTweak(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  return addPointOffsets(context.graph.nodes[size_t(node)], "tk", context, mesh);
}

}  // namespace headless
