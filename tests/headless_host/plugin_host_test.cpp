// Plug-in modules in the headless host: loading and unloading twice, refused modules and registration statuses,
// and splitting the option strings handed to them under both host readings. (Loading, exporting and unloading the
// real plug-in: plugin_main_test; integers from text, comparison, lengths and array editing: every export-options
// and translator test.)
#include <headless/plugin_host.h>
#include <headless/scene.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>
#include <vector>

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

// (The registration's fields, the load path, the API version, what an export hands the writer, a load, export and
// unload of the real plug-in with its translator found and gone, and registering, registering twice and
// deregistering twice through its entry points: plugin_main_test and the export tests.)
TEST_F(PluginHost, AModuleLoadsOnceAndUnloadsOnce) {
  std::string error;
  ASSERT_TRUE(headless::loadPlugin(modulePath("recording_translator"), error)) << error;
  // Its translator is the base class, which has no writer: an export through it fails.
  EXPECT_EQ(headless::exportFile("recorder", "/tmp/never", "", MPxFileTranslator::kExportAccessMode).statusCode(),
            MStatus::kFailure);
  EXPECT_FALSE(headless::loadPlugin(modulePath("recording_translator"), error));
  EXPECT_NE(error.find("already loaded"), std::string::npos);
  EXPECT_TRUE(headless::unloadPlugin("libqaxheadless_recording_translator"));
  EXPECT_EQ(headless::exportFile("recorder", "/tmp/never", "", MPxFileTranslator::kExportAccessMode).statusCode(),
            MStatus::kFailure);  // no translator of that name now
  EXPECT_EQ(headless::unloadPlugin("libqaxheadless_recording_translator").statusCode(), MStatus::kFailure);
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

std::vector<std::string> pieces(const MStringArray& array) {
  std::vector<std::string> result;
  for (unsigned i = 0; i < array.length(); ++i) result.push_back(array[i].asChar());
  return result;
}

TEST(Strings, SplitDropsEmptyPiecesUnlessAskedToKeepThem) {
  struct Case {
    const char* text;
    char separator;
    std::vector<std::string> dropped, kept;
  };
  const Case cases[] = {
      {"vertexColors=0;relProjPath=0;optimize=0;", ';', {"vertexColors=0", "relProjPath=0", "optimize=0"},
       {"vertexColors=0", "relProjPath=0", "optimize=0", ""}},
      {"a;;b", ';', {"a", "b"}, {"a", "", "b"}},
      {"key=", '=', {"key"}, {"key", ""}},
      {"=value", '=', {"value"}, {"", "value"}},
      {"", ';', {}, {""}},
  };
  for (const Case& c : cases) {
    MStringArray result;
    headless::resetHostBehaviour();
    ASSERT_TRUE(MString(c.text).split(c.separator, result));
    EXPECT_EQ(pieces(result), c.dropped) << c.text;
    headless::hostBehaviour().splitKeepsEmptyPieces = true;
    ASSERT_TRUE(MString(c.text).split(c.separator, result));
    EXPECT_EQ(pieces(result), c.kept) << c.text;
  }
  headless::resetHostBehaviour();
}

}  // namespace
