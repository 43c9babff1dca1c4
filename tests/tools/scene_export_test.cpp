// End-to-end exports: scene files loaded into the headless host, exported through the plug-in
// module, checked with the .qax reader; the corpus when present.

#include "tools/scene_export.h"

#include "output/free_qax_model.h"
#include "output/reader.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sys/stat.h>

using namespace qaxtools;

namespace {

bool exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

CommandLine exportCommand(const std::string& scene, const std::string& output, const std::string& logDirectory)
{
    CommandLine command;
    command.subcommand = Subcommand::Export;
    command.scenePath = scene;
    command.outputPath = output;
    command.logDirectory = logDirectory;
    return command;
}

} // namespace

TEST(SceneExport, ExportsEveryCorpusSceneWithShadedShapesAndFailsTheOthersCleanly)
{
    const std::string corpus = testsupport::sourceDirectory() + "/../shared/scenes";
    if (!exists(corpus))
        GTEST_SKIP() << "no scene corpus at " << corpus;
    struct Case {
        const char* file;
        int exitStatus;
        int materials, objects, triangles, textures;
    };
    const Case cases[] = {
        {"gt-tools/tests/test_utils/data/curves_nurbs_bezier.ma", 1, 0, 0, 0, 0},
        {"maya-usd/plugin/al/samples/colours/faceColours.ma", 0, 1, 6, 72, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportCameraTest/UsdExportCameraTest.ma", 0, 1, 8, 96, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportColorSetsTest/UsdExportColorSetsTest.ma", 0, 6, 6, 72, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportDisplacementTest/SimpleDisplacement.ma", 0, 20, 20, 4000, 20},
        {"maya-usd/test/lib/usd/translators/UsdExportLightTest/UsdExportLightTest.ma", 1, 0, 0, 0, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportMeshTest/UsdExportMeshTest.ma", 0, 2, 6, 68, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportNurbsCurveTest/UsdExportNurbsCurveTest.ma", 1, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        const std::string output = dir.file("scene.qax");
        const ExportOutcome outcome = runExport(exportCommand(corpus + "/" + c.file, output, dir.path()));
        EXPECT_EQ(outcome.exitStatus, c.exitStatus) << c.file << ": " << outcome.message;
        EXPECT_FALSE(exists(dir.file("qaxExport.so"))) << "the module link stays behind: " << c.file;
        const std::string log = testsupport::readFile(dir.file("qaxExport.log"));
        if (c.exitStatus != 0) {
            // The material stage finds no shape in any set and the export stops there, writing nothing.
            EXPECT_FALSE(exists(output)) << c.file;
            EXPECT_NE(log.find("Warning: All shapes have no associated sets.\n"), std::string::npos) << c.file << log;
            EXPECT_NE(log.find("Could not load any materials.\n"), std::string::npos) << c.file << log;
            continue;
        }
        EXPECT_EQ(outcome.totals.materials, c.materials) << c.file;
        EXPECT_EQ(outcome.totals.objects, c.objects) << c.file;
        EXPECT_EQ(outcome.totals.triangles, c.triangles) << c.file;
        EXPECT_EQ(outcome.totals.textures, c.textures) << c.file;
        // An export that succeeds has read its file back and checked its indices.
        EXPECT_GT(outcome.totals.vertices, 0) << c.file;
    }
}

TEST(SceneExport, SelectionUpAxisAndUnusableInput)
{
    testsupport::TempDir dir;
    const std::string examples = testsupport::sourceDirectory() + "/examples";

    // Only the selected tower (and the cap below it) of the Z-up scene, turned to Y up.
    CommandLine selected = exportCommand(examples + "/z_up_scene.ma", dir.file("tower.qax"), dir.path());
    selected.selection = {"tower"};
    selected.zUp = true;
    ExportOutcome outcome = runExport(selected);
    ASSERT_EQ(outcome.exitStatus, 0) << outcome.message;
    EXPECT_EQ(outcome.totals.objects, 2);
    EXPECT_NE(formatExportSummary(outcome).find(" materials, 2 objects, "), std::string::npos);
    qaxModel model;
    char message[256] = "";
    ASSERT_TRUE(readQAXFile(dir.file("tower.qax").c_str(), model, message, sizeof message)) << message;
    float highest = -1e30f;
    for (int o = 0; o < model.objects.numObjects; ++o)
        for (int v = 0; v < model.objects.objects[o].vertices.numVertices; ++v)
            highest = std::max(highest, model.objects.objects[o].vertices.vertices[3 * v + 1]);
    EXPECT_NEAR(highest, 4.0f, 1e-4f);  // object space: the tower rises to 4 along Z, now along Y
    freeQAXModel(model);

    struct Case {
        std::string scene;
        std::vector<std::string> selection;
        int exitStatus;
        std::string message;
    };
    const std::string broken = dir.file("broken.ma");
    testsupport::writeFile(broken, "createNode transform -n \"a\";\nsetAttr \".t\" -type \"double3\" 1 2;\n");
    const Case cases[] = {
        {dir.file("missing.ma"), {}, 2, "cannot read the scene file " + dir.file("missing.ma")},
        {broken, {}, 2, broken + ":2: expected groups of 3 numbers for -type \"double3\", found 2"},
        {examples + "/z_up_scene.ma", {"tower", "nowhere"}, 2, "the scene has no node nowhere"},
        {examples + "/nurbs_lattice_lights.ma", {}, 0, ""},
    };
    for (const Case& c : cases) {
        CommandLine command = exportCommand(c.scene, dir.file("out.qax"), dir.path());
        command.selection = c.selection;
        outcome = runExport(command);
        EXPECT_EQ(outcome.exitStatus, c.exitStatus) << c.scene;
        EXPECT_EQ(outcome.message, c.message) << c.scene;
        EXPECT_EQ(exists(dir.file("out.qax")), c.exitStatus == 0) << c.scene;
    }
}
