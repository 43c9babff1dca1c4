#pragma once
// Choosing the scene reader for the export subcommand by the scene file's extension.

#include "tools/command_line.h"

#include <string>
#include <vector>

namespace qaxtools {

struct SceneLoad {
    bool ok = false;
    std::string message;               // why the scene could not be loaded
    std::vector<std::string> warnings; // from the reader
};

// Fills the headless host's scene from command.scenePath and sets its up axis: ".ma" through the Maya ASCII
// reader (up axis from --up-axis; --scale is refused), any extension the interchange library imports through
// the interchange reader (the file's up axis where it records one, else --up-axis or Y; lengths times --scale).
// Other extensions are refused with a message.
SceneLoad loadSceneFile(const CommandLine& command);

// True when the path's extension is one loadSceneFile reads (the file itself is not looked at).
bool isSceneFile(const std::string& path);

} // namespace qaxtools
