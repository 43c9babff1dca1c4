#include "scene_readers/maya_ascii/maya_ascii_reader.h"

#include "scene_readers/maya_ascii/document_loader.h"
#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/scene_builder.h"

#include <headless/scene.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <new>

namespace mayaascii {

namespace {

// Loads text; a file's own buffer (owned) is released once the statements are read, before the scene is built.
LoadReport loadText(const std::string& text, const std::string& fileName, std::string* owned)
{
    LoadReport report;
    SceneDocument document;
    document.fileName = fileName;
    try {
        if (text.compare(0, 4, "FOR4") == 0 || text.compare(0, 4, "FOR8") == 0)
            throw ReadError(1, "expected a Maya ASCII scene, found a Maya binary one (save it as .ma)");
        const size_t zero = text.find('\0');
        if (zero != std::string::npos)
            throw ReadError(1 + int(std::count(text.begin(), text.begin() + long(zero), '\n')),
                            "expected text, found a zero byte (not a Maya ASCII file)");
        loadDocument(text, document);
        if (owned)
            std::string().swap(*owned);
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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        LoadReport report;
        report.message = path + ": cannot open the file (" + std::strerror(errno) + ")";
        return report;
    }
    // One read into a buffer of the file's size: a stream copy would hold the text twice.
    std::string contents;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size > 0) {
        contents.resize(size_t(size));
        in.read(&contents[0], size);
    }
    if (size < 0 || in.bad() || in.gcount() != std::streamsize(size > 0 ? size : 0)) {
        LoadReport report;
        report.message = path + ": cannot read the file";
        return report;
    }
    return loadText(contents, path, &contents);
}

} // namespace mayaascii
