#pragma once
// Batch export: every scene of the files and folders given, each exported by a process of its own (the tool
// itself, run with one scene) so that a scene that crashes or hangs fails alone.

#include "tools/command_line.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace qaxtools {

struct BatchScene {
    std::string input, output;
};

// The scenes of command.inputs: files as given, folders searched below for the extensions the readers take
// (in name order). Outputs go to the -o folder mirroring each folder given (a file given goes to its top), or
// beside each scene without -o. Returns false with the reason for a usage error: no scene found, two scenes
// writing one output, an output that would overwrite a scene or a file that is not a .qax file.
bool planBatch(const CommandLine& command, std::vector<BatchScene>& scenes, std::string& error);

// Exports the planned scenes with command.jobs processes of `executable` at a time, writing the --report
// lines and, on out and err, one line per scene, the failures' log lines and a closing count (a progress line
// too when err is a terminal, errFd). Returns the exit status: 0 all exported or up to date, 1 any failed.
int runBatch(const CommandLine& command, const std::vector<BatchScene>& scenes, const std::string& executable,
             std::ostream& out, std::ostream& err, int errFd);

} // namespace qaxtools
