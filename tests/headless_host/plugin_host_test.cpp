// Plug-in modules in the headless host: registration records, what exports hand the writer, refused modules and
// registration statuses. (Loading, exporting and unloading the real plug-in: plugin_main_test.)
#include <headless/plugin_host.h>
#include <headless/scene.h>
#include <maya/MFnPlugin.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>

#include <gtest/gtest.h>

#include "support/test_support.h"

#include <dlfcn.h>

#include <string>

namespace {

// The test modules are built beside the headless host library.
std::string modulePath(const char* module) {
  Dl_info info;
  dladdr(reinterpret_cast<void*>(&headless::emptyScene), &info);
  std::string library = info.dli_fname;
  return library.substr(0, library.find_last_of('/') + 1) + "libqaxheadless_" + module + ".so";
}

class PluginHost : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const std::string& name : headless::loadedPlugins()) headless::unloadPlugin(name);
  }
};

// (The load path, the API version and a load, export and unload of the real plug-in: plugin_main_test.)
TEST_F(PluginHost, ATranslatorIsRegisteredAsGivenAModuleLoadsOnceAndUnloadsOnce) {
  std::string error;
  ASSERT_TRUE(headless::loadPlugin(modulePath("recording_translator"), error)) << error;
  const headless::TranslatorRegistration* registration = headless::findTranslator("recorder");
  ASSERT_NE(registration, nullptr);
  EXPECT_EQ(registration->pixmap + registration->optionsScript + registration->defaultOptions,
            "recorder.xpmrecorderOptionslevel=1;");
  EXPECT_TRUE(registration->requiresFullMel);
  EXPECT_EQ(registration->plugin, "libqaxheadless_recording_translator");
  EXPECT_FALSE(headless::loadPlugin(modulePath("recording_translator"), error));
  EXPECT_NE(error.find("already loaded"), std::string::npos);
  EXPECT_TRUE(headless::unloadPlugin("libqaxheadless_recording_translator"));
  EXPECT_EQ(headless::findTranslator("recorder"), nullptr);
  EXPECT_EQ(headless::unloadPlugin("libqaxheadless_recording_translator").statusCode(), MStatus::kFailure);
}

TEST_F(PluginHost, ExportsPassModeOptionsAndFileToTheWriter) {
  std::string error;
  ASSERT_TRUE(headless::loadPlugin(modulePath("recording_translator"), error)) << error;
  headless::emptyScene();
  headless::MeshData triangle;
  triangle.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  triangle.faces = {{0, 1, 2}};
  headless::createMesh("aShape", headless::createTransform("a"), triangle);
  headless::createMesh("bShape", headless::createTransform("b"), triangle);
  headless::select({"a"});
  testsupport::TempDir dir;
  struct Case {
    MPxFileTranslator::FileAccessMode mode;
    const char* options;
  };
  const Case cases[] = {{MPxFileTranslator::kExportAccessMode, "level=2;"},
                        {MPxFileTranslator::kExportActiveAccessMode, ""},
                        {MPxFileTranslator::kSaveAccessMode, "a=1;b=2;"}};
  for (const Case& c : cases) {
    const std::string file = dir.file("out.rec");
    ASSERT_TRUE(headless::exportFile("recorder", file, c.options, c.mode));
    EXPECT_EQ(testsupport::readFile(file), "mode=" + std::to_string(static_cast<int>(c.mode)) + "\noptions=" +
                                               c.options + "\nname=out.rec\nmeshes=2\nselected=1\n");
  }
  EXPECT_EQ(headless::exportFile("noSuchTranslator", dir.file("x"), "", MPxFileTranslator::kExportAccessMode)
                .statusCode(),
            MStatus::kFailure);
  EXPECT_EQ(headless::exportFile("recorder", dir.path() + "/missing/dir/out.rec", "",
                                 MPxFileTranslator::kExportAccessMode)
                .statusCode(),
            MStatus::kFailure);
}

TEST_F(PluginHost, RefusedModules) {
  struct Case {
    std::string path;
    const char* reason;
  };
  const Case cases[] = {{modulePath("failing_initialize"), "initializePlugin"},
                        {modulePath("missing_entry_point"), "uninitializePlugin"},
                        {modulePath("does_not_exist"), "cannot load"}};
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(headless::loadPlugin(c.path, error)) << c.path;
    EXPECT_NE(error.find(c.reason), std::string::npos) << error;
  }
  // The failed module's registration went with it.
  EXPECT_EQ(headless::findTranslator("halfRegistered"), nullptr);
  EXPECT_TRUE(headless::loadedPlugins().empty());
}

char pixmap[] = "none";
void* makeTranslator() { return new MPxFileTranslator; }

// (Registering twice and deregistering twice: plugin_main_test, through the real plug-in's entry points.)
TEST_F(PluginHost, RegistrationThroughAPluginObject) {
  MObject object = headless::makePluginObject("direct", "/plugins/here");
  MStatus status;
  MFnPlugin plugin(object, "Vendor", "3.1", "Any", &status);
  ASSERT_TRUE(status);
  EXPECT_STREQ((plugin.loadPath() + " " + plugin.vendor() + " " + plugin.name()).asChar(), "/plugins/here Vendor direct");
  EXPECT_EQ(plugin.deregisterFileTranslator("unknown").statusCode(), MStatus::kFailure);
  // A translator that keeps the base class's writer cannot export.
  ASSERT_TRUE(plugin.registerFileTranslator("plain", pixmap, makeTranslator));
  EXPECT_EQ(headless::findTranslator("plain")->defaultOptions, "");
  EXPECT_EQ(headless::exportFile("plain", "/tmp/never", "", MPxFileTranslator::kExportAccessMode).statusCode(),
            MStatus::kFailure);
  EXPECT_TRUE(plugin.deregisterFileTranslator("plain"));
  MFnPlugin onSomethingElse(MObject::kNullObj, "v", "1", "Any", &status);
  EXPECT_EQ(status.statusCode(), MStatus::kInvalidParameter);
}

TEST_F(PluginHost, TranslatorDefaultsAndFileNames) {
  MPxFileTranslator translator;
  EXPECT_FALSE(translator.haveWriteMethod());
  EXPECT_TRUE(translator.canBeOpened());
  EXPECT_STREQ(translator.filter().asChar(), "*.*");
  EXPECT_EQ(translator.identifyFile(MFileObject(), "", 0), MPxFileTranslator::kNotMyFileType);
  MFileObject file;
  file.setFullName("/scenes/models/box.qax");
  EXPECT_STREQ(file.name().asChar(), "box.qax");
  EXPECT_STREQ(file.path().asChar(), "/scenes/models/");
}

}  // namespace
