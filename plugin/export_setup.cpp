#include "plugin/export_setup.h"

#include <maya/MFileIO.h>
#include <maya/MGlobal.h>
#include <maya/MString.h>

#include "log/log.h"
#include "model/fixed_text.h"
#include "plugin/export_options.h"
#include "plugin/export_pipeline.h"
#include "plugin/settings.h"
#include "plugin/translator.h"

static void logBanner(const char* title)
{
    logPrint(0, "----------------------\n");
    logPrint(0, "%s", title);
    logPrint(0, "----------by----------\n");
    logPrint(0, "-----Ember  Rooke-----\n");
    logPrint(0, "----------------------\n");
}

bool setUpExport(const MFileObject& file)
{
    MString currentFile = MFileIO::currentFile();
    MString fullName = file.fullName();
    bool outputFits = copyFixedText(outputPath, SETTINGS_PATH_SIZE, fullName.asChar());
    if (!outputFits)
        outputPath[0] = '\0'; // never leave a cut path behind for a later stage to write to

    MString workspaceRoot;
    MGlobal::executeCommand("workspace -q -rd", workspaceRoot, false, false);
    bool rootFits = copyFixedText(projectDirectory, SETTINGS_PATH_SIZE, workspaceRoot.asChar());
    if (!rootFits)
        projectDirectory[0] = '\0'; // an empty root leaves texture paths as they are
    toLowerAscii(projectDirectory);
    toForwardSlashes(projectDirectory);

    exportScale = 1.0f;
    logIndent[0] = '\0';

    logBanner("---Maya Plugin Base---\n");
    logPrint(0, "Currently open maya file: %s\n", currentFile.asChar());
    logPrint(0, "Plugin loaded from: %s\n", pluginDirectory);
    logPrint(0, "Project Directory: %s\n", projectDirectory);
    if (!rootFits)
        logPrint(0, "Warning: Project directory is too long (%u characters, at most %i), ignored: %s\n",
                 workspaceRoot.length(), SETTINGS_PATH_SIZE - 1, workspaceRoot.asChar());
    logPrint(0, "Output: %s\n", outputFits ? outputPath : fullName.asChar());
    if (!outputFits)
        logPrint(0, "Error: Output path is too long (%u characters, at most %i), nothing is written.\n",
                 fullName.length(), SETTINGS_PATH_SIZE - 1);
    logPrint(0, "----------------------\n");
    return outputFits;
}

MStatus qaxTranslator::writer(const MFileObject& file, const MString& options, FileAccessMode mode)
{
    // Logged before the set-up empties the indent, so these lines carry what the last export left.
    logBanner("---qaxExporter v1.0---\n");
    if (!setUpExport(file))
        return MStatus::kFailure;

    parseExportOptions(options);
    logExportOptions();

    switch (mode) {
    case kSaveAccessMode:
    case kExportAccessMode:
        return exportModel(CAPTURE_WHOLE_SCENE);
    case kExportActiveAccessMode:
        return exportModel(CAPTURE_SELECTION);
    default:
        return MStatus::kSuccess; // import, open and unknown modes export nothing
    }
}
