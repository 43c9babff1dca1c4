// Tweaks: offsets added to the points of the mesh flowing through a node.
#include "modifiers.h"

namespace headless {

bool applyPointTweaks(const HistoryNode& meshNode, const HistoryContext& context, PolyMesh& mesh) {
  const HistoryAttribute* attribute = findHistoryAttribute(meshNode, "pt");
  if (attribute == nullptr) return true;
  for (const auto& element : historyElements(meshNode, "pt", 3)) {
    if (element.first < 0 || element.first >= static_cast<std::int64_t>(mesh.points.size()))
      return context.fail(meshNode,
                          "a tweak (.pt) moves vertex " + std::to_string(element.first) + ", but the mesh has " +
                              std::to_string(mesh.points.size()) + " vertices",
                          attribute->line);
    Vec3& point = mesh.points[size_t(element.first)];
    // The host adds tweaks in single precision.
    point.x = double(float(point.x) + float(element.second[0]));
    point.y = double(float(point.y) + float(element.second[1]));
    point.z = double(float(point.z) + float(element.second[2]));
  }
  return true;
}

}  // namespace headless
