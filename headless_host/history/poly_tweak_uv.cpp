// polyTweakUV: offsets added to UVs (".uvtk[i]", float2) of the set ".uvs" names, the current set when none.
#include "modifiers.h"

namespace headless {

bool applyPolyTweakUV(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& tweak = context.graph.nodes[size_t(node)];
  const HistoryAttribute* attribute = findHistoryAttribute(tweak, "uvtk");
  if (attribute == nullptr) return true;
  const std::vector<std::string> names = historyStrings(tweak, "uvs");
  PolyUVSet* set = nullptr;
  for (size_t i = 0; i < mesh.uvSets.size(); ++i)
    if (names.empty() ? int(i) == mesh.currentUVSet : mesh.uvSets[i].name == names[0]) set = &mesh.uvSets[i];
  if (set == nullptr)
    return context.fail(tweak, "the mesh has no UV set " + (names.empty() ? std::string() : names[0]), 0);
  for (const auto& element : historyElements(tweak, "uvtk", 2)) {
    if (element.first < 0 || element.first >= static_cast<std::int64_t>(set->uvs.size()))
      return context.fail(tweak,
                          ".uvtk moves UV " + std::to_string(element.first) + ", but the set has " +
                              std::to_string(set->uvs.size()),
                          attribute->line);
    TexCoord& uv = set->uvs[size_t(element.first)];
    uv.u += float(element.second[0]);
    uv.v += float(element.second[1]);
  }
  return true;
}

}  // namespace headless
