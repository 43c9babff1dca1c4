#pragma once
// The command line of qaxexport: subcommands export, inspect and to-gltf, --help and --version.

#include <string>
#include <vector>

namespace qaxtools {

enum class Subcommand { None, Help, Version, Export, Inspect, ToGltf };

struct CommandLine {
    Subcommand subcommand = Subcommand::None;
    std::string helpText;                   // Help: the text of the subcommand asked about
    // export
    std::string scenePath;                  // the first scene given
    std::vector<std::string> inputs;        // every scene file or folder given, scenePath first
    std::string outputPath;                 // default: the scene path with the extension .qax; a folder in a batch
    std::vector<std::string> selection;     // node names or DAG paths; empty = the whole scene
    bool vertexColors = false, relativePaths = false, optimize = false;
    std::string rawOptions;                 // --options, instead of the three flags
    bool zUp = false;
    bool upAxisGiven = false;               // --up-axis given (interchange files otherwise use their own)
    double scale = 1.0;                     // --scale: lengths of interchange files times this
    std::string workspaceRoot;              // default: the scene file's directory
    std::string logDirectory;               // default: the plug-in module's directory
    std::string pluginPath;                 // default: the module built with the tool
    bool quiet = false;
    bool force = false;                     // --force: replace an existing file that is not a .qax file
    int jobs = 0;                           // -j: parallel exports of a batch; 0 = the number of cores
    double timeoutSeconds = 0;              // --timeout per scene of a batch; 0 = none
    bool skipUpToDate = false;
    std::string reportPath;                 // --report: one JSON line per scene
    // inspect, to-gltf
    std::string qaxPath;
    std::string gltfPath;
    bool json = false;
};

// Parses argv[1..]. Returns false with a message naming the problem for a usage error.
bool parseCommandLine(const std::vector<std::string>& arguments, CommandLine& command, std::string& error);

// True when the export names more than one scene or a folder: outputs then go to the -o folder.
bool isBatch(const CommandLine& command);

// The translator option string the export runs with: --options as given, else built from the flags.
std::string exportOptions(const CommandLine& command);

// The path with its extension (after the last '/') replaced by the one given, e.g. ".qax".
std::string withExtension(const std::string& path, const std::string& extension);

// The tools' version, the project's.
std::string toolsVersion();

// Usage text for --help (ends with "\n").
std::string usageText();

} // namespace qaxtools
