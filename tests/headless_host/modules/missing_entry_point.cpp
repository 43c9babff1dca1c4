// A plug-in module for the headless host's tests: it has initializePlugin but no uninitializePlugin, so the host
// must refuse it. It also leaves out MApiVersion.
#define MNoVersionString
#include <maya/MFnPlugin.h>

extern "C" PLUGIN_EXPORT MStatus initializePlugin(MObject) { return MStatus::kSuccess; }
