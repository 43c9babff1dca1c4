// A plug-in module for the headless host's tests: registers the translator "recorder", whose writer writes what
// it was given (mode, options, file name) and what it sees of the scene into the output file.
#include <maya/MDagPath.h>
#include <maya/MFileObject.h>
#include <maya/MFnPlugin.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <cstdio>

namespace {

class RecordingTranslator : public MPxFileTranslator {
 public:
  MStatus writer(const MFileObject& file, const MString& options, FileAccessMode mode) override {
    int meshes = 0;
    for (MItDag walk(MItDag::kDepthFirst, MFn::kMesh); !walk.isDone(); walk.next()) ++meshes;
    MSelectionList selection;
    MGlobal::getActiveSelectionList(selection);
    FILE* out = std::fopen(file.fullName().asChar(), "w");
    if (out == nullptr) return MStatus::kFailure;
    std::fprintf(out, "mode=%d\noptions=%s\nname=%s\nmeshes=%d\nselected=%u\n", static_cast<int>(mode),
                 options.asChar(), file.name().asChar(), meshes, selection.length());
    std::fclose(out);
    return MStatus::kSuccess;
  }
  bool haveWriteMethod() const override { return true; }
  MString defaultExtension() const override { return MString("rec"); }
  static void* creator() { return new RecordingTranslator; }
};

char pixmap[] = "recorder.xpm";
char optionsScript[] = "recorderOptions";
char defaultOptions[] = "level=1;";

}  // namespace

extern "C" PLUGIN_EXPORT MStatus initializePlugin(MObject obj) {
  MFnPlugin plugin(obj, "Test Vendor", "2.0", "Any");
  return plugin.registerFileTranslator("recorder", pixmap, RecordingTranslator::creator, optionsScript,
                                       defaultOptions, true);
}

extern "C" PLUGIN_EXPORT MStatus uninitializePlugin(MObject obj) {
  MFnPlugin plugin(obj);
  return plugin.deregisterFileTranslator("recorder");
}
