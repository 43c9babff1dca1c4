// End-to-end exports through the plug-in module, the corpus among them, input and outputs refused; and the tool as
// a pipeline runs it: a failure's log lines under -q, batches with a broken and a slow scene, --skip-up-to-date.

#include "tools/scene_export.h"

#include "output/free_qax_model.h"
#include "output/reader.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace qaxtools;

namespace {

std::string examples()
{
    return testsupport::sourceDirectory() + "/examples";
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

struct ToolRun {
    int status;
    std::string printed;  // standard output and error together
};

// Runs the tool as a shell would; what it prints goes through a file in the directory.
ToolRun runTool(const std::string& arguments, const testsupport::TempDir& dir)
{
    const std::string printed = dir.file("printed.txt");
    const int status = std::system((QAX_EXPORT_TOOL " " + arguments + " >" + printed + " 2>&1").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, testsupport::readFile(printed)};
}

long long modified(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? info.st_mtim.tv_sec * 1000000000LL + info.st_mtim.tv_nsec : -1;
}

// A plane of 1000 x 1000 quads in one shaded mesh, made by its construction history: its export takes seconds.
const char* const kSlowScene = "createNode transform -n \"grid\";\n"
                               "createNode mesh -n \"gridShape\" -p \"grid\";\n"
                               "createNode polyPlane -n \"plane\";\n"
                               "\tsetAttr \".sw\" 1000;\n\tsetAttr \".sh\" 1000;\n\tsetAttr \".cuv\" 2;\n"
                               "connectAttr \"plane.out\" \"gridShape.i\";\n"
                               "createNode blinn -n \"stone\";\n"
                               "createNode shadingEngine -n \"stoneSG\";\n"
                               "connectAttr \"stone.oc\" \"stoneSG.ss\";\n"
                               "connectAttr \"gridShape.iog\" \"stoneSG.dsm\" -na;\n";

} // namespace

TEST(SceneExport, ExportsEveryCorpusSceneWithShadedShapesAndFailsTheOthersCleanly)
{
    const std::string corpus = testsupport::sourceDirectory() + "/../shared/scenes";
    if (!testsupport::fileExists(corpus))
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
        // A link left behind counts even when what it points at is gone.
        EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(dir.file("qaxExport.so"))))
            << "the module link stays behind: " << c.file;
        const std::string log = testsupport::readFile(dir.file("qaxExport.log"));
        if (c.exitStatus != 0) {
            // The material stage finds no shape in any set and the export stops there, writing nothing.
            EXPECT_FALSE(testsupport::fileExists(output)) << c.file;
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

TEST(SceneExport, SelectionUpAxisUnusableInputAndOutputsThatWouldDestroyAFile)
{
    testsupport::TempDir dir;

    // Only the selected tower (and the cap below it) of the Z-up scene, turned to Y up.
    CommandLine selected = exportCommand(examples() + "/z_up_scene.ma", dir.file("tower.qax"), dir.path());
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

    // Outputs that would destroy a file: the scene itself, by another name or through links, and a file that is
    // not a .qax file (unless forced).
    const std::string scene = dir.file("cube.ma"), text = testsupport::readFile(examples() + "/textured_cube.ma");
    testsupport::writeFile(scene, text);
    ASSERT_EQ(symlink(scene.c_str(), dir.file("link.qax").c_str()), 0);
    ASSERT_EQ(link(scene.c_str(), dir.file("hard.qax").c_str()), 0);
    testsupport::writeFile(dir.file("notes.txt"), "keep me");
    testsupport::writeFile(dir.file("forced.txt"), "replace me");
    testsupport::writeFile(dir.file("old.qax"), "QAX1 an older export");
    const std::string broken = dir.file("broken.ma"), empty = dir.file("empty.obj"), unknown = dir.file("scene.xyz1");
    testsupport::writeFile(broken, "createNode transform -n \"a\";\nsetAttr \".t\" -type \"double3\" 1 2;\n");
    testsupport::writeFile(empty, "");
    testsupport::writeFile(unknown, "v 0 0 0\n");
    struct Case {
        std::string scene, output;
        int exitStatus;
        std::string message; // a part of it
        std::vector<std::string> selection = {};
        bool force = false;
        double scale = 1.0;
    };
    const std::string out = dir.file("out.qax");
    const Case cases[] = {
        {dir.file("missing.ma"), out, 2, "cannot read the scene file " + dir.file("missing.ma")},
        {broken, out, 2, broken + ":2: expected groups of 3 numbers for -type \"double3\", found 2"},
        {examples() + "/z_up_scene.ma", out, 2, "the scene has no node nowhere", {"tower", "nowhere"}},
        // The interchange reader's failures are its own tests'; one shows that they reach the exit status.
        {empty, out, 2, empty + ": the file is empty"},
        {unknown, out, 2, "unknown scene format: " + unknown},
        {broken, out, 2, "--scale applies to interchange files only", {}, false, 2.0},
        {examples() + "/nurbs_lattice_lights.ma", out, 0, ""},
        {scene, scene, 2, "is the scene"},
        {scene, dir.path() + "/./cube.ma", 2, "is the scene", {}, true},
        {scene, dir.file("link.qax"), 2, "is the scene", {}, true},
        {scene, dir.file("hard.qax"), 2, "is the scene", {}, true},
        {scene, dir.file("notes.txt"), 2, "is not a .qax file"},
        {scene, dir.file("forced.txt"), 0, "", {}, true},
        {scene, dir.file("old.qax"), 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.scene + " to " + c.output);
        const std::string before = testsupport::fileExists(c.output) ? testsupport::readFile(c.output) : "(none)";
        CommandLine command = exportCommand(c.scene, c.output, dir.path());
        command.selection = c.selection;
        command.force = c.force;
        command.scale = c.scale;
        command.quiet = true;
        outcome = runExport(command);
        EXPECT_EQ(outcome.exitStatus, c.exitStatus) << outcome.message;
        EXPECT_NE(outcome.message.find(c.message), std::string::npos) << outcome.message;
        EXPECT_EQ(outcome.message.empty(), c.message.empty()) << outcome.message;
        // A refused or failed export leaves what was there as it was.
        const std::string after = testsupport::fileExists(c.output) ? testsupport::readFile(c.output) : "(none)";
        if (c.exitStatus == 0) {
            EXPECT_EQ(after.substr(0, 4), "QAX1");
        } else {
            EXPECT_EQ(after, before);
        }
    }
    EXPECT_EQ(testsupport::readFile(scene), text);
}

TEST(ToolProcess, FailedExportPrintsItsLogLinesAndTheLogPathUnderQuiet)
{
    testsupport::TempDir dir;
    const std::string output = dir.file("no/such/folder/a.qax");
    const ToolRun run =
        runTool("export " + examples() + "/textured_cube.ma -o " + output + " -q --log-dir " + dir.path(), dir);
    EXPECT_EQ(run.status, 1) << run.printed;
    const std::string logLine = "  writeOutQAXFile: Could not open file '" + output + "' for writing\n";
    EXPECT_NE(run.printed.find(logLine), std::string::npos) << run.printed;
    EXPECT_NE(run.printed.find("  log: " + dir.file("qaxExport.log") + "\n"), std::string::npos) << run.printed;
    EXPECT_EQ(run.printed.find("Loading model data"), std::string::npos) << "-q lets the log echo through";
}

// One batch over a folder tree with a broken scene, a scene slower than the timeout and a file that is no scene;
// run again with --skip-up-to-date, it leaves the exported files alone and reports their totals.
TEST(ToolProcess, BatchOverAFolderWithABrokenAndASlowSceneThenSkippingWhatIsUpToDate)
{
    testsupport::TempDir dir;
    const std::string in = dir.file("in"), out = dir.file("out");
    ASSERT_EQ(mkdir(in.c_str(), 0755), 0);
    ASSERT_EQ(mkdir((in + "/props").c_str(), 0755), 0);
    testsupport::writeFile(in + "/props/cube.ma", testsupport::readFile(examples() + "/textured_cube.ma"));
    testsupport::writeFile(in + "/towers.ma", testsupport::readFile(examples() + "/z_up_scene.ma"));
    testsupport::writeFile(in + "/broken.ma", "createNode transform -n \"a\";\nsetAttr \".t\" -type \"double3\" 1;\n");
    testsupport::writeFile(in + "/readme.txt", "not a scene");
    // About 6 seconds with --optimize here, and more with sanitizers; the small scenes need well under the timeout
    // even on a loaded machine.
    testsupport::writeFile(in + "/grid.ma", kSlowScene);
    const std::string batch = "export " + in + " -o " + out + " --optimize -j 2 -q --timeout 1.5 --log-dir " +
                              dir.path() + " --report ";

    ToolRun run = runTool(batch + dir.file("first.json"), dir);
    EXPECT_EQ(run.status, 1) << run.printed;
    EXPECT_NE(run.printed.find("failed: " + in + "/broken.ma: " + in + "/broken.ma:2: "), std::string::npos)
        << run.printed;
    EXPECT_NE(run.printed.find("timed out: " + in + "/grid.ma: stopped after 1.5 seconds"), std::string::npos)
        << run.printed;
    const long long cube = modified(out + "/props/cube.qax"), towers = modified(out + "/towers.qax");
    EXPECT_GT(cube, 0);
    EXPECT_GT(towers, 0);
    EXPECT_EQ(modified(out + "/broken.qax"), -1);
    EXPECT_EQ(modified(out + "/grid.qax"), -1);
    const std::string first = testsupport::readFile(dir.file("first.json"));
    EXPECT_EQ(testsupport::splitLines(first).size(), 4u) << first;
    EXPECT_NE(first.find("\"input\":\"" + in + "/broken.ma\",\"log\":[],\"message\":\"" + in + "/broken.ma:2: "),
              std::string::npos) << first;
    EXPECT_NE(first.find("\"output\":\"" + out + "/props/cube.qax\",\"seconds\":"), std::string::npos) << first;
    EXPECT_NE(first.find("\"status\":\"exported\",\"totals\":{\"bytes\":"), std::string::npos) << first;
    EXPECT_NE(first.find("\"status\":\"timed out\""), std::string::npos) << first;
    EXPECT_NE(first.find("\"materials\":1,\"objects\":1,\"textures\":1,\"triangles\":12,"), std::string::npos) << first;

    run = runTool(batch + dir.file("second.json") + " --skip-up-to-date", dir);
    EXPECT_EQ(run.status, 1) << run.printed;
    EXPECT_EQ(modified(out + "/props/cube.qax"), cube);
    EXPECT_EQ(modified(out + "/towers.qax"), towers);
    const std::string second = testsupport::readFile(dir.file("second.json"));
    EXPECT_EQ(testsupport::splitLines(second).size(), 4u) << second;
    size_t upToDate = 0;
    for (size_t at = 0; (at = second.find("\"status\":\"up to date\"", at)) != std::string::npos; ++at)
        ++upToDate;
    EXPECT_EQ(upToDate, 2u) << second;
    // The totals of the file left in place.
    EXPECT_NE(second.find("\"materials\":1,\"objects\":1,\"textures\":1,\"triangles\":12,"), std::string::npos)
        << second;
}
