#include <gtest/gtest.h>

#include <maya/MPxFileTranslator.h>

#include <headless/scene.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "export_fixture.h"
#include "log/log.h"
#include "model/allocation.h"
#include "output/free_qax_model.h"
#include "support/test_support.h"

using plugintest::ExportRun;
using plugintest::ExportTest;

namespace {

const MPxFileTranslator::FileAccessMode exportAll = MPxFileTranslator::kExportAccessMode;
const MPxFileTranslator::FileAccessMode exportSelection = MPxFileTranslator::kExportActiveAccessMode;

bool hasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::string materialName(const qaxMaterial& material)
{
    return std::string(material.header.name.text, material.header.name.length);
}

std::string textureName(const qaxMaterial& material)
{
    if (material.textures.numTextures < 1)
        return "<none>";
    return std::string(material.textures.textures[0].text, material.textures.textures[0].length);
}

// A pyramid on a square base: four triangles and a quad, one colour per point.
headless::MeshData pyramidData()
{
    headless::MeshData data;
    data.points = {{-1, 0, -1}, {1, 0, -1}, {1, 0, 1}, {-1, 0, 1}, {0, 2, 0}};
    data.faces = {{0, 1, 2, 3}, {0, 4, 1}, {1, 4, 2}, {2, 4, 3}, {3, 4, 0}};
    data.uvs = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0.5f, 0.5f}};
    data.faceUVs = data.faces;
    data.normals = {{0, -1, 0}, {0, 0.447f, -0.894f}, {0.894f, 0.447f, 0}, {0, 0.447f, 0.894f},
                    {-0.894f, 0.447f, 0}};
    data.faceNormals = {{0, 0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
    data.colors = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}, {1, 1, 1, 1}};
    data.faceColors = data.faces;
    return data;
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

    const std::vector<std::string> expected = {
        "----------------------\n",
        "---qaxExporter v1.0---\n",
        "----------by----------\n",
        "-----Ember  Rooke-----\n",
        "----------------------\n",
        "----------------------\n",
        "---Maya Plugin Base---\n",
        "----------by----------\n",
        "-----Ember  Rooke-----\n",
        "----------------------\n",
        "Currently open maya file: C:/Work/Proj/scenes/cube.ma\n",
        "Plugin loaded from: " + dir.path() + "\n",
        "Project Directory: c:/work/proj/\n",
        "Output: " + dir.file("cube.qax") + "\n",
        "----------------------\n",
        "Options:\n",
        "  includeVertexColors: 0\n",
        "  Use project relative paths: 0\n",
        "  optimizeModel: 0\n",
        "Loading model data from maya...\n",
        "  Getting materials from maya data...\n",
        "    1 materials found.\n",
        "    Beginning to load materials from maya data.\n",
        "      Loading blinn shader...\n",
        "        Original path: C:\\Work\\Proj\\textures\\Brick.TGA\n",
        "        Project relative path: textures\\Brick.TGA\n",
        "        ambient: 0.000000 0.000000 0.000000 1.000000\n",
        "        specularColor: 0.500000 0.500000 0.500000 1.000000\n",
        "    Successful.\n",
        "  Successful.\n",
        "  Getting meshes from maya data...\n",
        "    Found: 1 meshes.\n",
        "    Loading all meshes.\n",
        "      Loading mesh.\n",
        "        loadMesh: Surface: 'pCube1'\n",
        "        loadMesh: Allocating memory for the polyset\n",
        "        loadMesh: Finished initializing iterators, allocing memory for 8 verts\n",
        "        Found material: 'blinn1'\n",
        "        No axis conversion\n",
        "        loadMesh: Generating polygons...\n",
        "      Successful\n",
        "    Successful.\n",
        "  Successful.\n",
        "  Getting meshes from maya data...\n",
        "    Found: 0 NURBS, 0 NURBS Curves, 0 lattices, 0 cameras, 0 lights.\n",
        "    Loading all misc geometry.\n",
        "    Successful.\n",
        "  Successful.\n",
        "Successful.\n",
        "Converting model data to qax format...\n",
        "  Number of vertex/normal/uv pairs: 36\n",
        "  Number of unique vertex/normal/uv pairs: 24\n",
        "  Converted 36 pairs\n",
        "  Setting indices\n",
        "  Setting structure sizes\n",
        "  Setting up 1 bursts\n",
        "Successful.\n",
        "Writing out qax file...\n",
        "Successful...\n",
        "Freeing model and qax data...\n",
        "Successful, all done!\n",
    };
    std::vector<std::string> lines = logLines();
    for (size_t i = 0; i < std::max(lines.size(), expected.size()); ++i)
        EXPECT_EQ(i < lines.size() ? lines[i] : "<missing>", i < expected.size() ? expected[i] : "<extra>")
            << "line " << i + 1;
    EXPECT_EQ(run.console, logText()) << "the console echoes the log";
    EXPECT_EQ(liveAllocations(), allocationsBefore);

    qaxModel model;
    ASSERT_TRUE(plugintest::readQax(dir.file("cube.qax"), model));
    ASSERT_EQ(model.materials.numMaterials, 1);
    const qaxMaterial& material = model.materials.materials[0];
    EXPECT_EQ(materialName(material), "blinn1");
    // Each field of a material is the conversion's (its MaterialFields test); here the texture reaches the file.
    EXPECT_EQ(textureName(material), "brick.tga");
    ASSERT_EQ(model.objects.numObjects, 1);
    EXPECT_EQ(model.objects.objects[0].header.materialID, 0);
    plugintest::expectObject(model.objects.objects[0], plugintest::expectedVertices(plugintest::cubeData()), false);
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
        testsupport::LogCapture capture;
        std::string name = "scene" + std::to_string(run++) + ".qax";
        ExportRun run = runExport(name, c.options, exportAll);
        ASSERT_EQ(run.status, MStatus::kSuccess) << c.options;
        EXPECT_EQ(liveAllocations(), allocationsBefore) << c.options;

        std::vector<std::string> lines = capture.lines();
        EXPECT_EQ(hasLine(lines, "  Optimizing mesh 2: pyramid\n"), c.optimize) << c.options;
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "    Number of duplicate vertices: 0 / 8\n"), c.optimize ? 2 : 0);
        EXPECT_EQ(lines.back(), "Successful, all done!\n");

        qaxModel model;
        ASSERT_TRUE(plugintest::readQax(dir.file(name), model)) << c.options;
        ASSERT_EQ(model.materials.numMaterials, 3);
        EXPECT_EQ(materialName(model.materials.materials[1]), "redPhong");
        EXPECT_EQ(textureName(model.materials.materials[2]), c.texture);
        ASSERT_EQ(model.objects.numObjects, 3);
        const headless::MeshData meshes[3] = {plugintest::cubeData(), plugintest::cubeData(2.0), pyramidData()};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(std::string(c.options) + " object " + std::to_string(i));
            EXPECT_EQ(model.objects.objects[i].header.materialID, i);
            plugintest::expectObject(model.objects.objects[i], plugintest::expectedVertices(meshes[i]), c.colors);
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

// A capture that fails ends the export with the driver's line, writes no file and leaves nothing allocated. (The
// capture tests check the failing stages' own lines.)
TEST_F(ExportTest, EmptySelectionFailsTheCaptureAndWritesNothing)
{
    MObject sg = plugintest::createMaterial("lambert", "clay");
    ASSERT_TRUE(headless::assign(sg, plugintest::createMeshObject("pot", plugintest::cubeData())));
    headless::clearSelection();

    ExportRun run = runExport("nothing.qax", "", exportSelection);
    EXPECT_EQ(run.status, MStatus::kFailure);
    std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "  getMayaMeshes failed.\n");
    EXPECT_EQ(lines.back(), "getMayaModelData failed\n");
    EXPECT_EQ(run.console, logText());
    EXPECT_EQ(directoryEntries(), std::vector<std::string>{"qaxExport.log"});
    EXPECT_EQ(liveAllocations(), allocationsBefore);
}

TEST_F(ExportTest, TargetThatIsADirectoryFailsOnTheConsoleOnly)
{
    MObject sg = plugintest::createMaterial("lambert", "clay");
    ASSERT_TRUE(headless::assign(sg, plugintest::createMeshObject("pot", plugintest::cubeData())));
    std::filesystem::create_directory(dir.file("taken.qax"));

    ExportRun run = runExport("taken.qax", "", exportAll);
    EXPECT_EQ(run.status, MStatus::kFailure);
    std::vector<std::string> lines = logLines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "Writing out qax file...\n");
    EXPECT_EQ(lines.back(), "writeOutQAXFile: Could not open file '" + dir.file("taken.qax") + "' for writing\n");
    EXPECT_FALSE(hasLine(lines, "writeOutQAXFile failed\n")) << "the pipeline's line stays out of the file";
    EXPECT_EQ(run.console, logText() + "writeOutQAXFile failed\n");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken.qax")));
    EXPECT_TRUE(std::filesystem::is_empty(dir.file("taken.qax")));
    EXPECT_EQ(directoryEntries(), (std::vector<std::string>{"qaxExport.log", "taken.qax"}));
    EXPECT_EQ(liveAllocations(), allocationsBefore);
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
    EXPECT_EQ(liveAllocations(), allocationsBefore);
}
