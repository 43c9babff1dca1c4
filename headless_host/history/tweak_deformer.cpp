// The tweak deformer: per-vertex offsets that the host moves a shape's own tweaks into once the shape is
// deformed, stored per input geometry k as ".vl[k].vt[i]" (meshes) or ".pl[k].cp[i]" (other geometry).
#include "modifiers.h"

namespace headless {

bool applyTweakDeformer(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  const HistoryNode& tweak = context.graph.nodes[size_t(node)];
  const double envelope = deformerEnvelope(tweak);
  const std::vector<Vec3> before = envelope == 1.0 ? std::vector<Vec3>() : mesh.points;
  const std::string k = "[" + std::to_string(geometry) + "]";
  if (!addPointOffsets(tweak, "vl" + k + ".vt", context, mesh) || !addPointOffsets(tweak, "pl" + k + ".cp", context, mesh))
    return false;
  blendDeformed(before, envelope, mesh.points);
  return true;
}

}  // namespace headless
