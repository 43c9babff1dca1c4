#include "tools/command_line.h"

#include "tools/scene_loading.h"

#include <CLI/CLI.hpp>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qaxtools {

namespace {

bool isDirectory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

const char* const exportDescription =
    "Loads scenes into the headless host and exports each through the qaxExport plug-in. A scene is a Maya ASCII\n"
    "file or any format the interchange reader imports (.obj, .gltf, .glb, .fbx, .dae, .ply, .stl, ...); a folder\n"
    "stands for every scene below it. Further words that are not scenes name the nodes to export (names or DAG\n"
    "paths, also with -s NODE). Several scenes or a folder make a batch: each scene is exported in a process of\n"
    "its own, the outputs go to the -o folder (mirroring the folders given) or beside each scene.";

const char* const exitText =
    "Exit status: 0 success, 1 an export or the file check failed, 2 usage error or unreadable input.";

struct Parser {
    CLI::App app{"Exports scenes to .qax through the qaxExport plug-in, inspects .qax files, turns them into glTF.",
                 "qaxexport"};
    CLI::App* exportApp = nullptr;
    CLI::App* inspectApp = nullptr;
    CLI::App* gltfApp = nullptr;
    std::vector<std::string> exportWords, qaxWords;
    std::string upAxis, scale;

    explicit Parser(CommandLine& c)
    {
        app.require_subcommand(1, 1);
        app.footer(exitText);
        exportApp = app.add_subcommand("export", "Exports scenes to .qax: one, or a batch of files and folders.");
        exportApp->footer(std::string(exportDescription) + "\n\n" + exitText);
        exportApp->add_option("scenes", exportWords, "scene files or folders, then nodes to export");
        exportApp->add_option("-o,--output", c.outputPath,
                              "the .qax file (default: the scene's name with .qax); a folder in a batch");
        exportApp->add_option("-s,--select", c.selection, "a node to export (repeatable)")->allow_extra_args(false);
        exportApp->add_flag("--vertex-colors", c.vertexColors, "export vertex colours (translator option)");
        exportApp->add_flag("--rel-proj-path", c.relativePaths, "texture paths relative to the workspace");
        exportApp->add_flag("--optimize", c.optimize, "remove duplicate vertices");
        exportApp->add_option("--options", c.rawOptions, "the raw option string instead, e.g. \"vertexColors=1;\"");
        exportApp->add_option("--up-axis", upAxis, "y or z: the scene's up axis (Maya ASCII does not record it)");
        exportApp->add_option("--scale", scale, "multiplies an interchange file's lengths (default 1)");
        exportApp->add_option("--workspace", c.workspaceRoot, "workspace root for project-relative texture paths");
        exportApp->add_option("--log-dir", c.logDirectory, "where qaxExport.log goes (default: beside the plug-in)");
        exportApp->add_option("--plugin", c.pluginPath, "the plug-in module to load");
        exportApp->add_flag("-q,--quiet", c.quiet, "no reader warnings and no log echo; errors are still shown");
        exportApp->add_flag("--force", c.force, "replace an existing output that is not a .qax file");
        exportApp->add_option("-j,--jobs", c.jobs, "parallel exports of a batch (default: the number of cores)")
            ->check(CLI::PositiveNumber);
        exportApp->add_option("--timeout", c.timeoutSeconds, "seconds after which a scene of a batch is stopped")
            ->check(CLI::PositiveNumber);
        exportApp->add_flag("--skip-up-to-date", c.skipUpToDate, "leave scenes whose output is newer than they are");
        exportApp->add_option("--report", c.reportPath, "write one JSON line per scene to this file");

        inspectApp = app.add_subcommand("inspect", "Reads and checks a .qax file and prints its materials and objects.");
        inspectApp->add_option("file", c.qaxPath, "the .qax file")->required();
        inspectApp->add_flag("--json", c.json, "print JSON instead of text");
        gltfApp = app.add_subcommand("to-gltf", "Writes a .qax file as glTF 2.0 (.gltf or .glb) for any glTF viewer.");
        gltfApp->add_option("files", qaxWords, "the .qax file and the optional output name")->expected(1, 2)->required();
    }
};

bool finishExport(Parser& parser, CommandLine& c, std::string& error)
{
    if (parser.exportWords.empty()) {
        error = "export needs a scene file";
        return false;
    }
    // The first word is always a scene; later ones are scenes when they look like one, else nodes (Maya's node
    // names have no dot, so a name with a scene extension is never a node).
    c.inputs.push_back(parser.exportWords[0]);
    std::vector<std::string> nodes;
    for (size_t i = 1; i < parser.exportWords.size(); ++i) {
        const std::string& word = parser.exportWords[i];
        if (isDirectory(word) || isSceneFile(word))
            c.inputs.push_back(word);
        else
            nodes.push_back(word);
    }
    c.selection.insert(c.selection.begin(), nodes.begin(), nodes.end());
    c.scenePath = c.inputs[0];
    if (!parser.upAxis.empty()) {
        if (parser.upAxis != "y" && parser.upAxis != "Y" && parser.upAxis != "z" && parser.upAxis != "Z") {
            error = "--up-axis takes y or z, not \"" + parser.upAxis + "\"";
            return false;
        }
        c.zUp = parser.upAxis == "z" || parser.upAxis == "Z";
        c.upAxisGiven = true;
    }
    if (!parser.scale.empty()) {
        char* end = nullptr;
        c.scale = std::strtod(parser.scale.c_str(), &end);
        if (*end != '\0' || !std::isfinite(c.scale) || c.scale <= 0.0) {
            error = "--scale takes a positive number, not \"" + parser.scale + "\"";
            return false;
        }
    }
    if ((c.vertexColors || c.relativePaths || c.optimize) && !c.rawOptions.empty()) {
        error = "give either --options or the option flags, not both";
        return false;
    }
    if (c.outputPath.empty() && !isBatch(c))
        c.outputPath = withExtension(c.scenePath, ".qax");
    return true;
}

} // namespace

std::string withExtension(const std::string& path, const std::string& extension)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return path + extension;
    return path.substr(0, dot) + extension;
}

bool isBatch(const CommandLine& command)
{
    return command.inputs.size() > 1 || (command.inputs.size() == 1 && isDirectory(command.inputs[0]));
}

bool parseCommandLine(const std::vector<std::string>& arguments, CommandLine& command, std::string& error)
{
    command = CommandLine();
    if (arguments.empty()) {
        error = "no subcommand given (export, inspect or to-gltf; --help for more)";
        return false;
    }
    const std::string& first = arguments[0];
    Parser parser(command);
    if (first == "help" || first == "-h" || first == "--help") {
        command.subcommand = Subcommand::Help;
        command.helpText = parser.app.help();
        return true;
    }
    if (first == "--version" || first == "version") {
        command.subcommand = Subcommand::Version;
        return true;
    }
    if (first != "export" && first != "inspect" && first != "to-gltf") {
        error = "unknown subcommand \"" + first + "\" (export, inspect or to-gltf)";
        return false;
    }
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());  // CLI11 takes them last first
    try {
        parser.app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        command.subcommand = Subcommand::Help;
        CLI::App* asked = first == "export" ? parser.exportApp : first == "inspect" ? parser.inspectApp : parser.gltfApp;
        command.helpText = asked->help();
        return true;
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return false;
    }
    if (first == "export") {
        command.subcommand = Subcommand::Export;
        return finishExport(parser, command, error);
    }
    if (first == "inspect") {
        command.subcommand = Subcommand::Inspect;
        return true;
    }
    command.subcommand = Subcommand::ToGltf;
    command.qaxPath = parser.qaxWords[0];
    command.gltfPath = parser.qaxWords.size() == 2 ? parser.qaxWords[1] : withExtension(parser.qaxWords[0], ".gltf");
    return true;
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
    CommandLine ignored;
    Parser parser(ignored);
    return parser.app.help();
}

} // namespace qaxtools
