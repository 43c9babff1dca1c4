// Fuzzes the texts an export starts from: the translator's option string, the workspace root and the
// output path. Input: one byte of host behaviour, then up to three texts separated by newlines
// (options, workspace root, output path). Checked on every input, beyond the sanitizers:
// - the three flags are 0 or 1 and agree with a plain reading of the "key=value;" pairs;
// - the set-up keeps the output path whole or refuses it, and keeps the workspace root whole
//   (lower-cased, forward slashes) or drops it; the fixed fields stay terminated either way.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <maya/MFileObject.h>
#include <maya/MGlobal.h>
#include <maya/MString.h>

#include <headless/scene.h>

#include "fuzz/finding.h"
#include "log/log.h"
#include "plugin/export_options.h"
#include "plugin/export_setup.h"
#include "plugin/settings.h"

namespace {

[[noreturn]] void violation(const char* what, const std::string& detail)
{
    fuzzfinding::report("fuzz_export_options", std::string(what) + ": " + detail);
}

std::vector<std::string> splitText(const std::string& text, char separator, bool keepEmpty)
{
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == separator) {
            if (i > start || keepEmpty)
                pieces.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    return pieces;
}

// Whether the leading integer of a text is other than 0 (no digits: 0). The host clamps a value beyond
// the int range to it, which keeps every such value non-zero.
bool leadingIntegerIsNonZero(const std::string& text)
{
    char* end = nullptr;
    long value = strtol(text.c_str(), &end, 10);
    return end != text.c_str() && value != 0;
}

struct Flags {
    int vertexColors = 0, relProjPath = 0, optimize = 0;
};

Flags referenceFlags(const std::string& options, bool keepEmpty)
{
    Flags flags;
    for (const std::string& piece : splitText(options, ';', keepEmpty)) {
        std::vector<std::string> parts = splitText(piece, '=', keepEmpty);
        if (parts.size() < 2)
            continue;
        int value = leadingIntegerIsNonZero(parts[1]) ? 1 : 0;
        if (parts[0] == "vertexColors")
            flags.vertexColors = value;
        else if (parts[0] == "relProjPath")
            flags.relProjPath = value;
        else if (parts[0] == "optimize")
            flags.optimize = value;
    }
    return flags;
}

bool terminatedWithin(const char* field, size_t size)
{
    return memchr(field, '\0', size) != nullptr;
}

void checkOptions(const std::string& options, bool keepEmpty)
{
    parseExportOptions(MString(options.c_str()));
    Flags expected = referenceFlags(options, keepEmpty);
    if (includeVertexColors != expected.vertexColors || useProjectRelativePaths != expected.relProjPath ||
        optimizeModel != expected.optimize) {
        char detail[128];
        snprintf(detail, sizeof(detail), "flags %d %d %d, expected %d %d %d for", int(includeVertexColors),
                 int(useProjectRelativePaths), int(optimizeModel), expected.vertexColors, expected.relProjPath,
                 expected.optimize);
        violation(detail, options);
    }
}

void checkSetUp(const std::string& root, const std::string& path)
{
    headless::setWorkspaceRoot(root);
    MString hostRoot;
    MGlobal::executeCommand("workspace -q -rd", hostRoot, false, false);
    MFileObject file;
    file.setFullName(MString(path.c_str()));
    MString fullName = file.fullName();

    // Leftovers of the previous input must not survive a refusal.
    memset(outputPath, 'x', sizeof(outputPath) - 1);
    outputPath[sizeof(outputPath) - 1] = '\0';
    bool fits = setUpExport(file);

    if (!terminatedWithin(outputPath, sizeof(outputPath)) || !terminatedWithin(projectDirectory, sizeof(projectDirectory)))
        violation("a fixed text field lost its terminator", path);
    if (fits != (fullName.length() < SETTINGS_PATH_SIZE))
        violation("the output path was refused or taken wrongly", fullName.asChar());
    if (fits ? strcmp(outputPath, fullName.asChar()) != 0 : outputPath[0] != '\0')
        violation("the output path field does not hold the whole path or nothing", fullName.asChar());

    std::string expectedRoot;
    if (hostRoot.length() < SETTINGS_PATH_SIZE) {
        for (const char* c = hostRoot.asChar(); *c; ++c)
            expectedRoot += *c == '\\' ? '/' : (*c >= 'A' && *c <= 'Z') ? char(*c - 'A' + 'a') : *c;
    }
    if (expectedRoot != projectDirectory)
        violation("the project directory is not the whole root, lower-cased with forward slashes, or nothing",
                  hostRoot.asChar());
    if (exportScale != 1.0f || logIndent[0] != '\0')
        violation("the set-up left the scale or the log indent unset", path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzfinding::keepConsole();
    pluginDirectory[0] = '\0'; // console only
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    headless::resetHostBehaviour();
    const bool keepEmpty = (data[0] & 1) != 0;
    headless::hostBehaviour().splitKeepsEmptyPieces = keepEmpty;

    // Texts reach the plug-in as the host's terminated strings, so a zero byte ends each of them.
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> fields = splitText(text, '\n', true);
    fields.resize(3);
    for (std::string& field : fields)
        field = field.substr(0, field.find('\0'));

    checkOptions(fields[0], keepEmpty);
    checkSetUp(fields[1], fields[2]);
    headless::resetHostBehaviour();
    return 0;
}
