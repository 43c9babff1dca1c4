#include <maya/MFileObject.h>

#include "export_fixture.h"
#include "model/fixed_text.h"
#include "output/free_qax_model.h"
#include "plugin/export_options.h"
#include "plugin/export_setup.h"
#include "plugin/settings.h"

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
        testing::internal::CaptureStderr();
        bool result = setUpExport(file);
        std::string console = testing::internal::GetCapturedStderr();

        EXPECT_EQ(result, c.outputFits) << c.output;
        EXPECT_EQ(std::string(outputPath), c.outputFits ? c.output : std::string()) << c.output;
        EXPECT_EQ(std::string(projectDirectory), c.projectDirectory) << c.workspaceRoot;
        EXPECT_EQ(exportScale, 1.0f);
        EXPECT_STREQ(logIndent, "");

        std::vector<std::string> expected = {
            "----------------------\n", "---Maya Plugin Base---\n", "----------by----------\n",
            "-----Ember  Rooke-----\n", "----------------------\n",
            "Currently open maya file: /scenes/Ship.ma\n",
            "Plugin loaded from: " + std::string(pluginDirectory) + "\n",
            "Project Directory: " + c.projectDirectory + "\n",
        };
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

TEST(ExportOptions, ParsesKeysValuesAndIgnoresTheRest)
{
    headless::resetHostBehaviour();
    struct Case {
        const char* options;
        int vertexColors, relProjPath, optimize;
    };
    const Case cases[] = {
        {"", 0, 0, 0},
        {"vertexColors=0;relProjPath=0;optimize=0;", 0, 0, 0},
        {"vertexColors=1;relProjPath=1;optimize=1;", 1, 1, 1},
        {"vertexColors=5;", 1, 0, 0},                     // any non-zero value sets the flag
        {"optimize=-2;", 0, 0, 1},
        {"relProjPath=1", 0, 1, 0},                       // the last pair needs no ";"
        {"VertexColors=1;OPTIMIZE=1;relprojpath=1;", 0, 0, 0}, // keys match case included
        {"optimize=1;optimize=0;", 0, 0, 0},              // the last occurrence wins
        {"optimize=0;optimize=1;", 0, 0, 1},
        {";;vertexColors;=1;relProjPath=;;", 0, 0, 0},   // pieces without a value change nothing
        {"optimize=1=7;", 0, 0, 1},                       // parts beyond the second are not looked at
        {"colors=1;vertex=1;optimize =1; optimize=1;", 0, 0, 0}, // other keys, blanks are part of a key
        {"vertexColors=1;bogus;relProjPath=1;junk=9;", 1, 1, 0},
    };
    for (const Case& c : cases) {
        // Every export starts from cleared flags, whatever the last export left.
        includeVertexColors = 1;
        useProjectRelativePaths = 1;
        optimizeModel = 1;
        parseExportOptions(MString(c.options));
        EXPECT_EQ(includeVertexColors, c.vertexColors) << c.options;
        EXPECT_EQ(useProjectRelativePaths, c.relProjPath) << c.options;
        EXPECT_EQ(optimizeModel, c.optimize) << c.options;
    }
}

using plugintest::ExportTest;

// Save and the two exports write the scene or the selection (of two cubes, the second); the other modes set up, log
// the options and write nothing, yet succeed.
TEST_F(ExportTest, AccessModeChoosesTheSceneTheSelectionOrNothing)
{
    MObject sg = plugintest::createMaterial("lambert", "grey");
    headless::assign(sg, plugintest::createMeshObject("cubeA", plugintest::cubeData()));
    headless::assign(sg, plugintest::createMeshObject("cubeB", plugintest::cubeData(), 2.0));
    ASSERT_TRUE(headless::select(std::vector<std::string>{"cubeB"}));
    struct Case {
        MPxFileTranslator::FileAccessMode mode;
        const char* walkLine; // the mesh walk's opening line; nullptr: nothing is exported
        int objects;
    };
    const Case cases[] = {
        {MPxFileTranslator::kSaveAccessMode, "    Loading all meshes.\n", 2},
        {MPxFileTranslator::kExportAccessMode, "    Loading all meshes.\n", 2},
        {MPxFileTranslator::kExportActiveAccessMode, "    Loading meshes using current selection.\n", 1},
        {MPxFileTranslator::kUnknownAccessMode, nullptr, 0},
        {MPxFileTranslator::kOpenAccessMode, nullptr, 0},
        {MPxFileTranslator::kImportAccessMode, nullptr, 0},
    };
    int run = 0;
    for (const Case& c : cases) {
        std::string name = "mode" + std::to_string(run++) + ".qax";
        plugintest::ExportRun result = runExport(name, "optimize=1;", c.mode);
        EXPECT_EQ(result.status, MStatus::kSuccess);
        const std::vector<std::string> lines = testsupport::splitLines(result.log);
        EXPECT_EQ(testsupport::splitLines(result.console), lines) << name;
        if (!c.walkLine) {
            EXPECT_EQ(lines.back(), "  optimizeModel: 1\n") << name;
            EXPECT_FALSE(testsupport::fileExists(dir.file(name))) << name;
            continue;
        }
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.walkLine), lines.end()) << name;
        EXPECT_EQ(lines.back(), "Successful, all done!\n");
        qaxModel model;
        ASSERT_TRUE(readQax(name, model));
        EXPECT_EQ(model.objects.numObjects, c.objects) << name;
        freeQAXModel(model);
    }
}
