#include "tools/command_line.h"

#include <cmath>
#include <cstdlib>

namespace qaxtools {

namespace {

bool takeValue(const std::vector<std::string>& arguments, size_t& i, std::string& value, std::string& error)
{
    const std::string& flag = arguments[i];
    if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
        error = flag + " needs a value";
        return false;
    }
    value = arguments[++i];
    return true;
}

std::string withExtension(const std::string& path, const std::string& extension)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

bool parseExport(const std::vector<std::string>& arguments, CommandLine& command, std::string& error)
{
    bool flagOptions = false;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        std::string value;
        if (a == "-o" || a == "--output") {
            if (!takeValue(arguments, i, command.outputPath, error))
                return false;
        } else if (a == "-s" || a == "--select") {
            if (!takeValue(arguments, i, value, error))
                return false;
            command.selection.push_back(value);
        } else if (a == "--vertex-colors") {
            command.vertexColors = flagOptions = true;
        } else if (a == "--rel-proj-path") {
            command.relativePaths = flagOptions = true;
        } else if (a == "--optimize") {
            command.optimize = flagOptions = true;
        } else if (a == "--options") {
            if (!takeValue(arguments, i, command.rawOptions, error))
                return false;
        } else if (a == "--up-axis") {
            if (!takeValue(arguments, i, value, error))
                return false;
            if (value != "y" && value != "Y" && value != "z" && value != "Z") {
                error = "--up-axis takes y or z, not \"" + value + "\"";
                return false;
            }
            command.zUp = value == "z" || value == "Z";
            command.upAxisGiven = true;
        } else if (a == "--scale") {
            if (!takeValue(arguments, i, value, error))
                return false;
            char* end = nullptr;
            command.scale = std::strtod(value.c_str(), &end);
            if (*end != '\0' || !std::isfinite(command.scale) || command.scale <= 0.0) {
                error = "--scale takes a positive number, not \"" + value + "\"";
                return false;
            }
        } else if (a == "--workspace") {
            if (!takeValue(arguments, i, command.workspaceRoot, error))
                return false;
        } else if (a == "--log-dir") {
            if (!takeValue(arguments, i, command.logDirectory, error))
                return false;
        } else if (a == "--plugin") {
            if (!takeValue(arguments, i, command.pluginPath, error))
                return false;
        } else if (a == "-q" || a == "--quiet") {
            command.quiet = true;
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            error = "unknown option " + a;
            return false;
        } else if (command.scenePath.empty()) {
            command.scenePath = a;
        } else {
            command.selection.push_back(a);
        }
    }
    if (command.scenePath.empty()) {
        error = "export needs a scene file";
        return false;
    }
    if (flagOptions && !command.rawOptions.empty()) {
        error = "give either --options or the option flags, not both";
        return false;
    }
    if (command.outputPath.empty())
        command.outputPath = withExtension(command.scenePath, ".qax");
    return true;
}

} // namespace

bool parseCommandLine(const std::vector<std::string>& arguments, CommandLine& command, std::string& error)
{
    command = CommandLine();
    if (arguments.empty()) {
        error = "no subcommand given (export, inspect or to-gltf; --help for more)";
        return false;
    }
    const std::string& first = arguments[0];
    if (first == "-h" || first == "--help" || first == "help") {
        command.subcommand = Subcommand::Help;
        return true;
    }
    if (first == "--version" || first == "version") {
        command.subcommand = Subcommand::Version;
        return true;
    }
    for (const std::string& a : arguments)
        if (a == "-h" || a == "--help") {
            command.subcommand = Subcommand::Help;
            return true;
        }
    if (first == "export") {
        command.subcommand = Subcommand::Export;
        return parseExport(arguments, command, error);
    }
    if (first == "inspect" || first == "to-gltf") {
        command.subcommand = first == "inspect" ? Subcommand::Inspect : Subcommand::ToGltf;
        std::vector<std::string> positional;
        for (size_t i = 1; i < arguments.size(); ++i) {
            if (arguments[i] == "--json" && command.subcommand == Subcommand::Inspect)
                command.json = true;
            else if (arguments[i].size() > 1 && arguments[i][0] == '-' && arguments[i][1] == '-') {
                error = "unknown option " + arguments[i];
                return false;
            } else
                positional.push_back(arguments[i]);
        }
        const size_t wanted = command.subcommand == Subcommand::Inspect ? 1 : 2;
        if (positional.size() < 1 || positional.size() > wanted) {
            error = command.subcommand == Subcommand::Inspect ? "inspect takes one .qax file"
                                                              : "to-gltf takes a .qax file and an optional output name";
            return false;
        }
        command.qaxPath = positional[0];
        if (command.subcommand == Subcommand::ToGltf)
            command.gltfPath = positional.size() == 2 ? positional[1] : withExtension(positional[0], ".gltf");
        return true;
    }
    error = "unknown subcommand \"" + first + "\" (export, inspect or to-gltf)";
    return false;
}

std::string exportOptions(const CommandLine& command)
{
    if (!command.rawOptions.empty())
        return command.rawOptions;
    return std::string("vertexColors=") + (command.vertexColors ? "1" : "0") +
           ";relProjPath=" + (command.relativePaths ? "1" : "0") + ";optimize=" + (command.optimize ? "1" : "0") + ";";
}

std::string toolsVersion()
{
    return QAX_TOOLS_VERSION;
}

std::string usageText()
{
    return "Usage:\n"
           "  qaxexport export SCENE.ma [-o OUT.qax] [NODE...] [options]\n"
           "      Loads a Maya ASCII scene into the headless host and exports it through the qaxExport\n"
           "      plug-in: the whole scene, or the nodes named (names or DAG paths, also with -s NODE).\n"
           "      --vertex-colors, --rel-proj-path, --optimize   the translator options (default off)\n"
           "      --options STRING   the raw option string instead, e.g. \"vertexColors=1;optimize=1;\"\n"
           "      --up-axis y|z      the scene's up axis (scene files do not record it; default y)\n"
           "      --workspace DIR    the workspace root for project-relative texture paths\n"
           "                         (default: the scene file's directory)\n"
           "      --log-dir DIR      where qaxExport.log goes (default: beside the plug-in module)\n"
           "      --plugin PATH      the plug-in module to load (default: the one built with this tool)\n"
           "      -q, --quiet        no reader warnings and no log echo, only errors and the summary\n"
           "  qaxexport export SCENE.obj|.gltf|.glb|.fbx|.dae|.ply|.stl|... [same options] [--scale FACTOR]\n"
           "      Loads an interchange file instead (any format the Assimp library imports). The file's\n"
           "      up axis is used where it records one (FBX, COLLADA; glTF is y), else --up-axis.\n"
           "      --scale FACTOR     multiplies the file's lengths (default 1: lengths as the file gives them)\n"
           "  qaxexport inspect FILE.qax [--json]\n"
           "      Reads and checks a .qax file and prints its materials and objects.\n"
           "  qaxexport to-gltf FILE.qax [OUT.gltf|OUT.glb]\n"
           "      Writes a .qax file as glTF 2.0 for any glTF viewer.\n"
           "  qaxexport --help | --version\n"
           "Exit status: 0 success, 1 the export or the file check failed, 2 usage error or unreadable input.\n";
}

} // namespace qaxtools
