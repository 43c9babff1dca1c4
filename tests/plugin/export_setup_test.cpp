#include <gtest/gtest.h>

#include <maya/MFileObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MString.h>

#include <headless/scene.h>

#include <algorithm>
#include <string>
#include <vector>

#include "export_fixture.h"
#include "log/log.h"
#include "model/allocation.h"
#include "model/fixed_text.h"
#include "output/free_qax_model.h"
#include "plugin/export_setup.h"
#include "plugin/settings.h"
#include "support/test_support.h"

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

const std::vector<std::string> setUpBanner = {
    "----------------------\n", "---Maya Plugin Base---\n", "----------by----------\n",
    "-----Ember  Rooke-----\n", "----------------------\n",
};

const std::vector<std::string> writerBanner = {
    "----------------------\n", "---qaxExporter v1.0---\n", "----------by----------\n",
    "-----Ember  Rooke-----\n", "----------------------\n",
};

} // namespace

TEST(ExportSetup, FillsPathsScaleAndIndentAndLogsThem)
{
    const std::string root259 = "/" + std::string(257, 'R') + "/";
    const std::string root260 = "/" + std::string(258, 'R') + "/";
    const std::string output259 = "/tmp/" + std::string(250, 'o') + ".qax";
    const std::string output260 = "/tmp/" + std::string(251, 'o') + ".qax";
    struct Case {
        std::string workspaceRoot;
        std::string output;
        std::string projectDirectory; // as stored and logged
        bool rootIgnored;
        bool outputFits;
    };
    const Case cases[] = {
        {"C:\\Work\\Proj\\", "C:\\Work\\Proj\\out\\Model.qax", "c:/work/proj/", false, true},
        {"/home/Ember/Projects/Ship/", "/home/Ember/ship.qax", "/home/ember/projects/ship/", false, true},
        {"", "/tmp/a.qax", "", false, true},
        {root259, output259, "/" + std::string(257, 'r') + "/", false, true},
        {root260, "/tmp/a.qax", "", true, true},   // ignored: a cut root would match wrong paths
        {"/proj/", output260, "/proj/", false, false}, // refused: a cut path would name another file
    };
    for (const Case& c : cases) {
        headless::emptyScene();
        headless::setWorkspaceRoot(c.workspaceRoot);
        headless::setCurrentFile("/scenes/Ship.ma");
        testsupport::LogCapture capture;
        exportScale = 2.5f;
        copyFixedText(logIndent, LOG_INDENT_SIZE, "      ");
        copyFixedText(outputPath, SETTINGS_PATH_SIZE, "/old/output.qax");

        MFileObject file;
        file.setFullName(MString(c.output.c_str()));
        CaptureStderr();
        bool result = setUpExport(file);
        std::string console = GetCapturedStderr();

        EXPECT_EQ(result, c.outputFits) << c.output;
        EXPECT_EQ(std::string(outputPath), c.outputFits ? c.output : std::string()) << c.output;
        EXPECT_EQ(std::string(projectDirectory), c.projectDirectory) << c.workspaceRoot;
        EXPECT_EQ(exportScale, 1.0f);
        EXPECT_STREQ(logIndent, "");

        std::vector<std::string> expected = setUpBanner;
        expected.push_back("Currently open maya file: /scenes/Ship.ma\n");
        expected.push_back("Plugin loaded from: " + std::string(pluginDirectory) + "\n");
        expected.push_back("Project Directory: " + c.projectDirectory + "\n");
        if (c.rootIgnored)
            expected.push_back("Warning: Project directory is too long (260 characters, at most 259), ignored: " +
                               c.workspaceRoot + "\n");
        expected.push_back("Output: " + c.output + "\n");
        if (!c.outputFits)
            expected.push_back("Error: Output path is too long (260 characters, at most 259), nothing is "
                               "written.\n");
        expected.push_back("----------------------\n");
        EXPECT_EQ(capture.lines(), expected) << c.workspaceRoot << " " << c.output;
        EXPECT_EQ(testsupport::splitLines(console), expected);
    }
    headless::emptyScene();
}

class Writer : public plugintest::ExportTest {
protected:
    // Two cubes; only the second is selected.
    void buildScene()
    {
        MObject sg = plugintest::createMaterial("lambert", "grey");
        headless::assign(sg, plugintest::createMeshObject("cubeA", plugintest::cubeData()));
        headless::assign(sg, plugintest::createMeshObject("cubeB", plugintest::cubeData(), 2.0));
        ASSERT_TRUE(headless::select(std::vector<std::string>{"cubeB"}));
    }
};

TEST_F(Writer, AccessModeChoosesTheSceneOrTheSelection)
{
    buildScene();
    struct Case {
        MPxFileTranslator::FileAccessMode mode;
        const char* walkLine; // the mesh walk's opening line
        int objects;
    };
    const Case cases[] = {
        {MPxFileTranslator::kSaveAccessMode, "    Loading all meshes.\n", 2},
        {MPxFileTranslator::kExportAccessMode, "    Loading all meshes.\n", 2},
        {MPxFileTranslator::kExportActiveAccessMode, "    Loading meshes using current selection.\n", 1},
    };
    int run = 0;
    for (const Case& c : cases) {
        std::string name = "mode" + std::to_string(run++) + ".qax";
        size_t logged = logLines().size();
        plugintest::ExportRun result = runExport(name, "", c.mode);
        EXPECT_EQ(result.status, MStatus::kSuccess);
        std::vector<std::string> lines = logLines();
        std::vector<std::string> added(lines.begin() + logged, lines.end());
        EXPECT_NE(std::find(added.begin(), added.end(), c.walkLine), added.end()) << name;
        EXPECT_EQ(added.back(), "Successful, all done!\n");
        qaxModel model;
        ASSERT_TRUE(plugintest::readQax(dir.file(name), model));
        EXPECT_EQ(model.objects.numObjects, c.objects) << name;
        freeQAXModel(model);
        EXPECT_EQ(liveAllocations(), allocationsBefore);
    }
}

TEST_F(Writer, OtherAccessModesExportNothingAndSucceed)
{
    buildScene();
    const MPxFileTranslator::FileAccessMode modes[] = {
        MPxFileTranslator::kUnknownAccessMode,
        MPxFileTranslator::kOpenAccessMode,
        MPxFileTranslator::kImportAccessMode,
    };
    for (MPxFileTranslator::FileAccessMode mode : modes) {
        testsupport::LogCapture capture; // the writer's lines go to this run's own log
        plugintest::ExportRun result = runExport("nothing.qax", "optimize=1;", mode);
        EXPECT_EQ(result.status, MStatus::kSuccess);
        EXPECT_FALSE(testsupport::fileExists(dir.file("nothing.qax")));

        std::vector<std::string> expected = writerBanner;
        expected.insert(expected.end(), setUpBanner.begin(), setUpBanner.end());
        expected.push_back("Currently open maya file: \n");
        expected.push_back("Plugin loaded from: " + std::string(pluginDirectory) + "\n");
        expected.push_back("Project Directory: \n");
        expected.push_back("Output: " + dir.file("nothing.qax") + "\n");
        expected.push_back("----------------------\n");
        expected.push_back("Options:\n");
        expected.push_back("  includeVertexColors: 0\n");
        expected.push_back("  Use project relative paths: 0\n");
        expected.push_back("  optimizeModel: 1\n");
        EXPECT_EQ(capture.lines(), expected) << int(mode);
        EXPECT_EQ(testsupport::splitLines(result.console), expected) << int(mode);
        EXPECT_EQ(liveAllocations(), allocationsBefore);
    }
}

TEST_F(Writer, OutputPathTooLongFailsBeforeAnythingIsWritten)
{
    buildScene();
    // Inside the temporary directory, 260 characters in all.
    std::string name = std::string(260 - dir.path().size() - 1 - 4, 'n') + ".qax";
    ASSERT_EQ(dir.file(name).size(), 260u);
    plugintest::ExportRun result = runExport(name, "vertexColors=1;", MPxFileTranslator::kExportAccessMode);
    EXPECT_EQ(result.status, MStatus::kFailure);
    std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "Output: " + dir.file(name) + "\n");
    EXPECT_EQ(lines[lines.size() - 2],
              "Error: Output path is too long (260 characters, at most 259), nothing is written.\n");
    EXPECT_EQ(lines.back(), "----------------------\n");
    EXPECT_EQ(directoryEntries(), std::vector<std::string>{"qaxExport.log"});
    EXPECT_EQ(liveAllocations(), allocationsBefore);
}
