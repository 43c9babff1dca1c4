// A plug-in module for the headless host's tests: registers the translator "recorder" on load and deregisters it
// on unload. (What an export hands a writer: the plug-in's own export tests.)
#include <maya/MFnPlugin.h>
#include <maya/MPxFileTranslator.h>

namespace {

char pixmap[] = "recorder.xpm";
void* creator() { return new MPxFileTranslator; }

}  // namespace

extern "C" PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Test Vendor", "2.0", "Any");
  return plugin.registerFileTranslator("recorder", pixmap, creator);
}

extern "C" PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj);
  return plugin.deregisterFileTranslator("recorder");
}
