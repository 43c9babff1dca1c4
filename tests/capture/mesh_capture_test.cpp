#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/mesh_capture.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

class MeshCaptureTest : public CaptureTest {
protected:
    void TearDown() override
    {
        freeMeshArrays(mesh);
        CaptureTest::TearDown();
    }
    // Captures the mesh shape with a one-record material table.
    int capture(const MObject& shape, int32_t upAxis = 0)
    {
        return loadMesh(headless::pathTo(shape), mesh, table.model, upAxis);
    }
    Mesh mesh = {};
    MaterialTable table{{"lambert1"}};
};

TEST_F(MeshCaptureTest, NamesKeepTheShapeAndCutTheFirstShape)
{
    struct Case {
        const char* node;
        const char* shapeName;
        const char* name;
    };
    const std::vector<Case> cases = {
        {"pCubeShape1", "pCubeShape1", "pCube1"},
        {"aShapeBShapeC", "aShapeBShapeC", "aBShapeC"},
        // 39 characters: both fields keep 31 and stay terminated.
        {"VeryLongShapeNameForTestingCutsAtThirty", "VeryLongShapeNameForTestingCuts", "VeryLongNameForTestingCuts"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.node);
        headless::emptyScene();
        MObject shape = makeMesh("holder", c.node);
        char shapeName[NAME_SIZE];
        char name[NAME_SIZE];
        memset(shapeName, 'x', sizeof(shapeName));
        memset(name, 'x', sizeof(name));
        MStatus shapeStatus, nameStatus;
        getShapeName(headless::pathTo(shape), shapeName, NAME_SIZE, &shapeStatus);
        getObjectName(headless::pathTo(shape), name, NAME_SIZE, &nameStatus);
        EXPECT_TRUE(shapeStatus);
        EXPECT_TRUE(nameStatus);
        EXPECT_STREQ(shapeName, c.shapeName);
        EXPECT_STREQ(name, c.name);

        // From the transform's path the shape name still names the shape; the object name is the transform's.
        getShapeName(headless::pathTo("|holder"), shapeName, NAME_SIZE, &shapeStatus);
        EXPECT_STREQ(shapeName, c.shapeName);
    }
}

// The cube's record as the host holds it. (The same capture's log and its material lookup: the plug-in's walk-through
// export test and the material assignment tests; corners past a face's last: the long-face test.)
TEST_F(MeshCaptureTest, CubeRecord)
{
    ASSERT_EQ(capture(makeMesh("pCube1", "pCubeShape1")), 1);
    const headless::MeshData data = cubeData();
    EXPECT_STREQ(mesh.name, "pCube1");
    EXPECT_STREQ(mesh.shapeName, "pCubeShape1");

    std::vector<float> points, uvs, normals;
    for (const headless::Vec3& p : data.points)
        points.insert(points.end(), {(float)p.x, (float)p.y, (float)p.z});
    for (const headless::TexCoord& uv : data.uvs)
        uvs.insert(uvs.end(), {uv.u, uv.v});
    for (const headless::Vec3& n : data.normals)
        normals.insert(normals.end(), {(float)n.x, (float)n.y, (float)n.z});
    EXPECT_EQ(std::vector<float>(mesh.verts, mesh.verts + 3 * mesh.numVerts), points);
    EXPECT_EQ(std::vector<float>(mesh.UVs, mesh.UVs + 2 * mesh.numUVs), uvs);
    EXPECT_EQ(std::vector<float>(mesh.normals, mesh.normals + 3 * mesh.numNormals), normals);
    // The host lists one colour per face corner in face order; an uncoloured corner is (-1, -1, -1).
    ASSERT_EQ(mesh.numColors, 24);
    ASSERT_EQ(mesh.numPolygons, 6);
    for (int32_t f = 0; f < mesh.numPolygons; ++f) {
        const Polygon& polygon = mesh.polygons[f];
        SCOPED_TRACE("face " + std::to_string(f));
        ASSERT_EQ(polygon.numVerts, 4);
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(polygon.vertIndices[j], data.faces[f][j]);
            EXPECT_EQ(polygon.uvIndices[j], data.faceUVs[f][j]);
            EXPECT_EQ(polygon.normalIndices[j], data.faceNormals[f][j]);
            int32_t colorIndex = polygon.colorIndices[j];
            ASSERT_GE(colorIndex, 0);
            ASSERT_LT(colorIndex, mesh.numColors);
            int source = data.faceColors[f][j];
            headless::Color4 expected = source < 0 ? headless::Color4{-1, -1, -1, -1} : data.colors[source];
            const float* color = mesh.colors + colorIndex * 3;
            EXPECT_EQ(std::vector<float>(color, color + 3), (std::vector<float>{expected.r, expected.g, expected.b}));
        }
    }
}

TEST_F(MeshCaptureTest, UpAxisConversionOfPointsAndNormals)
{
    struct Case {
        const char* what;
        headless::UpAxis scene;
        int32_t upAxis;
        float scale;
        float point[3];  // where (1, 2, 3) goes
        float normal[3]; // where (0, 0.6, 0.8) goes
        std::vector<std::string> axisLines;
    };
    const char* unknown = "Warning: Unknown up axis detected.  Defaulting to z-up\n";
    const std::vector<Case> cases = {
        {"Y-up scene, Y up wanted", headless::UpAxis::Y, 0, 1.0f, {1, 2, 3}, {0, 0.6f, 0.8f}, {"No axis conversion\n"}},
        {"Z-up scene, Y up wanted", headless::UpAxis::Z, 0, 1.0f, {1, 3, -2}, {0, 0.8f, -0.6f},
         {"Converting from zUp to yUp\n"}},
        {"Y-up scene, Z up wanted", headless::UpAxis::Y, 1, 1.0f, {1, -3, 2}, {0, -0.8f, 0.6f},
         {"Converting from yUp to zUp\n"}},
        {"unknown axis counts as Z up", headless::UpAxis::Neither, 0, 1.0f, {1, 3, -2}, {0, 0.8f, -0.6f},
         {unknown, "Converting from zUp to yUp\n"}},
        {"any other value converts nothing", headless::UpAxis::Z, 7, 1.0f, {1, 2, 3}, {0, 0.6f, 0.8f},
         {"No axis conversion\n"}},
        {"the scale reaches points, not normals", headless::UpAxis::Z, 0, 2.0f, {2, 6, -4}, {0, 0.8f, -0.6f},
         {"Converting from zUp to yUp\n"}},
    };
    headless::MeshData triangle;
    triangle.points = {{1, 2, 3}, {4, 5, 6}, {7, 8, 10}};
    triangle.faces = {{0, 1, 2}};
    triangle.normals = {{0, 0.6, 0.8}};
    triangle.faceNormals = {{0, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::emptyScene();
        headless::setUpAxis(c.scene);
        exportScale = c.scale;
        MObject shape = makeMesh("tri1", "triShape1", triangle);
        freeMeshArrays(mesh);
        mesh = {};
        log.clear();
        ASSERT_EQ(capture(shape, c.upAxis), 1);
        std::vector<std::string> axisLines;
        for (const std::string& line : log.lines())
            if (line.find("axis") != std::string::npos || line.find("Converting") != std::string::npos)
                axisLines.push_back(line.substr(2));
        EXPECT_EQ(axisLines, c.axisLines);
        for (int k = 0; k < 3; ++k) {
            EXPECT_FLOAT_EQ(mesh.verts[k], c.point[k]) << "point coordinate " << k;
            EXPECT_FLOAT_EQ(mesh.normals[k], c.normal[k]) << "normal coordinate " << k;
        }
    }
}

TEST_F(MeshCaptureTest, RefusedMeshesAllocateNothing)
{
    struct Case {
        const char* what;
        MObject shape;
        std::vector<std::string> log;
    };
    MObject surface = makeSurface("surface1", 4, 4, true);
    MObject unnamed = headless::createMesh("Shape", headless::createTransform("holder"), cubeData());
    const std::vector<Case> cases = {
        {"not a mesh", surface,
         {"Loading mesh.\n", "  loadMesh: Surface: 'surface1'\n", "  loadMesh: Allocating memory for the polyset\n",
          "  Error: Failure in MFnMesh initialization.\n"}},
        {"a name that is only \"Shape\"", unnamed, {"Loading mesh.\n", "  Error: Couldnt get mesh name.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mesh = {};
        log.clear();
        int32_t before = newAllocations();
        EXPECT_EQ(capture(c.shape), 0);
        EXPECT_EQ(log.lines(), c.log);
        EXPECT_EQ(newAllocations(), before);
        EXPECT_EQ(mesh.verts, nullptr);
        EXPECT_EQ(mesh.polygons, nullptr);
        EXPECT_STREQ(logIndent, "");
    }
}

// Faces of more than six corners are cut with one warning. Damaged host data: a corner naming a vertex the mesh does
// not have is logged and left empty, never read, and still counts.
TEST_F(MeshCaptureTest, LongFacesAreCutAndCornersOutsideTheVerticesLeftEmpty)
{
    headless::MeshData data;
    for (int i = 0; i < 10; ++i) {
        data.points.push_back({double(i), double(i * i % 7), 0.0});
        data.uvs.push_back({0.1f * i, 0.0f});
    }
    data.faces = {{0, 1, 2, 3, 4, 5, 6}, {7, 8, 9}, {9, 8, 7, 6, 5, 4, 3, 2}, {1, 12, 2}, {-3, 0, 1}};
    data.colors = {{1, 1, 1, 1}};
    for (const std::vector<int>& face : data.faces) {
        data.faceUVs.push_back({});
        for (int v : face)
            data.faceUVs.back().push_back(v >= 0 && v < 10 ? 9 - v : 0);
        data.faceColors.push_back(std::vector<int>(face.size(), 0));
    }
    MObject shape = headless::createNode("mesh", "damagedShape1", headless::createTransform("damaged1"));
    ASSERT_TRUE(headless::setDamagedMeshGeometry(shape, data));
    ASSERT_EQ(capture(shape), 1) << "a damaged corner does not refuse the mesh";

    Lines logged = log.lines();
    ASSERT_GE(logged.size(), 5u);
    EXPECT_EQ(Lines(logged.end() - 5, logged.end()),
              (Lines{"  loadMesh: Generating polygons...\n", "  Error: Global vertex out of range 12\n",
                     "  Error: Global vertex out of range -3\n",
                     "  Warning: Polygons with more than 6 vertices were detected.  Only the first 6 vert(s) will be "
                     "exported\n",
                     "Successful\n"}));
    ASSERT_EQ(mesh.numPolygons, 5);
    for (int f = 0; f < 5; ++f) {
        const Polygon& polygon = mesh.polygons[f];
        const int corners = std::min<int>(data.faces[f].size(), MAX_POLYGON_CORNERS);
        EXPECT_EQ(polygon.numVerts, corners) << "face " << f;
        for (int j = 0; j < MAX_POLYGON_CORNERS; ++j) {
            SCOPED_TRACE("face " + std::to_string(f) + " corner " + std::to_string(j));
            const int vertex = j < corners ? data.faces[f][j] : -1;
            if (vertex < 0 || vertex >= 10) {
                EXPECT_EQ(polygon.vertIndices[j], -1);
                EXPECT_EQ(polygon.uvIndices[j], -1);
                EXPECT_EQ(polygon.normalIndices[j], -1);
                EXPECT_EQ(polygon.colorIndices[j], -1);
            } else {
                EXPECT_EQ(polygon.vertIndices[j], vertex);
                EXPECT_EQ(polygon.uvIndices[j], data.faceUVs[f][j]);
                EXPECT_GE(polygon.normalIndices[j], 0);
                EXPECT_LT(polygon.normalIndices[j], mesh.numNormals);
                EXPECT_GE(polygon.colorIndices[j], 0);
            }
        }
    }
}

} // namespace
