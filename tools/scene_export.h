#pragma once
// The export subcommand: a scene file loaded into the headless host, the qaxExport plug-in module
// loaded, an export run through its translator, the result checked with the .qax reader.

#include "tools/command_line.h"
#include "tools/qax_summary.h"

#include <string>
#include <vector>

namespace qaxtools {

struct ExportOutcome {
    int exitStatus = 2;          // 0 exported, 1 the export failed, 2 unreadable input or bad request
    std::string message;         // what went wrong; empty on success
    std::vector<std::string> warnings;  // from the scene reader
    QaxTotals totals;
    long long bytes = 0;
    double seconds = 0;
    std::string logPath;                // the plug-in's log, once the plug-in was loaded
    std::vector<std::string> logLines;  // a failed export: what its part of the log says about why
};

// The plug-in module built with the tools, or "" when there was none to build against.
std::string defaultPluginPath();

// Runs one export; the headless host's scene is left empty afterwards. An output that would replace the scene
// or a file that is not a .qax file (without --force) is refused with status 2 before anything is read.
ExportOutcome runExport(const CommandLine& command);

// "3 materials, 5 objects, 120 triangles, 240 vertices, 9876 bytes, 0.02 seconds".
std::string formatExportSummary(const ExportOutcome& outcome);

} // namespace qaxtools
