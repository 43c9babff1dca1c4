#pragma once
// Fills the headless host's scene from a SceneDocument: nodes in file order (shared default nodes
// merged with the new scene's own), their attribute values, instances, ffd deformers, connections.

#include "scene_readers/maya_ascii/maya_ascii_reader.h"
#include "scene_readers/maya_ascii/scene_document.h"

#include <unordered_map>
#include <vector>

namespace mayaascii {

// Starts a new host scene and builds the document into it; throws ReadError on data the host cannot
// take (with the line of the offending statement). Fills the counts and warnings of report.
void buildScene(const SceneDocument& document, LoadReport& report);

// The connections into each node, by destination node.
using InputIndex = std::unordered_map<int, std::vector<const Connection*>>;
InputIndex indexInputs(const SceneDocument& document);

} // namespace mayaascii
