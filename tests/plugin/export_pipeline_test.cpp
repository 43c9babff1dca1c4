#include "export_fixture.h"
#include "output/free_qax_model.h"

using plugintest::ExportRun;
using plugintest::ExportTest;

namespace {

const MPxFileTranslator::FileAccessMode exportAll = MPxFileTranslator::kExportAccessMode;
const MPxFileTranslator::FileAccessMode exportSelection = MPxFileTranslator::kExportActiveAccessMode;

std::string text(const qaxString& name)
{
    return std::string(name.text, name.length);
}

// The first texture of a material.
std::string textureName(const qaxMaterial& material)
{
    return material.textures.numTextures < 1 ? "<none>" : text(material.textures.textures[0]);
}

// A pyramid on a square base: four triangles and a quad, six triangles in all.
headless::MeshData pyramidData()
{
    headless::MeshData data;
    data.points = {{-1, 0, -1}, {1, 0, -1}, {1, 0, 1}, {-1, 0, 1}, {0, 2, 0}};
    data.faces = {{0, 1, 2, 3}, {0, 4, 1}, {1, 4, 2}, {2, 4, 3}, {3, 4, 0}};
    return data;
}

// One object as written: its material, one vertex per triangle corner (the conversion's tests check their values
// and the indices) and colours only when asked for.
void expectObject(const qaxObject& object, int32_t materialID, int32_t triangles, bool withColors)
{
    EXPECT_EQ(object.header.materialID, materialID);
    EXPECT_EQ(object.indices.numIndices, 3 * triangles);
    EXPECT_EQ(object.vertices.numVertices, 3 * triangles);
    EXPECT_EQ(object.vertexColors.present != 0, withColors);
    ASSERT_EQ(object.bursts.numBursts, 1);
    EXPECT_EQ(object.bursts.burstCount[0], 9 * triangles);
}

} // namespace

// The scene every description of the exporter starts from: one cube with one blinn shader whose
// colour comes from a file texture inside the project.
TEST_F(ExportTest, WalkThroughSceneWritesTheFileAndTheCompleteLog)
{
    headless::setWorkspaceRoot("C:\\Work\\Proj\\");
    headless::setCurrentFile("C:/Work/Proj/scenes/cube.ma");
    MObject blinn;
    MObject blinnSG = plugintest::createMaterial("blinn", "blinn1", &blinn);
    MObject texture = headless::createFileTexture("file1", "C:\\Work\\Proj\\textures\\Brick.TGA");
    ASSERT_TRUE(headless::connectTexture(texture, blinn, "color"));
    MObject transform = headless::createTransform("pCube1");
    MObject cube = headless::createMesh("pCubeShape1", transform, plugintest::cubeData());
    ASSERT_TRUE(headless::assign(blinnSG, cube));

    ExportRun run = runExport("cube.qax", "vertexColors=0;relProjPath=0;optimize=0;", exportAll);
    EXPECT_EQ(run.status, MStatus::kSuccess);

    // The expected log lies beside this file, the plug-in directory written as @DIR@.
    std::string expectedText = testsupport::readFile(testsupport::sourceDirectory() + "/tests/plugin/data/walk_through.log");
    for (size_t at; (at = expectedText.find("@DIR@")) != std::string::npos;)
        expectedText.replace(at, 5, dir.path());
    const std::vector<std::string> expected = testsupport::splitLines(expectedText);
    const std::vector<std::string> lines = testsupport::splitLines(run.log);
    for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i)
        EXPECT_EQ(i < lines.size() ? lines[i] : "<missing>", i < expected.size() ? expected[i] : "<extra>")
            << "line " << i + 1;
    EXPECT_EQ(run.console, logText()) << "the console echoes the log";

    qaxModel model;
    ASSERT_TRUE(readQax("cube.qax", model));
    ASSERT_EQ(model.materials.numMaterials, 1);
    const qaxMaterial& material = model.materials.materials[0];
    EXPECT_EQ(text(material.header.name), "blinn1");
    // Each field of a material is the conversion's (its MaterialFields test); here the texture reaches the file.
    EXPECT_EQ(textureName(material), "brick.tga");
    ASSERT_EQ(model.objects.numObjects, 1);
    expectObject(model.objects.objects[0], 0, 12, false);
    freeQAXModel(model);
}

// The three options reach the export: colours only when asked, texture paths kept as they are when project
// relative, and removing duplicate values before the conversion changes nothing that is written.
TEST_F(ExportTest, SeveralMeshesAndMaterialsUnderTheOptions)
{
    MObject shinyBlue, paint;
    MObject shinySG = plugintest::createMaterial("blinn", "shinyBlue", &shinyBlue);
    MObject phongSG = plugintest::createMaterial("phong", "redPhong");
    MObject paintSG = plugintest::createMaterial("lambert", "paint", &paint);
    ASSERT_TRUE(headless::connectTexture(headless::createFileTexture("paintFile", "D:\\Art\\Paint.PNG"), paint));
    ASSERT_TRUE(headless::assign(shinySG, plugintest::createMeshObject("cubeA", plugintest::cubeData())));
    ASSERT_TRUE(headless::assign(phongSG, plugintest::createMeshObject("cubeB", plugintest::cubeData(2.0), 3.0)));
    ASSERT_TRUE(headless::assign(paintSG, plugintest::createMeshObject("pyramid", pyramidData(), -3.0)));

    struct Case {
        const char* options;
        bool colors;
        bool optimize;
        const char* texture; // of the third material
    };
    const Case cases[] = {
        {"", false, false, "paint.png"},
        {"optimize=1;", false, true, "paint.png"},
        {"vertexColors=1;relProjPath=1;optimize=1;", true, true, "D:\\Art\\Paint.PNG"},
    };
    std::vector<unsigned char> unoptimised;
    int run = 0;
    for (const Case& c : cases) {
        std::string name = "scene" + std::to_string(run++) + ".qax";
        ExportRun run = runExport(name, c.options, exportAll);
        ASSERT_EQ(run.status, MStatus::kSuccess) << c.options;

        const std::vector<std::string> lines = testsupport::splitLines(run.log);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "  Optimizing mesh 2: pyramid\n"), c.optimize ? 1 : 0);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "    Number of duplicate vertices: 0 / 8\n"), c.optimize ? 2 : 0);
        EXPECT_EQ(lines.back(), "Successful, all done!\n");

        qaxModel model;
        ASSERT_TRUE(readQax(name, model)) << c.options;
        ASSERT_EQ(model.materials.numMaterials, 3);
        EXPECT_EQ(text(model.materials.materials[1].header.name), "redPhong");
        EXPECT_EQ(textureName(model.materials.materials[2]), c.texture);
        ASSERT_EQ(model.objects.numObjects, 3);
        const int32_t triangles[3] = {12, 12, 6};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(std::string(c.options) + " object " + std::to_string(i));
            expectObject(model.objects.objects[i], i, triangles[i], c.colors);
        }
        freeQAXModel(model);

        std::vector<unsigned char> bytes = testsupport::readBytes(dir.file(name));
        if (!c.optimize) {
            unoptimised = bytes;
        } else if (!c.colors) {
            EXPECT_EQ(bytes, unoptimised) << c.options;
        }
    }
}

// A failing capture ends the export with the driver's line; a target that cannot be opened fails on the console
// only, the pipeline's line kept out of the log file; an output path that does not fit stops the set-up. None writes
// a file or leaves anything allocated. (The capture tests check the failing stages' own lines.)
TEST_F(ExportTest, FailedExportsWriteNothing)
{
    MObject sg = plugintest::createMaterial("lambert", "clay");
    ASSERT_TRUE(headless::assign(sg, plugintest::createMeshObject("pot", plugintest::cubeData())));
    std::filesystem::create_directory(dir.file("taken.qax"));
    headless::clearSelection();
    struct Case {
        std::string target;
        MPxFileTranslator::FileAccessMode mode;
        std::string lastLines; // the log file's last two lines
        const char* consoleOnly;
    };
    const Case cases[] = {
        {"nothing.qax", exportSelection, "  getMayaMeshes failed.\ngetMayaModelData failed\n", ""},
        {"taken.qax", exportAll,
         "Writing out qax file...\nwriteOutQAXFile: Could not open file '" + dir.file("taken.qax") +
             "' for writing\n",
         "writeOutQAXFile failed\n"},
        // A cut path would name another file.
        {std::string(300, 'o'), exportAll, "), nothing is written.\n----------------------\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        ExportRun run = runExport(c.target, "", c.mode);
        EXPECT_EQ(run.status, MStatus::kFailure);
        ASSERT_GE(run.log.size(), c.lastLines.size());
        EXPECT_EQ(run.log.substr(run.log.size() - c.lastLines.size()), c.lastLines);
        EXPECT_EQ(run.console, run.log + c.consoleOnly);
        // The log and the folder only: no file, finished or temporary, is left.
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("taken.qax")));
    }
}

TEST_F(ExportTest, TwoExportsAppendToOneLogAndTheSecondStartsAtIndentZero)
{
    MObject sg = plugintest::createMaterial("lambert", "clay");
    ASSERT_TRUE(headless::assign(sg, plugintest::createMeshObject("pot", plugintest::cubeData())));

    ASSERT_EQ(runExport("first.qax", "", exportAll).status, MStatus::kSuccess);
    std::string first = logText();
    // As if the first export had left its indent behind.
    pushLogIndent();
    pushLogIndent();
    ASSERT_EQ(runExport("second.qax", "", exportAll).status, MStatus::kSuccess);
    std::string both = logText();

    ASSERT_EQ(both.compare(0, first.size(), first), 0) << "the second export appends";
    std::vector<std::string> second = testsupport::splitLines(both.substr(first.size()));
    std::vector<std::string> firstLines = testsupport::splitLines(first);
    ASSERT_EQ(second.size(), firstLines.size());
    for (size_t i = 0; i < second.size(); ++i) {
        std::string expected = firstLines[i];
        if (expected.find("first.qax") != std::string::npos)
            expected.replace(expected.find("first.qax"), 9, "second.qax");
        // The writer's banner comes before the set-up empties the indent.
        if (i < 5)
            expected = "    " + expected;
        EXPECT_EQ(second[i], expected) << "line " << i + 1 << " of the second export";
    }
    EXPECT_EQ(testsupport::readBytes(dir.file("first.qax")), testsupport::readBytes(dir.file("second.qax")));
}
