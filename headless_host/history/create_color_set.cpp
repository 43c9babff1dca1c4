// createColorSet: adds an empty colour set (".colos", with the channels ".rprt" names) to the mesh flowing
// through it; a set of that name already there is left as it is, as the host's polyColorSet -create does.
#include "modifiers.h"

namespace headless {

bool applyCreateColorSet(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& create = context.graph.nodes[size_t(node)];
  const std::vector<std::string> names = historyStrings(create, "colos");
  if (names.empty() || names[0].empty()) return context.fail(create, "it names no colour set (.colos)", create.line);
  for (const PolyColorSet& set : mesh.colorSets)
    if (set.name == names[0]) return true;
  // The host's representations: 2 alpha, 3 RGB, 4 RGBA (the default).
  const int representation = static_cast<int>(historyNumber(create, "rprt", 4));
  if (representation < 2 || representation > 4) {
    const HistoryAttribute* attribute = findHistoryAttribute(create, "rprt");
    return context.fail(create, "its representation .rprt " + std::to_string(representation) + " is not one the host has",
                        attribute != nullptr ? attribute->line : create.line);
  }
  PolyColorSet set;
  set.name = names[0];
  set.components = representation == 2 ? 1 : representation;
  mesh.colorSets.push_back(set);
  // A mesh's only colour set is its current one.
  if (mesh.currentColorSet < 0) mesh.currentColorSet = static_cast<int>(mesh.colorSets.size()) - 1;
  return true;
}

}  // namespace headless
