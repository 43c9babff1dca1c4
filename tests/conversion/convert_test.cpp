#include "output/convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "conversion/quadratic_reference.h"
#include "conversion/test_meshes.h"
#include "model/allocation.h"
#include "output/compare.h"
#include "output/free_qax_model.h"
#include "output/reader.h"
#include "output/writer.h"
#include "plugin/settings.h"
#include "support/test_support.h"

using testmeshes::Corner;
using testmeshes::MeshData;
using testmeshes::SceneModel;
using testsupport::LogCapture;

namespace {

// Sets the two conversion options for the lifetime of the object.
struct Options {
    uint8_t saved[2] = {includeVertexColors, useProjectRelativePaths};
    Options(uint8_t colors, uint8_t relative) { set(colors, relative); }
    ~Options() { set(saved[0], saved[1]); }
    static void set(uint8_t colors, uint8_t relative)
    {
        includeVertexColors = colors;
        useProjectRelativePaths = relative;
    }
};

// An output model released when it goes.
struct Output {
    qaxModel model{};
    ~Output() { freeQAXModel(model); }
};

// Writes the model into a temporary directory, checks the file's size against fileLength, reads it
// back and compares it with the model; also checks that every index lies inside its object.
void expectFileReadsBack(const qaxModel& model)
{
    testsupport::TempDir dir;
    std::string path = dir.file("scene.qax");
    ASSERT_TRUE(writeOutQAXFile(path.c_str(), model));
    EXPECT_EQ(testsupport::readBytes(path).size(), size_t(model.fileLength) + 8);
    Output read;
    char error[512] = "";
    ASSERT_TRUE(readQAXFile(path.c_str(), read.model, error, sizeof error)) << error;
    EXPECT_TRUE(compareQAXModels(model, read.model, error, sizeof error)) << error;
    EXPECT_TRUE(validateQAXIndices(read.model, error, sizeof error)) << error;
}

// A unit triangle in the xy plane: positions 0..2, one normal, UVs 0..2, colours 0..2.
MeshData triangleMesh()
{
    MeshData data;
    data.verts = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    data.uvs = {0, 0, 1, 0, 0, 1};
    data.normals = {0, 0, 1};
    data.colors = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    data.faces = {{Corner{0, 0, 0, 0}, Corner{1, 1, 0, 1}, Corner{2, 2, 0, 2}}};
    return data;
}

// Runs one of the conversions and gives the log it wrote.
std::string convertLogged(bool (*convert)(const Model&, qaxModel&), const Model& model, qaxModel& output)
{
    LogCapture log;
    EXPECT_TRUE(convert(model, output));
    return log.text();
}

// What weld gives for every stored corner of the mesh, one before and one past each polygon's, one polygon
// before and one past the mesh's, and no mesh at all; and the log it wrote meanwhile.
std::pair<std::vector<int32_t>, std::string> weldEveryCorner(
    const Mesh& mesh, const std::function<int32_t(const Mesh*, int32_t, int32_t)>& weld)
{
    LogCapture log;
    std::vector<int32_t> indices{weld(nullptr, 0, 0)};
    for (int32_t j = -1; j <= mesh.numPolygons; ++j) {
        int32_t corners = j >= 0 && j < mesh.numPolygons ? mesh.polygons[j].numVerts : 0;
        for (int32_t k = -1; k <= corners; ++k)
            indices.push_back(weld(&mesh, j, k));
    }
    return {indices, log.text()};
}

} // namespace

// The whole log and the file length of the format's worked example (one material of an eight-character
// name, one triangle), of a frame without meshes and of a model without frames, which fails.
TEST(ConvertToQAX, WholeLogAndFileLength)
{
    Options options(0, 0);
    const std::string start = "Converting model data to qax format...\n";
    const std::vector<std::string> workedLog = {
        start, "  Number of vertex/normal/uv pairs: 3\n", "  Number of unique vertex/normal/uv pairs: 3\n",
        "  Converted 3 pairs\n", "  Setting indices\n", "  Setting structure sizes\n", "  Setting up 1 bursts\n",
        "Successful.\n"};
    struct Case {
        const char* name;
        int32_t materials;
        std::vector<MeshData> meshes;
        bool frames;
        std::vector<std::string> log;
        int32_t fileLength;
    } cases[] = {
        {"the worked size example", 1, {triangleMesh()}, true, workedLog, 444},
        {"a frame without meshes", 2, {}, true, {start, "Successful.\n"}, 440},
        {"no frames", 0, {}, false, {start, "No frames to convert.\n"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SceneModel scene(c.materials, c.meshes);
        for (int32_t i = 0; i < c.materials; ++i)
            snprintf(scene.material(i).name, NAME_SIZE, "blinn12%d", int(i + 3));
        Model noFrames{};
        LogCapture log;
        Output output;
        int32_t live = liveAllocations();
        EXPECT_EQ(convertToQAX(c.frames ? scene.model : noFrames, output.model), c.frames);
        EXPECT_EQ(log.lines(), c.log);
        EXPECT_EQ(output.model.fileLength, c.fileLength);
        if (c.frames) {
            expectFileReadsBack(output.model);
        } else {
            EXPECT_EQ(output.model.materials.materials, nullptr);
            EXPECT_EQ(liveAllocations(), live);
        }
    }
}

// The random scenes below stay far under the object limit: 17,500 quads (35,000 triangles) taking in turn the
// seven squares of a strip of 8 x 2 points, between two triangles, go out as 4 objects, the same as from the
// pairwise conversion (which finds each corner's first match within a few squares).
TEST(ConvertToQAX, LargeMeshesAreSplitSoThatEveryIndexFitsSixteenBits)
{
    MeshData strip;
    for (float y : {0.0f, 1.0f}) {
        for (int32_t x = 0; x < 8; ++x) {
            strip.verts.insert(strip.verts.end(), {float(x), y, 0.0f});
            strip.uvs.insert(strip.uvs.end(), {float(x) / 8, y});
        }
    }
    strip.normals = {0, 0, 1};
    strip.colors = {1, 1, 1};
    strip.materialIndex = 1;
    for (int32_t q = 0; q < 17500; ++q) {
        int32_t v = q % 7;
        strip.faces.push_back({Corner{v, v, 0, 0}, Corner{v + 1, v + 1, 0, 0}, Corner{v + 9, v + 9, 0, 0},
                               Corner{v + 8, v + 8, 0, 0}});
    }
    for (uint8_t colors : {0, 1}) {
        SCOPED_TRACE(int(colors));
        Options options(colors, 0);
        SceneModel scene(2, {triangleMesh(), strip, triangleMesh()});
        Output fast, slow;
        const std::string log = convertLogged(convertToQAX, scene.model, fast.model);
        EXPECT_EQ(log, convertLogged(reference::convertToQAX, scene.model, slow.model));
        char difference[512] = "";
        EXPECT_TRUE(compareQAXModels(fast.model, slow.model, difference, sizeof difference)) << difference;
        ASSERT_EQ(fast.model.objects.numObjects, 4);
        const int32_t expectedTriangles[] = {1, 21845, 35000 - 21845, 1};
        for (int32_t i = 0; i < 4; ++i)
            EXPECT_EQ(fast.model.objects.objects[i].vertices.numVertices, 3 * expectedTriangles[i]) << i;
        EXPECT_NE(log.find("  Mesh 1 split into 2 objects of at most 21845 triangles\n"), std::string::npos);
        expectFileReadsBack(fast.model);
    }
}

// What the random scenes of the pairwise comparison below never reach: a grid of 200 x 100 quads over
// 201 x 101 points, the halves with normals 0 and 1 (the middle column's 101 points in both), and one face
// holding twice a combination whose point the mesh lacks.
TEST(CountUniquePairs, CountsLargeMeshes)
{
    MeshData grid;
    const int32_t freeSlot = int32_t(0x80808080u);
    for (int32_t y = 0; y < 100; ++y) {
        for (int32_t x = 0; x < 200; ++x) {
            int32_t v = y * 201 + x, n = x < 100 ? 0 : 1;
            grid.faces.push_back({Corner{v, v, n, 0}, Corner{v + 1, v + 1, n, 0}, Corner{v + 202, v + 202, n, 0},
                                  Corner{v + 201, v + 201, n, 0}});
        }
    }
    grid.faces.push_back({Corner{freeSlot, freeSlot, freeSlot, freeSlot}, Corner{0, 0, 0, 0},
                          Corner{freeSlot, freeSlot, freeSlot, freeSlot}});
    // A fan of 40 faces on point 0 whose corners there take five new normals: more corners on one point
    // than are compared pairwise.
    for (int32_t k = 0; k < 40; ++k)
        grid.faces.push_back({Corner{0, 0, 2 + k % 5, 0}, Corner{1, 1, 0, 0}, Corner{202, 202, 0, 0}});
    SceneModel scene(0, {grid});
    int32_t live = liveAllocations();
    for (uint8_t colors : {0, 1})
        EXPECT_EQ(countUniquePairs(&scene.mesh(0), colors), 201 * 101 + 101 + 1 + 5) << int(colors);
    EXPECT_EQ(liveAllocations(), live);
    EXPECT_EQ(countUniquePairs(nullptr, 0), 0);
}

// The hashed conversion against the pairwise one on random scenes: faces of three to six corners (and
// some of fewer), exact duplicates, zeros of both signs, NaNs, missing and stray indices. The output
// models must be identical bit for bit, the logs line for line, and the pair counts and the welding of
// every single corner the same.
TEST(ConvertToQAX, MatchesThePairwiseConversionOnRandomScenes)
{
    struct Shape {
        const char* name;
        testmeshes::RandomMeshShape shape;
        int32_t scenes;
    } shapes[] = {
        {"triangles only", {16, 20, 3, 3, true, true, 5}, 120},
        {"faces of three to six corners", {16, 20, 3, 6, true, true, 5}, 160},
        {"faces of up to six corners, some without triangles", {24, 24, 0, 6, true, true, 4}, 60},
        {"clean triangles", {40, 60, 3, 3, false, false, 4}, 40},
    };
    // Texture names at the edges of the name rule (taken with both path options): separators of either kind
    // or none, a trailing one, names past the 64 characters kept, a path filling the whole field.
    const std::string longName(80, 'T');
    const std::string texturePaths[] = {"C:\\Maps\\Scene.PNG", "a/b\\C.png", "/", "Marble.JPG", "textures/",
                                        "dir\\" + longName, "c:/" + longName, "D:\\" + std::string(254, 'A') + "\\B"};
    std::mt19937 random(7);
    int32_t welded = 0;
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.name);
        for (int32_t n = 0; n < s.scenes; ++n) {
            SCOPED_TRACE(n);
            uint8_t colors = uint8_t(n % 2);
            Options options(colors, uint8_t(n % 3 == 0));
            std::vector<MeshData> meshes;
            for (int32_t i = int32_t(random() % 3); i >= 0; --i)
                meshes.push_back(testmeshes::randomMesh(random, s.shape));
            SceneModel scene(int32_t(random() % 3), meshes);
            for (int32_t i = 0; i < scene.model.numMaterials; ++i)
                snprintf(scene.material(i).colorTexture, PATH_SIZE, "%s", texturePaths[(n + i) % 8].c_str());
            // Material values at the edges of the conversion's rules (a colour of zeros of either sign goes
            // out white; a reflectivity or translucence other than zero sets its flag), names filling the
            // field; drawn apart from the meshes so that the scenes stay the same.
            std::mt19937 materialRandom{uint32_t(n)};
            const float values[] = {0.0f, -0.0f, 0.001f, -0.5f, 1.0f};
            for (int32_t i = 0; i < scene.model.numMaterials; ++i) {
                Material& material = scene.material(i);
                float* fields[] = {material.color, material.ambientColor, material.specularColor, material.incandescence};
                for (float* field : fields)
                    for (int32_t c = 0; c < 4; ++c)
                        field[c] = values[materialRandom() % 5];
                material.reflectivity = values[materialRandom() % 5];
                material.translucenceCoeff = values[materialRandom() % 5];
                material.eccentricity = values[materialRandom() % 5];
                if (materialRandom() % 2)
                    snprintf(material.name, NAME_SIZE, "%s", std::string(NAME_SIZE - 1, 'n').c_str());
            }

            Output fast, slow;
            EXPECT_EQ(convertLogged(convertToQAX, scene.model, fast.model),
                      convertLogged(reference::convertToQAX, scene.model, slow.model));
            char difference[512] = "";
            EXPECT_TRUE(compareQAXModels(fast.model, slow.model, difference, sizeof difference)) << difference;
            if (scene.model.numMaterials > 0) {
                EXPECT_EQ(scene.material(0).colorTexture, texturePaths[n % 8]) << "the scene model is not changed";
            }

            for (int32_t m = 0; m < scene.model.frames[0].numMeshes; ++m) {
                const Mesh& mesh = scene.mesh(m);
                EXPECT_EQ(countUniquePairs(&mesh, 0), reference::countUniquePairs(&mesh, 0));
                EXPECT_EQ(countUniquePairs(&mesh, 1), reference::countUniquePairs(&mesh, 1));
                const qaxObject& object = fast.model.objects.objects[m];
                VertexWeldTable weld;
                ASSERT_TRUE(buildVertexWeldTable(weld, object, colors));
                auto hashed = weldEveryCorner(mesh, [&](const Mesh* at, int32_t j, int32_t k) {
                    return getQAXIndexForVertex(weld, at, j, k);
                });
                auto searched = weldEveryCorner(mesh, [&](const Mesh* at, int32_t j, int32_t k) {
                    return reference::getQAXIndexForVertex(&object, at, j, k, colors);
                });
                EXPECT_EQ(hashed, searched) << "mesh " << m;
                const std::vector<int32_t>& indices = hashed.first;
                welded += int32_t(std::count_if(indices.begin(), indices.end(), [](int32_t i) { return i >= 0; }));
                releaseVertexWeldTable(weld);
            }
            expectFileReadsBack(fast.model);
        }
    }
    EXPECT_GT(welded, 1000);
}
