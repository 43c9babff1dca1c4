#include "output/convert.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "conversion/quadratic_reference.h"
#include "conversion/test_meshes.h"
#include "model/allocation.h"
#include "output/compare.h"
#include "output/free_qax_model.h"
#include "output/reader.h"
#include "output/triangulate.h"
#include "output/writer.h"
#include "plugin/settings.h"
#include "support/test_support.h"

using testmeshes::Corner;
using testmeshes::MeshData;
using testmeshes::SceneModel;
using testsupport::LogCapture;

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

// Sets the two conversion options for the lifetime of the object.
class Options {
public:
    Options(uint8_t colors, uint8_t relativePaths)
        : savedColors_(includeVertexColors), savedRelative_(useProjectRelativePaths)
    {
        includeVertexColors = colors;
        useProjectRelativePaths = relativePaths;
    }
    ~Options()
    {
        includeVertexColors = savedColors_;
        useProjectRelativePaths = savedRelative_;
    }

private:
    uint8_t savedColors_;
    uint8_t savedRelative_;
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

// A face over positions in order, all corners using normal 0, UV i and colour 0.
std::vector<Corner> faceOver(const std::vector<int32_t>& positions)
{
    std::vector<Corner> face;
    for (int32_t v : positions)
        face.push_back(Corner{v, v, 0, 0});
    return face;
}

// The same face for a mesh of planar points (x, y) with a UV per point.
MeshData planarMesh(const std::vector<float>& xy, const std::vector<std::vector<int32_t>>& faces)
{
    MeshData data;
    for (size_t i = 0; i < xy.size(); i += 2) {
        data.verts.insert(data.verts.end(), {xy[i], xy[i + 1], 0.0f});
        data.uvs.insert(data.uvs.end(), {xy[i], xy[i + 1]});
    }
    data.normals = {0, 0, 1};
    data.colors = {1, 1, 1};
    for (const std::vector<int32_t>& face : faces)
        data.faces.push_back(faceOver(face));
    return data;
}

std::vector<uint16_t> indicesOf(const qaxObject& object)
{
    return std::vector<uint16_t>(object.indices.indices, object.indices.indices + object.indices.numIndices);
}

std::vector<float> positionsOf(const qaxObject& object)
{
    return std::vector<float>(object.vertices.vertices, object.vertices.vertices + 3 * object.vertices.numVertices);
}

// The exact value key of output vertex i (0.0 and -0.0 alike), for finding first occurrences.
std::vector<uint32_t> vertexKey(const qaxObject& object, int32_t i, bool colors)
{
    std::vector<uint32_t> key;
    for (int32_t c = 0; c < 3; ++c)
        key.push_back(exactFloatBits(object.vertices.vertices[3 * i + c]));
    for (int32_t c = 0; c < 3; ++c)
        key.push_back(exactFloatBits(object.normals.normals[3 * i + c]));
    for (int32_t c = 0; c < 2; ++c)
        key.push_back(exactFloatBits(object.UVs.UVs[2 * i + c]));
    if (colors)
        for (int32_t c = 0; c < 3; ++c)
            key.push_back(exactFloatBits(object.vertexColors.vertexColors[3 * i + c]));
    return key;
}

} // namespace

TEST(ConvertToQAX, WorkedSizeExampleAndItsLog)
{
    Options options(0, 0);
    SceneModel scene(1, {triangleMesh()});
    snprintf(scene.material(0).name, NAME_SIZE, "blinn123");
    LogCapture log;
    Output output;

    ASSERT_TRUE(convertToQAX(scene.model, output.model));

    std::vector<std::string> expectedLog = {
        "Converting model data to qax format...\n", "  Number of vertex/normal/uv pairs: 3\n",
        "  Number of unique vertex/normal/uv pairs: 3\n", "  Converted 3 pairs\n", "  Setting indices\n",
        "  Setting structure sizes\n", "  Setting up 1 bursts\n", "Successful.\n"};
    EXPECT_EQ(log.lines(), expectedLog);
    const qaxModel& m = output.model;
    const qaxMaterial& material = m.materials.materials[0];
    const qaxObject& object = m.objects.objects[0];
    std::vector<std::tuple<const char*, int32_t, int32_t>> lengths = {
        {"MHDR", material.header.length, 20},   {"MTEX", material.textures.length, 6},
        {"MAT0", material.length, 198},         {"MATS", m.materials.length, 210},
        {"INDI", object.indices.length, 10},    {"VERT", object.vertices.length, 40},
        {"TVER", object.UVs.length, 28},        {"NORM", object.normals.length, 40},
        {"BRST", object.bursts.length, 20},     {"GOB1", object.length, 202},
        {"GEOB", m.objects.length, 214},        {"fileLength", m.fileLength, 444},
        {"VCOL", object.vertexColors.length, 0}, {"GHDR", object.header.length, 12},
    };
    for (const auto& [name, actual, expected] : lengths)
        EXPECT_EQ(actual, expected) << name;
    EXPECT_EQ(object.vertexColors.present, 0);
    EXPECT_EQ(object.vertexColors.vertexColors, nullptr);
    EXPECT_EQ(indicesOf(object), (std::vector<uint16_t>{0, 1, 2}));
    EXPECT_EQ(object.bursts.burstStart[0], 0);
    EXPECT_EQ(object.bursts.burstCount[0], 9);
    EXPECT_EQ(object.bursts.burstVperP[0], 3);
    expectFileReadsBack(m);
}

TEST(ConvertToQAX, FramesWithoutMeshesAndModelsWithoutFrames)
{
    Options options(0, 0);
    {
        SceneModel scene(2, {});
        LogCapture log;
        Output output;
        ASSERT_TRUE(convertToQAX(scene.model, output.model));
        EXPECT_EQ(output.model.objects.numObjects, 0);
        EXPECT_EQ(output.model.objects.length, 4);
        EXPECT_EQ(output.model.materials.numMaterials, 2);
        EXPECT_EQ(output.model.fileLength, output.model.materials.length + 4 + 20);
        EXPECT_EQ(log.lines(), (std::vector<std::string>{"Converting model data to qax format...\n", "Successful.\n"}));
        expectFileReadsBack(output.model);
    }
    {
        Model model{};
        LogCapture log;
        Output output;
        int32_t live = liveAllocations();
        EXPECT_FALSE(convertToQAX(model, output.model));
        EXPECT_EQ(log.lines(),
                  (std::vector<std::string>{"Converting model data to qax format...\n", "No frames to convert.\n"}));
        EXPECT_EQ(output.model.materials.materials, nullptr);
        EXPECT_EQ(output.model.fileLength, 0);
        EXPECT_EQ(liveAllocations(), live);
    }
}

TEST(ConvertToQAX, MaterialFields)
{
    Options options(0, 0);
    struct Case {
        float color[4];
        float expectedDiffuse[4];
        float reflectivity;
        float translucence;
        int32_t reflective;
        int32_t translucent;
    } cases[] = {
        {{0, 0, 0, 0.5f}, {1, 1, 1, 0.5f}, 0.0f, 0.0f, 0, 0},
        {{0, 0, 0.001f, 0.5f}, {0, 0, 0.001f, 0.5f}, 0.5f, 0.25f, 1, 1},
        {{-0.0f, 0, 0, 1}, {1, 1, 1, 1}, -0.0f, 1.0f, 0, 1},
        {{0.2f, 0.3f, 0.4f, 0}, {0.2f, 0.3f, 0.4f, 0}, 1.0f, 0.0f, 1, 0},
    };
    const int32_t count = int32_t(sizeof cases / sizeof cases[0]);
    SceneModel scene(count, {});
    for (int32_t i = 0; i < count; ++i) {
        Material& material = scene.material(i);
        memcpy(material.color, cases[i].color, sizeof material.color);
        material.reflectivity = cases[i].reflectivity;
        material.translucenceCoeff = cases[i].translucence;
        material.eccentricity = 0.125f * float(i + 1);
        for (int32_t c = 0; c < 4; ++c) {
            material.ambientColor[c] = 0.1f * float(c + i);
            material.specularColor[c] = 0.2f * float(c + i);
            material.incandescence[c] = 0.3f * float(c + i);
        }
    }
    snprintf(scene.material(0).name, NAME_SIZE, "%s", std::string(31, 'n').c_str());
    LogCapture log;
    Output output;
    ASSERT_TRUE(convertToQAX(scene.model, output.model));

    ASSERT_EQ(output.model.materials.numMaterials, count);
    int32_t materialsLength = 4;
    for (int32_t i = 0; i < count; ++i) {
        SCOPED_TRACE(i);
        const qaxMaterial& out = output.model.materials.materials[i];
        const Material& in = scene.material(i);
        EXPECT_EQ(memcmp(out.colors.diffuse, cases[i].expectedDiffuse, sizeof out.colors.diffuse), 0);
        EXPECT_EQ(memcmp(out.colors.ambient, in.ambientColor, sizeof out.colors.ambient), 0);
        EXPECT_EQ(memcmp(out.colors.specular, in.specularColor, sizeof out.colors.specular), 0);
        EXPECT_EQ(memcmp(out.colors.incandescence, in.incandescence, sizeof out.colors.incandescence), 0);
        EXPECT_EQ(out.colors.eccentricityScaled, in.eccentricity * 128.0f);
        EXPECT_EQ(out.flags.reflective, cases[i].reflective);
        EXPECT_EQ(out.translucence.coeff, cases[i].translucence);
        EXPECT_EQ(out.translucence.enabled, cases[i].translucent);
        const float uvw[7] = {0, 0, 1, 1, 0, 0, 0};
        EXPECT_EQ(memcmp(out.uvw.values, uvw, sizeof uvw), 0);
        EXPECT_EQ(std::string(out.header.name.text, out.header.name.length), std::string(in.name));
        EXPECT_EQ(std::string(out.header.type.text, out.header.type.length), "Standard");
        EXPECT_EQ(out.header.length, 4 + int32_t(strlen(in.name)) + 8);
        EXPECT_EQ(out.subMaterials.numSubMaterials, 0);
        EXPECT_EQ(out.subMaterials.length, 4);
        EXPECT_EQ(out.length, out.header.length + out.textures.length + 172);
        materialsLength += 8 + out.length;
    }
    EXPECT_EQ(output.model.materials.length, materialsLength);
    expectFileReadsBack(output.model);
}

TEST(ConvertToQAX, TextureNames)
{
    const std::string longName(80, 'T');
    struct Case {
        const char* name;
        uint8_t relative;
        std::string path;
        std::string expected;
    } cases[] = {
        {"backslashes and capitals give the lower-case file name", 0, "C:\\Project\\Textures\\Brick_WALL.TGA",
         "brick_wall.tga"},
        {"forward slashes", 0, "sourceimages/Wood.PNG", "wood.png"},
        {"mixed separators: the last one counts", 0, "a/b\\C.png", "c.png"},
        {"only a separator", 0, "/", ""},
        {"a path filling the whole field", 0, "D:\\" + std::string(254, 'A') + "\\B", "b"},
        {"no separator keeps its case", 0, "Marble.JPG", "Marble.JPG"},
        {"project-relative paths are kept", 1, "C:\\Project\\Textures\\Brick_WALL.TGA",
         "C:\\Project\\Textures\\Brick_WALL.TGA"},
        {"empty", 0, "", ""},
        {"a trailing slash leaves nothing", 0, "textures/", ""},
        {"a long file name is cut to 64", 0, "dir\\" + longName, std::string(64, 't')},
        {"a long kept path is cut to 64", 1, "c:/" + longName, ("c:/" + longName).substr(0, 64)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Options options(0, c.relative);
        SceneModel scene(1, {});
        snprintf(scene.material(0).colorTexture, PATH_SIZE, "%s", c.path.c_str());
        LogCapture log;
        Output output;
        ASSERT_TRUE(convertToQAX(scene.model, output.model));

        const qaxMaterial& material = output.model.materials.materials[0];
        ASSERT_EQ(material.textures.numTextures, 1);
        const qaxString& texture = material.textures.textures[0];
        EXPECT_EQ(std::string(texture.text, texture.length), c.expected);
        for (size_t i = texture.length; i < QAX_STRING_SIZE; ++i)
            EXPECT_EQ(texture.text[i], '\0') << "byte " << i;
        EXPECT_EQ(material.textures.length, 6 + int32_t(c.expected.size()));
        EXPECT_STREQ(scene.material(0).colorTexture, c.path.c_str()) << "the scene model is not changed";
        expectFileReadsBack(output.model);
    }
}

TEST(ConvertToQAX, VertexColoursTakePartInWeldingOnlyWhenWritten)
{
    // Two triangles over the same three positions, normals and UVs; corner 0 has another colour in the
    // second triangle.
    MeshData data = triangleMesh();
    data.colors.insert(data.colors.end(), {0.5f, 0.5f, 0.5f});
    data.faces.push_back({Corner{0, 0, 0, 3}, Corner{1, 1, 0, 1}, Corner{2, 2, 0, 2}});
    struct Case {
        uint8_t colors;
        std::vector<uint16_t> indices;
        int32_t uniquePairs;
    } cases[] = {
        {0, {0, 1, 2, 0, 1, 2}, 3},
        {1, {0, 1, 2, 3, 1, 2}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.colors));
        Options options(c.colors, 0);
        SceneModel scene(1, {data});
        LogCapture log;
        Output output;
        ASSERT_TRUE(convertToQAX(scene.model, output.model));
        const qaxObject& object = output.model.objects.objects[0];
        EXPECT_EQ(indicesOf(object), c.indices);
        EXPECT_EQ(object.vertexColors.present, c.colors);
        EXPECT_EQ(object.vertexColors.numVertexColors, c.colors ? 6 : 0);
        EXPECT_EQ(object.vertexColors.length, c.colors ? 4 + 12 * 6 : 0);
        // INDI, VERT, TVER, NORM and BRST of six vertices, the fixed 64, and VCOL when written.
        const int32_t V = 6;
        EXPECT_EQ(object.length, (4 + 2 * V) + (4 + 12 * V) + (4 + 8 * V) + (4 + 12 * V) + (4 + 16) + 64 +
                                     (c.colors ? (4 + 12 * V) + 8 : 0));
        EXPECT_EQ(countUniquePairs(&scene.mesh(0), c.colors), c.uniquePairs);
        if (c.colors) {
            EXPECT_EQ(object.vertexColors.vertexColors[9], 0.5f);
        }
        expectFileReadsBack(output.model);
    }
}

// Each face becomes the triangles triangulateFace cuts it into (its own tests check their shape), in
// that order, one output vertex per triangle corner, welded back to the first equal vertex.
TEST(ConvertToQAX, FacesBecomeTheTrianglesOfTheirFace)
{
    // Points of a square 0..3, a concave pentagon 4..8 (its corner 7 points inwards) and a hexagon 9..14.
    std::vector<float> xy = {0, 0, 2, 0, 2, 2, 0, 2,                 // square
                             10, 0, 14, 0, 14, 4, 12, 1, 10, 4,      // concave pentagon
                             20, 0, 22, 0, 23, 1, 22, 2, 20, 2, 19, 1}; // hexagon
    struct Case {
        const char* name;
        std::vector<int32_t> face;
    } cases[] = {
        {"a quad gives two triangles", {0, 1, 2, 3}},
        {"a hexagon gives four", {9, 10, 11, 12, 13, 14}},
        {"a concave pentagon gives three, not the fan", {4, 5, 6, 7, 8}},
        {"two corners give none", {0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Options options(0, 0);
        SceneModel scene(1, {planarMesh(xy, {c.face})});
        LogCapture log;
        Output output;
        ASSERT_TRUE(convertToQAX(scene.model, output.model));
        const qaxObject& object = output.model.objects.objects[0];

        std::vector<float> points;
        for (int32_t v : c.face)
            points.insert(points.end(), {xy[2 * v], xy[2 * v + 1], 0.0f});
        std::vector<int32_t> local(3 * c.face.size() + 3);
        int32_t triangles = triangulateFace(points.data(), int32_t(c.face.size()), local.data());
        local.resize(size_t(3 * triangles));
        std::vector<float> expected;
        std::vector<uint16_t> expectedIndices;
        for (size_t n = 0; n < local.size(); ++n) {
            expected.insert(expected.end(), points.begin() + 3 * local[n], points.begin() + 3 * local[n] + 3);
            expectedIndices.push_back(uint16_t(std::find(local.begin(), local.end(), local[n]) - local.begin()));
        }
        ASSERT_EQ(object.vertices.numVertices, 3 * triangles);
        EXPECT_EQ(positionsOf(object), expected);
        EXPECT_EQ(indicesOf(object), expectedIndices);
        EXPECT_EQ(object.bursts.burstCount[0], 9 * triangles);
        EXPECT_EQ(log.lines()[1], "  Number of vertex/normal/uv pairs: " + std::to_string(3 * triangles) + "\n");
        EXPECT_EQ(log.lines()[2], "  Number of unique vertex/normal/uv pairs: " + std::to_string(c.face.size()) + "\n");
        expectFileReadsBack(output.model);
    }
}

TEST(ConvertToQAX, CornersWithoutValuesNeverReadOutsideTheirArrays)
{
    // Triangle 0 is whole; triangle 1 repeats it but corner 1 lacks UV and normal; triangle 2 repeats
    // it with corner 2's position one past the end; triangle 3 repeats it with a NaN normal at corner 0.
    MeshData data = triangleMesh();
    data.normals.insert(data.normals.end(), {kNaN, 0, 1});
    data.faces.push_back({Corner{0, 0, 0, 0}, Corner{1, -1, -1, 1}, Corner{2, 2, 0, 2}});
    data.faces.push_back({Corner{0, 0, 0, 0}, Corner{1, 1, 0, 1}, Corner{3, 2, 0, 2}});
    data.faces.push_back({Corner{0, 0, 1, 0}, Corner{1, 1, 0, 1}, Corner{2, 2, 0, 2}});
    struct Case {
        uint8_t colors;
        int32_t colorOfLastCorner; // -1: the host reported no colour
        std::vector<uint16_t> indices;
        std::vector<std::string> warnings; // after the stray position's two
    } cases[] = {
        {0, 2, {0, 1, 2, 0, 4, 2, 0, 1, 8, 9, 1, 2}, {}},
        {0, -1, {0, 1, 2, 0, 4, 2, 0, 1, 8, 9, 1, 2}, {}},
        {1, -1, {0, 1, 2, 0, 4, 2, 0, 1, 8, 9, 1, 11}, {}},
        {1, 3, {0, 1, 2, 0, 4, 2, 0, 1, 8, 9, 1, 11}, {"Warning: getQAXIndexForVertex: colorIndex 3 is out of range 3\n"}},
    };
    // Every case warns about the stray position of triangle 2 first.
    const std::vector<std::string> strayPosition = {"Warning: getQAXIndexForVertex: vertIndex 3 is out of range 3\n",
                                                    "Warning: getQAXIndexForVertex: Matching QAX vertex not found.\n"};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.colors) + " " + std::to_string(c.colorOfLastCorner));
        Options options(c.colors, 0);
        MeshData mesh = data;
        mesh.faces[3][2].color = c.colorOfLastCorner;
        SceneModel scene(1, {mesh});
        LogCapture log;
        Output output;
        ASSERT_TRUE(convertToQAX(scene.model, output.model));
        const qaxObject& object = output.model.objects.objects[0];

        EXPECT_EQ(indicesOf(object), c.indices);
        std::vector<std::string> warnings, expectedWarnings = strayPosition;
        expectedWarnings.insert(expectedWarnings.end(), c.warnings.begin(), c.warnings.end());
        for (const std::string& line : log.lines())
            if (line.rfind("Warning", 0) == 0)
                warnings.push_back(line);
        EXPECT_EQ(warnings, expectedWarnings);
        // Missing values are zeros; present ones are copied.
        EXPECT_EQ(std::vector<float>(object.UVs.UVs + 8, object.UVs.UVs + 10), (std::vector<float>{0, 0}));
        EXPECT_EQ(std::vector<float>(object.normals.normals + 12, object.normals.normals + 15),
                  (std::vector<float>{0, 0, 0}));
        EXPECT_EQ(std::vector<float>(object.vertices.vertices + 24, object.vertices.vertices + 27),
                  (std::vector<float>{0, 0, 0}));
        EXPECT_EQ(std::vector<float>(object.UVs.UVs + 16, object.UVs.UVs + 18), (std::vector<float>{0, 1}));
        if (c.colors) {
            EXPECT_EQ(std::vector<float>(object.vertexColors.vertexColors + 33, object.vertexColors.vertexColors + 36),
                      (std::vector<float>{0, 0, 0}));
        }
        expectFileReadsBack(output.model);
    }
}

TEST(ConvertToQAX, LargeMeshesAreSplitSoThatEveryIndexFitsSixteenBits)
{
    // A grid of 17,500 quads (70,000 stored corners, 35,000 triangles) with shared positions and UVs.
    const int32_t columns = 175, rows = 100;
    MeshData data;
    for (int32_t y = 0; y <= rows; ++y) {
        for (int32_t x = 0; x <= columns; ++x) {
            data.verts.insert(data.verts.end(), {float(x), float(y), 0.0f});
            data.uvs.insert(data.uvs.end(), {float(x) / columns, float(y) / rows});
        }
    }
    data.normals = {0, 0, 1};
    data.colors = {1, 1, 1};
    data.materialIndex = 1;
    for (int32_t y = 0; y < rows; ++y) {
        for (int32_t x = 0; x < columns; ++x) {
            int32_t v = y * (columns + 1) + x;
            data.faces.push_back(faceOver({v, v + 1, v + columns + 2, v + columns + 1}));
        }
    }
    for (uint8_t colors : {0, 1}) {
        SCOPED_TRACE(int(colors));
        Options options(colors, 0);
        SceneModel scene(2, {triangleMesh(), data, triangleMesh()});
        LogCapture log;
        Output output;
        ASSERT_TRUE(convertToQAX(scene.model, output.model));

        const qaxModel& m = output.model;
        ASSERT_EQ(m.objects.numObjects, 4);
        const int32_t expectedTriangles[] = {1, 21845, 35000 - 21845, 1};
        const int32_t expectedMaterial[] = {0, 1, 1, 0};
        int32_t objectsLength = 4;
        for (int32_t i = 0; i < 4; ++i) {
            const qaxObject& object = m.objects.objects[i];
            EXPECT_EQ(object.vertices.numVertices, 3 * expectedTriangles[i]) << i;
            EXPECT_EQ(object.header.materialID, expectedMaterial[i]) << i;
            EXPECT_EQ(object.bursts.burstMaterialID[0], expectedMaterial[i]) << i;
            EXPECT_EQ(object.bursts.burstCount[0], 9 * expectedTriangles[i]) << i;
            objectsLength += 8 + object.length;
            // Each index names the first vertex of its own object that holds the same values.
            std::map<std::vector<uint32_t>, int32_t> first;
            for (int32_t n = 0; n < object.indices.numIndices; ++n) {
                int32_t expected = first.emplace(vertexKey(object, n, colors), n).first->second;
                ASSERT_EQ(object.indices.indices[n], expected) << "object " << i << " index " << n;
            }
        }
        EXPECT_EQ(m.objects.length, objectsLength);
        EXPECT_EQ(m.fileLength, m.materials.length + objectsLength + 20);
        // The second piece goes on with the triangle after the first piece's last one: quad 10922's
        // second triangle (0, 2, 3).
        const int32_t v = (10922 / columns) * (columns + 1) + 10922 % columns;
        const float* start = m.objects.objects[2].vertices.vertices;
        EXPECT_EQ(std::vector<float>(start, start + 3),
                  (std::vector<float>{data.verts[3 * v], data.verts[3 * v + 1], 0}));
        EXPECT_EQ(std::vector<float>(start + 3, start + 6),
                  (std::vector<float>{data.verts[3 * (v + columns + 2)], data.verts[3 * (v + columns + 2) + 1], 0}));

        std::vector<std::string> lines = log.lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "  Mesh 1 split into 2 objects of at most 21845 triangles\n"),
                  lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), "  Number of vertex/normal/uv pairs: 105000\n"), lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), "  Converted 65535 pairs\n"), lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), "  Converted 39465 pairs\n"), lines.end());
        expectFileReadsBack(m);
    }
}

TEST(GetQAXIndexForVertex, WarnsAboutWhatItCannotFind)
{
    // Converted with colours, so that the object can be searched with and without them.
    Options options(1, 0);
    MeshData data = triangleMesh();
    data.faces = {{Corner{0, 0, 0, 0}, Corner{1, 1, 0, 1}, Corner{2, 2, 0, 2}, Corner{1, 1, 0, 1}},
                  {Corner{3, 0, 0, 0}, Corner{0, 0, 0, 3}, Corner{0, 0, 1, 0}, Corner{0, 3, 0, 0}},
                  {Corner{-1, 0, 0, 0}, Corner{0, -1, 0, 0}, Corner{0, 0, -1, 0}, Corner{0, 0, 0, -1}}};
    SceneModel scene(0, {data});
    LogCapture capture;
    Output output;
    ASSERT_TRUE(convertToQAX(scene.model, output.model));
    const Mesh* mesh = &scene.mesh(0);
    struct Case {
        const Mesh* mesh;
        int32_t polygon;
        int32_t corner;
        uint8_t colors;
        int32_t expected;
        const char* warning;
    } cases[] = {
        {mesh, 0, 0, 0, 0, nullptr},
        {mesh, 0, 0, 1, 0, nullptr},
        {mesh, 0, 3, 0, 1, nullptr},
        {nullptr, 0, 0, 0, -1, "Warning: getQAXIndexForVertex: mesh is NULL\n"},
        {mesh, 3, 0, 0, -1, "Warning: getQAXIndexForVertex: triangleIndex 3 is out of range 3\n"},
        {mesh, -1, 0, 0, -1, "Warning: getQAXIndexForVertex: triangleIndex -1 is out of range 3\n"},
        {mesh, 0, 4, 0, -1, "Warning: getQAXIndexForVertex: local vertIndex 4 is out of range 4\n"},
        {mesh, 1, 0, 0, -1, "Warning: getQAXIndexForVertex: vertIndex 3 is out of range 3\n"},
        {mesh, 1, 1, 0, -1, "Warning: getQAXIndexForVertex: colorIndex 3 is out of range 3\n"},
        {mesh, 1, 2, 0, -1, "Warning: getQAXIndexForVertex: normalIndex 1 is out of range 1\n"},
        {mesh, 1, 3, 0, -1, "Warning: getQAXIndexForVertex: UVIndex 3 is out of range 3\n"},
        {mesh, 2, 0, 0, -1, nullptr},
        {mesh, 2, 1, 0, -1, nullptr},
        {mesh, 2, 2, 0, -1, nullptr},
        {mesh, 2, 3, 0, 0, nullptr},
        {mesh, 2, 3, 1, -1, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.polygon) + "," + std::to_string(c.corner) + " colours " +
                     std::to_string(c.colors));
        VertexWeldTable weld;
        ASSERT_TRUE(buildVertexWeldTable(weld, output.model.objects.objects[0], c.colors));
        capture.clear();
        EXPECT_EQ(getQAXIndexForVertex(weld, c.mesh, c.polygon, c.corner), c.expected);
        EXPECT_EQ(capture.text(), c.warning ? c.warning : "");
        releaseVertexWeldTable(weld);
    }
}

TEST(CountUniquePairs, CountsEveryStoredCorner)
{
    MeshData hexagon;
    hexagon.faces = {{Corner{0, 0, 0, 0}, Corner{1, 1, 1, 1}, Corner{2, 2, 2, 2}, Corner{3, 3, 3, 3},
                      Corner{4, 4, 4, 4}, Corner{5, 5, 5, 5}}};
    MeshData quad;
    quad.faces = {{Corner{0, 0, 0, 0}, Corner{1, 0, 0, 1}, Corner{0, 0, 0, 2}, Corner{1, 0, 0, 1}}};
    MeshData mixed;
    mixed.faces = {{Corner{0, 1, 2, 3}, Corner{0, 2, 1, 3}, Corner{-1, -1, -1, -1}},
                   {Corner{0, 1, 2, 4}, Corner{-1, -1, -1, -1}},
                   {}};
    // Past some ten thousand corners the count goes part by part: a grid of 200 x 100 quads over 201 x 101
    // points, the halves with normals 0 and 1 (the middle column's 101 points in both), and one face holding
    // twice the combination that marks a free slot of the table.
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
    struct Case {
        const char* name;
        MeshData data;
        uint8_t colors;
        int32_t expected;
    } cases[] = {
        {"a grid of 80,000 corners", grid, 0, 201 * 101 + 101 + 1},
        {"the grid with colours", grid, 1, 201 * 101 + 101 + 1},
        {"a hexagon of distinct corners", hexagon, 0, 6},
        {"the same with colours", hexagon, 1, 6},
        {"a quad counts its fourth corner", quad, 0, 2},
        {"colours tell corners apart", quad, 1, 3},
        {"missing indices are a combination too", mixed, 0, 3},
        {"with colours", mixed, 1, 4},
        {"a mesh without faces", MeshData{}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SceneModel scene(0, {c.data});
        int32_t live = liveAllocations();
        EXPECT_EQ(countUniquePairs(&scene.mesh(0), c.colors), c.expected);
        // The pairwise count is quadratic: only the small meshes.
        if (c.data.faces.size() < 1000) {
            EXPECT_EQ(reference::countUniquePairs(&scene.mesh(0), c.colors), c.expected);
        }
        EXPECT_EQ(liveAllocations(), live);
    }
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
            if (scene.model.numMaterials > 0)
                snprintf(scene.material(0).colorTexture, PATH_SIZE, "C:\\Maps\\Scene%d.PNG", int(n));

            Output fast, slow;
            std::string fastLog, slowLog;
            {
                LogCapture log;
                ASSERT_TRUE(convertToQAX(scene.model, fast.model));
                fastLog = log.text();
            }
            {
                LogCapture log;
                ASSERT_TRUE(reference::convertToQAX(scene.model, slow.model));
                slowLog = log.text();
            }
            char difference[512] = "";
            EXPECT_TRUE(compareQAXModels(fast.model, slow.model, difference, sizeof difference)) << difference;
            EXPECT_EQ(fastLog, slowLog);

            for (int32_t m = 0; m < scene.model.frames[0].numMeshes; ++m) {
                const Mesh& mesh = scene.mesh(m);
                EXPECT_EQ(countUniquePairs(&mesh, 0), reference::countUniquePairs(&mesh, 0));
                EXPECT_EQ(countUniquePairs(&mesh, 1), reference::countUniquePairs(&mesh, 1));
                // Every stored corner, and one past each polygon's last, against the object of its mesh.
                const qaxObject& object = fast.model.objects.objects[m];
                VertexWeldTable weld;
                ASSERT_TRUE(buildVertexWeldTable(weld, object, colors));
                std::vector<int32_t> hashed, searched;
                std::string hashedLog, searchedLog;
                {
                    LogCapture log;
                    for (int32_t j = 0; j <= mesh.numPolygons; ++j) {
                        int32_t corners = j < mesh.numPolygons ? mesh.polygons[j].numVerts : 0;
                        for (int32_t k = 0; k <= corners; ++k)
                            hashed.push_back(getQAXIndexForVertex(weld, &mesh, j, k));
                    }
                    hashedLog = log.text();
                }
                {
                    LogCapture log;
                    for (int32_t j = 0; j <= mesh.numPolygons; ++j) {
                        int32_t corners = j < mesh.numPolygons ? mesh.polygons[j].numVerts : 0;
                        for (int32_t k = 0; k <= corners; ++k)
                            searched.push_back(reference::getQAXIndexForVertex(&object, &mesh, j, k, colors));
                    }
                    searchedLog = log.text();
                }
                EXPECT_EQ(hashed, searched) << "mesh " << m;
                EXPECT_EQ(hashedLog, searchedLog) << "mesh " << m;
                welded += int32_t(std::count_if(hashed.begin(), hashed.end(), [](int32_t i) { return i >= 0; }));
                releaseVertexWeldTable(weld);
            }
            expectFileReadsBack(fast.model);
        }
    }
    EXPECT_GT(welded, 1000);
}
