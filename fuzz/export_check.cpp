#include "fuzz/export_check.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <unistd.h>

#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <headless/plugin_host.h>

#include "fuzz/finding.h"
#include "log/log.h"
#include "model/allocation.h"
#include "output/free_qax_model.h"
#include "output/reader.h"

extern "C" MStatus initializePlugin(MObject obj);

namespace fuzzcheck {
namespace {

const char* const logName = "qaxExport.log";
const char* const outputName = "fuzz_export.qax";

std::string target = "fuzz";
std::string scratch;

std::string readText(const std::string& path)
{
    std::string text;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return text;
    char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0)
        text.append(buffer, got);
    fclose(file);
    return text;
}

std::string lastLine(const std::string& text)
{
    if (text.empty())
        return text;
    size_t start = text.rfind('\n', text.size() - 2);
    return start == std::string::npos ? text : text.substr(start + 1);
}

// The last lines of a text, for the report of a broken property.
std::string tail(const std::string& text, size_t lines)
{
    size_t start = text.size();
    for (size_t found = 0; start > 0; --start)
        if (text[start - 1] == '\n' && start != text.size() && ++found == lines)
            break;
    return text.substr(start);
}

[[noreturn]] void violation(const std::string& what, const std::string& log)
{
    fuzzfinding::report(target.c_str(), what + "\n--- the export log ends ---\n" + tail(log, 30) + "--- ---");
}

std::vector<std::string> scratchEntries()
{
    std::vector<std::string> entries;
    if (DIR* directory = opendir(scratch.c_str())) {
        while (dirent* entry = readdir(directory))
            if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
                entries.push_back(entry->d_name);
        closedir(directory);
    }
    return entries;
}

// The lines a failed export may end its log with: a failed stage as the pipeline reports it at indent
// zero, or the writer's own reason (the pipeline's line for the writer goes to the console only).
bool isFailureLine(const std::string& line)
{
    static const char* const exact[] = {"getMayaModelData failed\n", "convertToQAX failed\n"};
    static const char* const prefixes[] = {"writeOutQAXFile: Could not open file", "Error: Could not write qax file",
                                           "Error: Could not put the written qax file"};
    for (const char* text : exact)
        if (line == text)
            return true;
    for (const char* prefix : prefixes)
        if (line.find(prefix) != std::string::npos)
            return true;
    return false;
}

} // namespace

void setUpExporter(const char* targetName)
{
    fuzzfinding::keepConsole();
    target = targetName;
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && base[0] ? base : "/tmp") + "/qax_" + target + "_XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        violation("cannot create a scratch directory " + pattern, "");
    scratch = buffer.data();
    MObject plugin = headless::makePluginObject("qaxExport", scratch);
    if (initializePlugin(plugin) != MStatus::kSuccess)
        violation("the plug-in did not initialise", "");
}

void exportAndCheck(const std::string& options, MPxFileTranslator::FileAccessMode mode)
{
    const std::string logPath = scratch + "/" + logName;
    const std::string outputPath = scratch + "/" + outputName;
    unlink(logPath.c_str());
    unlink(outputPath.c_str());

    const int32_t allocationsBefore = liveAllocations();
    MStatus status = headless::exportFile("qaxExport", outputPath, options, mode);
    std::string log = readText(logPath);
    if (liveAllocations() != allocationsBefore)
        violation("the export left " + std::to_string(liveAllocations() - allocationsBefore) +
                      " registered allocations behind",
                  log);
    for (const std::string& entry : scratchEntries())
        if (entry != logName && entry != outputName)
            violation("the export left a stray file behind: " + entry, log);

    const bool written = access(outputPath.c_str(), F_OK) == 0;
    if (status != MStatus::kSuccess) {
        if (written)
            violation("a failed export wrote a file", log);
        if (!isFailureLine(lastLine(log)))
            violation("a failed export does not end its log with the failing stage", log);
        return;
    }

    if (lastLine(log) != "Successful, all done!\n")
        violation("a successful export does not end its log with \"Successful, all done!\" at indent zero", log);
    if (!written)
        violation("a successful export wrote no file", log);
    qaxModel model;
    char error[2048];
    if (!readQAXFile(outputPath.c_str(), model, error, sizeof(error)))
        violation(std::string("the reader refuses the exported file: ") + error, log);
    if (!validateQAXIndices(model, error, sizeof(error)))
        violation(std::string("the exported file has an index past its vertices: ") + error, log);
    freeQAXModel(model);
    if (liveAllocations() != allocationsBefore)
        violation("reading the exported file left allocations behind", log);
}

} // namespace fuzzcheck
