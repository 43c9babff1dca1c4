#pragma once
// Meshes made by construction history: the nodes a file stores upstream of a mesh shape, handed to the
// headless host's evaluation of history.

#include "scene_readers/maya_ascii/build_context.h"
#include "scene_readers/maya_ascii/scene_builder.h"

#include <headless/history.h>

namespace mayaascii {

// The history feeding mesh node `shape`, evaluated. Face groups of the result are keyed by the document index
// of their groupId node. Throws ReadError (with the file's line) for a damaged baked mesh on the chain and for
// a value the chain cannot take; node types the host does not evaluate and chains that are not whole are
// reported in the result.
// `nodes` receives the document nodes the history consists of (the shape first).
headless::HistoryResult evaluateShapeHistory(const SceneDocument& document, const InputIndex& inputs, int shape,
                                             std::vector<int>& nodes);

} // namespace mayaascii
