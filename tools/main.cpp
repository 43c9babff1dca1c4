// qaxexport: exports scenes (one, or a batch of files and folders) through the qaxExport plug-in in the headless host, inspects
// .qax files and turns them into glTF.

#include "output/free_qax_model.h"
#include "output/reader.h"
#include "tools/batch_export.h"
#include "tools/command_line.h"
#include "tools/export_report.h"
#include "tools/gltf_export.h"
#include "tools/heap_settings.h"
#include "tools/output_guard.h"
#include "tools/qax_summary.h"
#include "tools/scene_export.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

using namespace qaxtools;

namespace {

// Reads a .qax file: 2 when it cannot be opened, 1 when it is malformed, 0 with the model filled.
int readQax(const std::string& path, qaxModel& model)
{
    if (!std::ifstream(path, std::ios::binary)) {
        std::cerr << "qaxexport: cannot read " << path << "\n";
        return 2;
    }
    char message[512] = "";
    if (!readQAXFile(path.c_str(), model, message, sizeof message)) {
        std::cerr << "qaxexport: " << message << "\n";
        return 1;
    }
    if (!validateQAXIndices(model, message, sizeof message)) {
        std::cerr << "qaxexport: " << path << ": " << message << "\n";
        freeQAXModel(model);
        return 1;
    }
    return 0;
}

// The path of this program, for the processes of a batch.
std::string thisExecutable(const char* argv0)
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return argv0;
    path[length] = '\0';
    return path;
}

int exportCommand(CommandLine command, const char* argv0)
{
    std::string error;
    std::vector<BatchScene> scenes;
    if (isBatch(command)) {
        if (!planBatch(command, scenes, error)) {
            std::cerr << "qaxexport: " << error << "\n";
            return 2;
        }
    } else {
        struct stat info;
        if (stat(command.outputPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            command.outputPath += "/" + withExtension(command.scenePath.substr(command.scenePath.find_last_of('/') + 1),
                                                      ".qax");
        // Only a process of its own can be stopped in time.
        if (command.timeoutSeconds > 0) {
            if (!outputAllowed(command.scenePath, command.outputPath, command.force, error)) {
                std::cerr << "qaxexport: " << error << "\n";
                return 2;
            }
            scenes.push_back({command.scenePath, command.outputPath});
        }
    }
    if (!scenes.empty())
        return runBatch(command, scenes, thisExecutable(argv0), std::cout, std::cerr, 2);

    const ExportOutcome outcome = runExport(command);
    if (!command.quiet)
        for (const std::string& warning : outcome.warnings)
            std::cerr << "qaxexport: warning: " << warning << "\n";
    if (!command.reportPath.empty() &&
        !writeReport(command.reportPath, reportLine(entryOf(command.scenePath, command.outputPath, outcome)), true,
                     error))
        std::cerr << "qaxexport: " << error << "\n";
    if (outcome.exitStatus != 0) {
        std::cerr << "qaxexport: " << outcome.message << "\n";
        for (const std::string& line : outcome.logLines)
            std::cerr << "  " << line << "\n";
        if (outcome.exitStatus == 1 && !outcome.logPath.empty())
            std::cerr << "  log: " << outcome.logPath << "\n";
        return outcome.exitStatus;
    }
    std::cout << "qaxexport: wrote " << command.outputPath << ": " << formatExportSummary(outcome) << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    restartWithHugePages(argv);
    tuneHeap();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLine command;
    std::string error;
    if (!parseCommandLine(arguments, command, error)) {
        std::cerr << "qaxexport: " << error << "\n(qaxexport --help, or --help after a subcommand, for more)\n";
        return 2;
    }
    switch (command.subcommand) {
    case Subcommand::Help:
        std::cout << command.helpText;
        return 0;
    case Subcommand::Version:
        std::cout << "qaxexport " << toolsVersion() << "\n";
        return 0;
    case Subcommand::Export:
        return exportCommand(command, argv[0]);
    case Subcommand::Inspect:
    case Subcommand::ToGltf: {
        qaxModel model;
        const int status = readQax(command.qaxPath, model);
        if (status != 0)
            return status;
        int result = 0;
        if (command.subcommand == Subcommand::Inspect) {
            std::cout << (command.json ? formatSummaryJson(model, command.qaxPath)
                                       : formatSummaryText(model, command.qaxPath));
        } else if (!writeGltf(model, command.gltfPath, error)) {
            std::cerr << "qaxexport: " << error << "\n";
            result = 1;
        } else {
            std::cout << "qaxexport: wrote " << command.gltfPath << "\n";
        }
        freeQAXModel(model);
        return result;
    }
    case Subcommand::None:
        break;
    }
    std::cerr << usageText();
    return 2;
}
