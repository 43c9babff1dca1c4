// The plug-in's entry points. This is the one file that includes MFnPlugin.h without
// MNoVersionString, so MApiVersion is defined here and exported with the two functions.

#include <maya/MFnPlugin.h>
#include <maya/MObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"
#include "model/fixed_text.h"
#include "plugin/export_options.h"
#include "plugin/translator.h"

static const char* const translatorName = "qaxExport";

extern "C" PLUGIN_EXPORT MStatus initializePlugin(MObject obj)
{
    MFnPlugin plugin(obj, "Ember Rooke", "1.0", "Any");

    MString loadPath = plugin.loadPath();
    if (!copyFixedText(pluginDirectory, PLUGIN_DIRECTORY_SIZE, loadPath.asChar())) {
        // A cut directory would put the log file somewhere else; an empty one keeps it on the console.
        pluginDirectory[0] = '\0';
        logPrint(0, "Warning: Plug-in directory is too long (%u characters, at most %i), the export log "
                    "goes to the console only: %s\n",
                 loadPath.length(), PLUGIN_DIRECTORY_SIZE - 1, loadPath.asChar());
    }

    // The registration takes modifiable texts in older API versions.
    static char pixmapName[] = "none";
    static char optionsScriptName[] = "qaxExportOptions";
    static char defaultOptions[] = "vertexColors=0;relProjPath=0;optimize=0;";
    return plugin.registerFileTranslator(translatorName, pixmapName, qaxTranslator::creator, optionsScriptName,
                                         defaultOptions, false);
}

extern "C" PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj)
{
    MFnPlugin plugin(obj, "Unknown", "Unknown", "Any");
    return plugin.deregisterFileTranslator(translatorName);
}
