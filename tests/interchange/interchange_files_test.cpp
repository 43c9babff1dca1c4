// Interchange files through the reader into the host, and round trips: exported by the command-line tool's export,
// the .qax file read back and compared with the source geometry.
#include "scene_readers/interchange/interchange_reader.h"

#include "library_scenes.h"

#include "output/free_qax_model.h"
#include "output/reader.h"
#include "output/triangulate.h"
#include "support/test_support.h"
#include "tools/qax_summary.h"
#include "tools/scene_export.h"

#include <assimp/scene.h>

#include <headless/scene.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace interchange;
using namespace interchangetest;

TEST(InterchangeReader, UpAxisAndScale)
{
    testsupport::TempDir dir;
    const std::string zUp = fixture("zup.dae"), obj = fixture("square.obj");
    const NodeDescription moved{"root", aiMatrix4x4(), {}, {{"tri", placement(0, 0, 5), {0}, {}}}};
    const std::string gltf = writeScene(dir.file("tri.gltf"), "gltf2", readObj(fixture("zup.obj")), moved);
    // An ASCII FBX file written by the library's own exporter, its up-axis setting (Y) then edited.
    const NodeDescription tri{"root", aiMatrix4x4(), {}, {{"tri", aiMatrix4x4(), {0}, {}}}};
    const std::string written =
        testsupport::readFile(writeScene(dir.file("y.fbx"), "fbxa", {polygonMesh("tri", 4)}, tri));
    const std::string setting = "P: \"UpAxis\", \"int\", \"Integer\", \"\", ";
    const size_t at = written.find(setting + "1");
    ASSERT_NE(at, std::string::npos);
    for (const char* axis : {"0", "2"}) {
        std::string edited = written;
        testsupport::writeFile(dir.file(std::string(axis) + ".fbx"), edited.replace(at + setting.size(), 1, axis));
    }
    struct Case {
        const char* name;
        std::string path;
        UpAxisChoice choice;
        double scale;
        headless::UpAxis expected;
        bool fromFile;
        const char* warning; // "" for none
        float firstX, translateZ;
    };
    const char* const asked = "the file records Z up; the scene is set Y up";
    const Case cases[] = {
        {"COLLADA Z up", zUp, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Z, true, "", 1.0f, 5.0f},
        {"COLLADA asked Y", zUp, UpAxisChoice::Y, 1.0, headless::UpAxis::Y, false, asked, 1.0f, 5.0f},
        // Lengths as the file gives them: the file's unit does not scale; the option does.
        {"COLLADA scaled", zUp, UpAxisChoice::FromFile, 2.0, headless::UpAxis::Z, true, "", 2.0f, 10.0f},
        {"OBJ records none", obj, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, false, "", 1.0f, 0.0f},
        {"OBJ asked Z", obj, UpAxisChoice::Z, 2.54, headless::UpAxis::Z, false, "", 2.54f, 0.0f},
        {"glTF is Y up", gltf, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, true, "", 1.0f, 5.0f},
        {"FBX Y up", dir.file("y.fbx"), UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, true, "", 1.0f, 0.0f},
        {"FBX Z up", dir.file("2.fbx"), UpAxisChoice::FromFile, 1.0, headless::UpAxis::Z, true, "", 1.0f, 0.0f},
        {"FBX X up", dir.file("0.fbx"), UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, false,
         "(+X) is not one the host can use", 1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InterchangeOptions options;
        options.upAxis = c.choice;
        options.scale = c.scale;
        const InterchangeReport report = loadInterchangeFile(c.path, options);
        ASSERT_TRUE(report.ok) << report.message;
        EXPECT_EQ(report.upAxis, c.expected);
        EXPECT_EQ(headless::upAxis(), c.expected);
        EXPECT_EQ(report.upAxisFromFile, c.fromFile);
        std::string warnings;
        for (const std::string& warning : report.warnings)
            warnings += warning + "\n";
        // Both axis warnings end in how the scene is taken.
        EXPECT_EQ(warnings.find("the scene is") != std::string::npos, *c.warning != 0) << warnings;
        EXPECT_NE(warnings.find(c.warning), std::string::npos) << warnings;
        const MObject shape = headless::findNode(c.path == obj ? "SquareShape" : "triShape");
        MFloatPointArray points;
        MFnMesh(shape).getPoints(points, MSpace::kObject);
        ASSERT_GT(points.length(), 0u);
        EXPECT_FLOAT_EQ(points[0].x, c.firstX);
        std::vector<double> translate;
        ASSERT_TRUE(headless::getAttr(MFnDagNode(shape).parent(0), "translate", translate));
        EXPECT_NEAR(translate[2], c.translateZ, 1e-9);
    }
}

TEST(InterchangeReader, BadInputFailsCleanly)
{
    testsupport::TempDir dir;
    headless::newScene();
    const size_t newSceneNodes = headless::allNodes().size();
    struct Case {
        const char* name;
        std::string file;
        std::string contents; // written unless the name says missing
        double scale;
        const char* messagePart;
    };
    const Case cases[] = {
        {"missing", "missing.obj", "", 1.0, "cannot read the file"},
        {"empty", "empty.obj", "", 1.0, "the file is empty"},
        {"index out of range", "index.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 40\n", 1.0, "cannot import"},
        // The header check runs before the library, which would size its arrays by the count (verdicts: its own test).
        {"absurd PLY count", "absurd.ply",
         "ply\nformat binary_little_endian 1.0\nelement vertex 2000000000\nproperty float x\nend_header\n", 1.0,
         "announces 2000000000 vertex elements"},
        {"NaN scale", "scalenan.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", NAN, "positive number"},
        {"zero scale", "scalezero.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 0.0, "positive number"},
        {"directory", ".", "", 1.0, "not a regular file"},
    };
    for (const Case& c : cases) {
        const std::string path = c.file == "." ? dir.path() : dir.file(c.file);
        if (c.file != "missing.obj" && c.file != ".")
            testsupport::writeFile(path, c.contents);
        InterchangeOptions options;
        options.scale = c.scale;
        // A scene left from before must not survive a failed load.
        headless::createTransform("leftover");
        const InterchangeReport report = loadInterchangeFile(path, options);
        EXPECT_FALSE(report.ok) << c.name;
        EXPECT_EQ(report.message.rfind(path + ": ", 0), 0u) << c.name << ": " << report.message;
        EXPECT_NE(report.message.find(c.messagePart), std::string::npos) << c.name << ": " << report.message;
        EXPECT_EQ(report.meshes, 0) << c.name;
        EXPECT_EQ(headless::allNodes().size(), newSceneNodes) << c.name;
        EXPECT_TRUE(headless::findNode("leftover").isNull()) << c.name;
    }
}

// The corners of the mesh in the order the export gives them: each face cut into triangles as the conversion cuts
// it.
std::vector<unsigned> triangleCorners(const MeshDescription& mesh)
{
    std::vector<unsigned> cut;
    for (const std::vector<unsigned>& face : mesh.faces) {
        std::vector<float> points;
        for (unsigned v : face)
            points.insert(points.end(), mesh.positions[v].begin(), mesh.positions[v].end());
        std::vector<int32_t> corners(3 * (face.size() - 2));
        const int32_t count = triangulateFace(points.data(), int32_t(face.size()), corners.data());
        for (int32_t k = 0; k < 3 * count; ++k)
            cut.push_back(face[size_t(corners[size_t(k)])]);
    }
    return cut;
}

bool sameVertex(const qaxObject& o, int32_t a, int32_t b)
{
    bool equal = std::memcmp(o.vertices.vertices + 3 * a, o.vertices.vertices + 3 * b, 12) == 0 &&
                 std::memcmp(o.UVs.UVs + 2 * a, o.UVs.UVs + 2 * b, 8) == 0 &&
                 std::memcmp(o.normals.normals + 3 * a, o.normals.normals + 3 * b, 12) == 0;
    if (o.vertexColors.present)
        equal = equal && std::memcmp(o.vertexColors.vertexColors + 3 * a, o.vertexColors.vertexColors + 3 * b, 12) == 0;
    return equal;
}

// Checks the objects (consecutive pieces of one mesh) against the source triangles: every corner's values, and every
// index naming a vertex with exactly those values, the first such one if there are texture coordinates to weld by.
void expectTriangles(const std::vector<const qaxObject*>& objects, const MeshDescription& mesh, float scale = 1)
{
    const std::vector<unsigned> source = triangleCorners(mesh);
    size_t next = 0;
    for (const qaxObject* o : objects) {
        ASSERT_EQ(o->indices.numIndices, o->vertices.numVertices) << mesh.name;
        ASSERT_EQ(o->vertices.numVertices % 3, 0) << mesh.name;
        EXPECT_EQ(o->vertexColors.present != 0, !mesh.colours.empty()) << mesh.name;
        for (int32_t n = 0; n < o->vertices.numVertices; ++n, ++next) {
            ASSERT_LT(next, source.size()) << mesh.name;
            SCOPED_TRACE(mesh.name + " corner " + std::to_string(next));
            const unsigned c = source[next];
            for (size_t i = 0; i < 3; ++i)
                ASSERT_NEAR(o->vertices.vertices[3 * n + int(i)], scale * mesh.positions[c][i], 1e-5);
            for (size_t i = 0; !mesh.uvs.empty() && i < 2; ++i)
                EXPECT_NEAR(o->UVs.UVs[2 * n + int(i)], mesh.uvs[c][i], 1e-6);
            for (size_t i = 0; !mesh.normals.empty() && i < 3; ++i)
                EXPECT_NEAR(o->normals.normals[3 * n + int(i)], mesh.normals[c][i], 1e-6);
            for (size_t i = 0; !mesh.colours.empty() && i < 3; ++i)
                EXPECT_NEAR(o->vertexColors.vertexColors[3 * n + int(i)], mesh.colours[c][i], 1.0 / 255);
            const int32_t index = o->indices.indices[n];
            ASSERT_LE(index, n);
            EXPECT_TRUE(sameVertex(*o, index, n));
            for (int32_t j = 0; !mesh.uvs.empty() && j < index; ++j)
                EXPECT_FALSE(sameVertex(*o, j, n)) << "welds later than " << j;
        }
    }
    EXPECT_EQ(next, source.size()) << mesh.name;
}

class InterchangeExport : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    qaxModel model{};
    bool loaded = false;

    void TearDown() override
    {
        if (loaded)
            freeQAXModel(model);
    }

    // Exports through the tool's own export and reads the file back (in place of one read before); false (with the
    // failure recorded) when either fails.
    bool exportAndRead(const std::string& scene, std::vector<std::string> extra = {})
    {
        if (loaded)
            freeQAXModel(model);
        std::vector<std::string> arguments = {"export", scene, "-o", dir.file("out.qax"), "--log-dir", dir.path(), "-q"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        qaxtools::CommandLine command;
        std::string error;
        EXPECT_TRUE(qaxtools::parseCommandLine(arguments, command, error)) << error;
        const qaxtools::ExportOutcome outcome = qaxtools::runExport(command);
        EXPECT_EQ(outcome.exitStatus, 0) << outcome.message;
        char message[512] = "";
        loaded = outcome.exitStatus == 0 && readQAXFile(dir.file("out.qax").c_str(), model, message, sizeof message);
        EXPECT_TRUE(loaded && validateQAXIndices(model, message, sizeof message)) << message;
        return loaded;
    }

    std::string materialName(int32_t id) const { return qaxtools::qaxText(model.materials.materials[id].header.name); }

    std::string textureName(int32_t id) const
    {
        return qaxtools::qaxText(model.materials.materials[id].textures.textures[0]);
    }

    std::vector<const qaxObject*> objectsWithMaterial(const std::string& name) const
    {
        std::vector<const qaxObject*> found;
        for (int32_t i = 0; i < model.objects.numObjects; ++i)
            if (materialName(model.objects.objects[i].header.materialID) == name)
                found.push_back(&model.objects.objects[i]);
        return found;
    }
};

TEST_F(InterchangeExport, ObjWithMtlTexturesNgonsAndScale)
{
    const std::vector<MeshDescription> meshes = readObj(fixture("ngons.obj"));
    struct Case {
        std::vector<std::string> options;
        const char* brickTexture;
        float scale; // of the positions
    };
    const Case cases[] = {
        {{}, "brick.png", 1},
        {{"--rel-proj-path"}, "textures/Brick.png", 1},
        // Lengths times the factor; directions and texture coordinates as they were.
        {{"--scale", "2.5"}, "brick.png", 2.5f},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(exportAndRead(fixture("ngons.obj"), c.options));
        ASSERT_EQ(model.materials.numMaterials, 2);
        const std::vector<const qaxObject*> bricks = objectsWithMaterial("brick"), plates = objectsWithMaterial("glass");
        ASSERT_EQ(bricks.size(), 1u);
        ASSERT_EQ(plates.size(), 1u);
        const int32_t brick = bricks[0]->header.materialID, glass = plates[0]->header.materialID;
        EXPECT_EQ(textureName(brick), c.brickTexture);
        EXPECT_EQ(textureName(glass), "");
        // A texture on the colour makes it white; the glass keeps its own.
        EXPECT_EQ(model.materials.materials[brick].colors.diffuse[0], 1.0f);
        EXPECT_NEAR(model.materials.materials[glass].colors.diffuse[2], 0.9f, 1e-6);
        EXPECT_NEAR(model.materials.materials[brick].colors.ambient[0], 0.1f, 1e-6);
        EXPECT_NEAR(model.materials.materials[brick].colors.specular[0], 0.5f, 1e-6);
        expectTriangles(bricks, meshes[0], c.scale);
        expectTriangles(plates, meshes[1], c.scale);
        EXPECT_EQ(bricks[0]->indices.numIndices, 3 * (2 + 4 + 5 + 10));
    }
}

TEST_F(InterchangeExport, GltfHierarchyExportsObjectSpace)
{
    // Two triangles with vertex colours, placed by nested, rotated and scaled nodes, and shared by two of them.
    const MeshDescription mesh = readObj(fixture("shards.obj"))[0];
    const NodeDescription inner{"inner", placement(0, 5, 0, 0, 3), {0}, {}};
    const NodeDescription root{"root", aiMatrix4x4(), {}, {
        {"outer", placement(10, 0, 0, 90), {}, {inner}},
        {"copy", placement(-7, 0, 0), {0}, {}},
    }};
    aiMaterial* crystal = makeMaterial("crystal");
    const aiColor4D colour(0.2f, 0.4f, 0.6f, 1.0f);
    crystal->AddProperty(&colour, 1, AI_MATKEY_BASE_COLOR);
    const aiString texture("maps/Crystal.PNG");
    crystal->AddProperty(&texture, AI_MATKEY_TEXTURE(aiTextureType_BASE_COLOR, 0));
    const std::string path = writeScene(dir.file("shards.gltf"), "gltf2", {mesh}, root, crystal);
    ASSERT_TRUE(exportAndRead(path, {"--vertex-colors"}));
    ASSERT_EQ(model.materials.numMaterials, 1);
    EXPECT_EQ(materialName(0), "crystal");
    EXPECT_EQ(textureName(0), "crystal.png");
    // Both placements export the mesh's own coordinates: nothing of the nodes is applied.
    ASSERT_EQ(model.objects.numObjects, 2);
    expectTriangles({&model.objects.objects[0]}, mesh);
    expectTriangles({&model.objects.objects[1]}, mesh);
}

TEST_F(InterchangeExport, PlyWithSharedPositionsAndColours)
{
    // Two quads meeting at a right angle: their shared corners have one position and two normals.
    const MeshDescription fold = readObj(fixture("fold.obj"))[0];
    const std::string ply = writeScene(dir.file("fold.ply"), "ply", {fold}, {"fold", aiMatrix4x4(), {0}, {}});
    ASSERT_TRUE(exportAndRead(ply, {"--vertex-colors"}));
    ASSERT_EQ(model.objects.numObjects, 1);
    // No material in the file: the host's lambert1.
    EXPECT_EQ(materialName(model.objects.objects[0].header.materialID), "lambert1");
    expectTriangles({&model.objects.objects[0]}, fold);
}

} // namespace
