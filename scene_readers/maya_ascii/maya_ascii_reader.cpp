#include "scene_readers/maya_ascii/maya_ascii_reader.h"

#include "scene_readers/maya_ascii/document_loader.h"
#include "scene_readers/maya_ascii/file_text.h"
#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/scene_builder.h"

#include <headless/scene.h>

#include <algorithm>
#include <new>

namespace mayaascii {

namespace {

// Loads text; a file's own text (file) is released once the statements are read, before the scene is built.
LoadReport loadText(std::string_view text, const std::string& fileName, FileText* file)
{
    LoadReport report;
    SceneDocument document;
    document.fileName = fileName;
    try {
        if (text.substr(0, 4) == "FOR4" || text.substr(0, 4) == "FOR8")
            throw ReadError(1, "expected a Maya ASCII scene, found a Maya binary one (save it as .ma)");
        const size_t zero = text.find('\0');
        if (zero != std::string_view::npos)
            throw ReadError(1 + int(std::count(text.begin(), text.begin() + long(zero), '\n')),
                            "expected text, found a zero byte (not a Maya ASCII file)");
        loadDocument(text, document);
        if (file)
            file->release();
        buildScene(document, report);
        report.warnings.insert(report.warnings.begin(), document.warnings.begin(), document.warnings.end());
        if (!document.requiredPlugins.empty() && !report.skippedNodeTypes.empty()) {
            std::string plugins;
            for (const std::string& plugin : document.requiredPlugins)
                plugins += (plugins.empty() ? "" : ", ") + plugin;
            report.warnings.push_back("the file requires plug-ins (" + plugins +
                                      "); node types of theirs are among the skipped ones");
        }
        if (document.skippedStatements > 0) {
            std::string commands;
            for (const auto& entry : document.skippedCommands)
                commands += (commands.empty() ? "" : ", ") + entry.first + " (" + std::to_string(entry.second) + ")";
            report.warnings.push_back("skipped " + std::to_string(document.skippedStatements) +
                                      " statement(s) of commands the reader does not run: " + commands);
        }
        report.ok = true;
    } catch (const ReadError& error) {
        report = LoadReport();
        report.message = fileName + ":" + std::to_string(error.line()) + ": " + error.what();
        headless::newScene();
    } catch (const std::bad_alloc&) {
        report = LoadReport();
        report.message = fileName + ": not enough memory to load the scene";
        headless::newScene();
    }
    return report;
}

} // namespace

LoadReport loadMayaAsciiText(const std::string& text, const std::string& fileName)
{
    return loadText(text, fileName, nullptr);
}

LoadReport loadMayaAsciiFile(const std::string& path)
{
    FileText file;
    std::string error;
    if (!file.open(path, error)) {
        LoadReport report;
        report.message = path + ": " + error;
        return report;
    }
    return loadText(file.text(), path, &file);
}

} // namespace mayaascii
