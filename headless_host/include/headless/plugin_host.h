#ifndef HEADLESS_PLUGIN_HOST_H
#define HEADLESS_PLUGIN_HOST_H
// What the headless host does with a plug-in module: load it, let it register its file translators, run exports
// through a translator's writer, unload it. Also the registry of translators, open to inspection.

#include <maya/MObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

#include <string>
#include <vector>

namespace headless {

// One translator as MFnPlugin::registerFileTranslator recorded it.
struct TranslatorRegistration {
  std::string name;
  std::string pixmap;
  MCreatorFunction creator = nullptr;
  std::string optionsScript;   // empty when none was given
  std::string defaultOptions;  // empty when none was given
  bool requiresFullMel = false;
  std::string plugin;          // name of the registering plug-in
};

// Loads the module at modulePath (dlopen), reads its "MApiVersion" text and calls its initializePlugin with the
// plug-in object; the module's directory becomes MFnPlugin::loadPath and the file name without its extension
// the plug-in name. On failure (the module cannot be opened, an entry point is missing, the name is already
// loaded, or initializePlugin fails - a failed initialisation unloads the module again, as the host does)
// returns false and puts the reason in error. initializeStatus receives what initializePlugin returned.
bool loadPlugin(const std::string& modulePath, std::string& error, MStatus* initializeStatus = nullptr);

// Calls uninitializePlugin and unloads the module; its status is returned (kFailure when no such plug-in is
// loaded). The module is unloaded whatever uninitializePlugin returns.
MStatus unloadPlugin(const std::string& pluginName);

// Loaded plug-ins by name, and what they exported.
bool isPluginLoaded(const std::string& pluginName);
std::string pluginApiVersion(const std::string& pluginName);  // the module's MApiVersion text
std::vector<std::string> loadedPlugins();

// The registry of file translators.
const TranslatorRegistration* findTranslator(const std::string& name);
std::vector<std::string> translatorNames();

// Exports through a registered translator, as the host does for File > Export All (kExportAccessMode), Export
// Selection (kExportActiveAccessMode) or Save As (kSaveAccessMode): makes a translator with its creator, calls
// its writer with the file, the option string and the mode, and destroys it. kFailure when no translator of that
// name is registered or the translator has no write method.
MStatus exportFile(const std::string& translatorName, const std::string& filePath, const std::string& options,
                   MPxFileTranslator::FileAccessMode mode);

// A plug-in object for a plug-in that is not loaded from a module, so that tests can drive MFnPlugin directly.
// Its load path is directory; registrations made through it belong to pluginName.
MObject makePluginObject(const std::string& pluginName, const std::string& directory);

}  // namespace headless

#endif
