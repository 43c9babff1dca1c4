// A plug-in module for the headless host's tests: registers a translator, then reports that its initialisation
// failed, so the host has to unload it and forget the registration.
#include <maya/MFnPlugin.h>
#include <maya/MPxFileTranslator.h>

namespace {

char pixmap[] = "none";
void* creator() { return new MPxFileTranslator; }

}  // namespace

extern "C" PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Test Vendor", "1.0", "Any");
  plugin.registerFileTranslator("halfRegistered", pixmap, creator);
  return MStatus::kFailure;
}

extern "C" PLUGIN_EXPORT MStatus uninitializePlugin(MObject) { return MStatus::kSuccess; }
