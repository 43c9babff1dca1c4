#pragma once
// The command line of qaxexport: subcommands export, inspect and to-gltf, --help and --version.

#include <string>
#include <vector>

namespace qaxtools {

enum class Subcommand { None, Help, Version, Export, Inspect, ToGltf };

struct CommandLine {
    Subcommand subcommand = Subcommand::None;
    // export
    std::string scenePath;
    std::string outputPath;                 // default: the scene path with the extension .qax
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
    // inspect, to-gltf
    std::string qaxPath;
    std::string gltfPath;
    bool json = false;
};

// Parses argv[1..]. Returns false with a message naming the problem for a usage error.
bool parseCommandLine(const std::vector<std::string>& arguments, CommandLine& command, std::string& error);

// The translator option string the export runs with: --options as given, else built from the flags.
std::string exportOptions(const CommandLine& command);

// The tools' version, the project's.
std::string toolsVersion();

// Usage text for --help (ends with "\n").
std::string usageText();

} // namespace qaxtools
