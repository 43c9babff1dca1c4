#ifndef HEADLESS_MODIFIERS_H
#define HEADLESS_MODIFIERS_H
// The modifiers and deformers a file chains after a generator, each changing the mesh that flows through it.
// One file per node type.

#include "history_values.h"

#include <string>

namespace headless {

// Applies history node `node` (an index into context.graph.nodes) to mesh. Returns false with the context's
// error set when the node's values do not fit the mesh (a component the mesh does not have).
using Modifier = bool (*)(int node, const HistoryContext& context, PolyMesh& mesh);

// The modifier of a node type, or null when the evaluation does not know the type.
Modifier findModifier(const std::string& type);

// The plug of a modifier through which the mesh enters it, for the output plug the mesh leaves by:
// "ip" for polyTweak and the other poly modifiers, "ip[k].ig" for a deformer's "og[k]", "ig" for groupParts.
std::string modifierInputPlug(const std::string& type, const std::string& outputPlug);

// Adds a mesh node's own tweaks (".pt[i]", float3 offsets) to the points of the mesh flowing through it;
// false with the context's error set for a tweak on a vertex the mesh does not have.
bool applyPointTweaks(const HistoryNode& meshNode, const HistoryContext& context, PolyMesh& mesh);

}  // namespace headless

#endif
