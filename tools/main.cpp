// qaxexport: exports Maya ASCII scenes through the qaxExport plug-in in the headless host, inspects
// .qax files and turns them into glTF.

#include "output/free_qax_model.h"
#include "output/reader.h"
#include "tools/command_line.h"
#include "tools/gltf_export.h"
#include "tools/qax_summary.h"
#include "tools/scene_export.h"

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

int exportCommand(const CommandLine& command)
{
    const ExportOutcome outcome = runExport(command);
    if (!command.quiet)
        for (const std::string& warning : outcome.warnings)
            std::cerr << "qaxexport: warning: " << warning << "\n";
    if (outcome.exitStatus != 0) {
        std::cerr << "qaxexport: " << outcome.message << "\n";
        return outcome.exitStatus;
    }
    std::cout << "qaxexport: wrote " << command.outputPath << ": " << formatExportSummary(outcome) << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    CommandLine command;
    std::string error;
    if (!parseCommandLine(arguments, command, error)) {
        std::cerr << "qaxexport: " << error << "\n" << usageText();
        return 2;
    }
    switch (command.subcommand) {
    case Subcommand::Help:
        std::cout << usageText();
        return 0;
    case Subcommand::Version:
        std::cout << "qaxexport " << toolsVersion() << "\n";
        return 0;
    case Subcommand::Export:
        return exportCommand(command);
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
