#include "tools/scene_export.h"

#include "tools/export_log.h"
#include "tools/output_guard.h"
#include "tools/plugin_location.h"
#include "tools/replaced_file.h"
#include "tools/scene_loading.h"

#include "output/free_qax_model.h"
#include "output/reader.h"
#include "scene_readers/maya_ascii/maya_ascii_reader.h"

#include <headless/plugin_host.h>
#include <headless/scene.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

namespace qaxtools {

namespace {

std::string absolutePath(const std::string& path)
{
    char* resolved = realpath(path.c_str(), nullptr);
    if (!resolved)
        return path;
    std::string result(resolved);
    std::free(resolved);
    return result;
}

std::string directoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isDirectory(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The host keeps a plug-in's log beside the module it loaded (symbolic links resolved). To log
// elsewhere the module is loaded from a copy of the same name in that directory (a hard link where
// the file system allows one), removed again afterwards.
class ModuleCopy {
public:
    ModuleCopy(const std::string& module, const std::string& directory, std::string& loadPath, std::string& error)
    {
        loadPath = module;
        if (directory.empty())
            return;
        if (!isDirectory(directory)) {
            error = "log directory " + directory + " does not exist";
            return;
        }
        const std::string target = absolutePath(module);
        const std::string copy = absolutePath(directory) + "/" + fileNameOf(module);
        loadPath = copy;
        if (absolutePath(copy) == target)
            return;  // the module already lies there
        if (access(copy.c_str(), F_OK) == 0) {
            error = "cannot place the plug-in module in " + directory + " for its log: " + copy + " exists";
            return;
        }
        if (link(target.c_str(), copy.c_str()) != 0 && !copyFile(target, copy)) {
            error = "cannot place the plug-in module in " + directory + " for its log (" + std::strerror(errno) + ")";
            std::remove(copy.c_str());
            return;
        }
        copy_ = copy;
    }
    ~ModuleCopy()
    {
        if (!copy_.empty())
            std::remove(copy_.c_str());
    }
    ModuleCopy(const ModuleCopy&) = delete;
    ModuleCopy& operator=(const ModuleCopy&) = delete;

private:
    static bool copyFile(const std::string& from, const std::string& to)
    {
        std::ifstream in(from, std::ios::binary);
        std::ofstream out(to, std::ios::binary);
        out << in.rdbuf();
        out.close();
        return in.good() && !out.fail();
    }

    std::string copy_;
};

std::string pluginNameOf(const std::string& module)
{
    std::string name = fileNameOf(module);
    const size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

} // namespace

std::string defaultPluginPath()
{
    return locatePluginModule();
}

namespace {

// Whatever way the export ends, the scene it loaded is let go.
struct SceneRelease {
    ~SceneRelease() { headless::emptyScene(); }
};

} // namespace

ExportOutcome runExport(const CommandLine& command)
{
    const auto start = std::chrono::steady_clock::now();
    ExportOutcome outcome;
    SceneRelease release;

    // The scene.
    std::ifstream probe(command.scenePath);
    if (!probe) {
        outcome.message = "cannot read the scene file " + command.scenePath;
        return outcome;
    }
    probe.close();
    if (!outputAllowed(command.scenePath, command.outputPath, command.force, outcome.message))
        return outcome;
    // The reader by extension; it sets the up axis.
    const SceneLoad load = loadSceneFile(command);
    outcome.warnings = load.warnings;
    if (!load.ok) {
        outcome.message = load.message;
        return outcome;
    }
    const std::string scene = absolutePath(command.scenePath);
    headless::setCurrentFile(scene);
    std::string workspace = command.workspaceRoot.empty() ? directoryOf(scene) : absolutePath(command.workspaceRoot);
    if (!command.workspaceRoot.empty() && !isDirectory(command.workspaceRoot)) {
        outcome.message = "workspace root " + command.workspaceRoot + " is not a directory";
        return outcome;
    }
    if (workspace.empty() || workspace.back() != '/')
        workspace += '/';
    headless::setWorkspaceRoot(workspace);
    if (!command.selection.empty() && !headless::select(command.selection)) {
        std::string missing;
        for (const std::string& name : command.selection)
            if (!headless::pathTo(name).isValid() && headless::findNode(name).isNull())
                missing += (missing.empty() ? "" : ", ") + name;
        outcome.message = "the scene has no node " + (missing.empty() ? std::string("of the selection") : missing);
        return outcome;
    }

    // The plug-in.
    const std::string module = command.pluginPath.empty() ? defaultPluginPath() : command.pluginPath;
    if (module.empty()) {
        outcome.message = "no plug-in module known; give one with --plugin";
        return outcome;
    }
    std::string loadPath, error;
    ModuleCopy copy(module, command.logDirectory, loadPath, error);
    if (!error.empty()) {
        outcome.message = error;
        return outcome;
    }
    outcome.logPath = logPathForModule(loadPath);
    const long long logStart = fileSize(outcome.logPath);
    MStatus initialised;
    if (!headless::loadPlugin(loadPath, error, &initialised)) {
        outcome.message = "cannot load the plug-in " + module + ": " + error;
        return outcome;
    }
    // The plug-in echoes its log to standard error; --quiet keeps that to the log file.
    int savedError = -1;
    if (command.quiet) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0) {
            std::fflush(stderr);
            savedError = dup(2);
            dup2(null, 2);
            close(null);
        }
    }
    ReplacedFile replaced(command.outputPath);
    const MStatus status = headless::exportFile(
        "qaxExport", command.outputPath, exportOptions(command),
        command.selection.empty() ? MPxFileTranslator::kExportAccessMode : MPxFileTranslator::kExportActiveAccessMode);
    replaced.release();
    headless::unloadPlugin(pluginNameOf(loadPath));
    // The scene is done with: its meshes need not sit in memory beside the file read back below.
    headless::emptyScene();
    if (savedError >= 0) {
        std::fflush(stderr);
        dup2(savedError, 2);
        close(savedError);
    }
    if (status != MS::kSuccess) {
        outcome.exitStatus = 1;
        outcome.message = "the export failed";
        outcome.logLines = failureLines(readFrom(outcome.logPath, logStart));
        return outcome;
    }

    // What was written must read back as a well-formed file.
    qaxModel model;
    char message[512] = "";
    if (!readQAXFile(command.outputPath.c_str(), model, message, sizeof message)) {
        std::remove(command.outputPath.c_str());
        outcome.exitStatus = 1;
        outcome.message = std::string("the exported file does not read back, removed: ") + message;
        return outcome;
    }
    const bool indicesValid = validateQAXIndices(model, message, sizeof message);
    outcome.totals = computeTotals(model);
    freeQAXModel(model);
    if (!indicesValid) {
        std::remove(command.outputPath.c_str());
        outcome.exitStatus = 1;
        outcome.message = std::string("the exported file has indices out of range, removed: ") + message;
        return outcome;
    }
    struct stat info;
    if (stat(command.outputPath.c_str(), &info) == 0)
        outcome.bytes = info.st_size;
    outcome.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.exitStatus = 0;
    return outcome;
}

std::string formatExportSummary(const ExportOutcome& outcome)
{
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", outcome.seconds);
    return std::to_string(outcome.totals.materials) + " materials, " + std::to_string(outcome.totals.objects) +
           " objects, " + std::to_string(outcome.totals.triangles) + " triangles, " +
           std::to_string(outcome.totals.vertices) + " vertices, " + std::to_string(outcome.bytes) + " bytes, " +
           seconds + " seconds";
}

} // namespace qaxtools
