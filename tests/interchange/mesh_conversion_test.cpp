#include "scene_readers/interchange/mesh_conversion.h"

#include "library_scenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

using interchange::convertMesh;
using interchange::MeshTally;
using interchangetest::makeMesh;
using interchangetest::MeshDescription;
using interchangetest::polygonMesh;

struct Converted {
    bool ok = false;
    headless::MeshData data;
    MeshTally tally;
    std::vector<std::string> warnings;
    std::string problem;
};

Converted convert(const MeshDescription& described, double scale = 1.0)
{
    std::unique_ptr<aiMesh> mesh(makeMesh(described));
    Converted result;
    result.ok = convertMesh(*mesh, described.name, scale, result.data, result.tally, result.warnings, result.problem);
    return result;
}

double faceArea(const headless::MeshData& data, const std::vector<int>& face)
{
    // Newell normal length = twice the area of a planar polygon.
    double n[3] = {0, 0, 0};
    for (size_t i = 0; i < face.size(); ++i) {
        const headless::Vec3& a = data.points[size_t(face[i])];
        const headless::Vec3& b = data.points[size_t(face[(i + 1) % face.size()])];
        n[0] += (a.y - b.y) * (a.z + b.z);
        n[1] += (a.z - b.z) * (a.x + b.x);
        n[2] += (a.x - b.x) * (a.y + b.y);
    }
    return 0.5 * std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
}

TEST(MeshConversion, PolygonsOfThreeToTwelveCorners)
{
    // Up to six corners stay one face; more are cut into corners - 2 triangles covering the same area, each
    // corner keeping its own texture coordinate and normal.
    for (unsigned corners = 3; corners <= 12; ++corners) {
        const MeshDescription described = polygonMesh("ngon", corners);
        const Converted c = convert(described);
        ASSERT_TRUE(c.ok) << corners << ": " << c.problem;
        EXPECT_TRUE(headless::validateMesh(c.data).empty()) << corners;
        ASSERT_EQ(c.data.points.size(), corners);
        const size_t expectedFaces = corners <= 6 ? 1 : corners - 2;
        ASSERT_EQ(c.data.faces.size(), expectedFaces) << corners;
        EXPECT_EQ(c.tally.facesTriangulated, corners <= 6 ? 0 : 1) << corners;
        EXPECT_EQ(c.tally.trianglesFromLargeFaces, corners <= 6 ? 0 : corners - 2) << corners;
        double area = 0.0;
        for (size_t f = 0; f < c.data.faces.size(); ++f) {
            area += faceArea(c.data, c.data.faces[f]);
            ASSERT_EQ(c.data.faceUVs[f].size(), c.data.faces[f].size());
            for (size_t k = 0; k < c.data.faces[f].size(); ++k) {
                // Corners are distinct positions here, so the file vertex, uv and normal ids coincide.
                const int vertex = c.data.faces[f][k];
                EXPECT_EQ(c.data.faceUVs[f][k], vertex);
                EXPECT_EQ(c.data.faceNormals[f][k], vertex);
                EXPECT_FLOAT_EQ(c.data.uvs[size_t(vertex)].u, described.uvs[size_t(vertex)][0]);
            }
        }
        const double expectedArea = 0.5 * corners * std::sin(2.0 * 3.14159265358979323846 / corners);
        EXPECT_NEAR(area, expectedArea, 1e-5) << corners;
    }
}

TEST(MeshConversion, EqualPositionsWeldAndKeepTheirCornerValues)
{
    // Two triangles sharing an edge, every corner its own file vertex (as OBJ and glTF readers give them),
    // with different texture coordinates on the shared corners.
    MeshDescription described;
    described.name = "split";
    described.positions = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, -0.0f}, {1, 1, 0}, {0, 1, 0}};
    described.uvs = {{0, 0}, {1, 0}, {1, 1}, {0.5f, 0.5f}, {0.9f, 0.9f}, {0, 1}};
    described.faces = {{0, 1, 2}, {3, 4, 5}};
    const Converted c = convert(described);
    ASSERT_TRUE(c.ok) << c.problem;
    ASSERT_EQ(c.data.points.size(), 4u); // -0.0 welds with 0.0
    EXPECT_EQ(c.data.faces[0], (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(c.data.faces[1], (std::vector<int>{0, 2, 3}));
    EXPECT_EQ(c.data.faceUVs[1], (std::vector<int>{3, 4, 5}));
    EXPECT_EQ(c.data.uvs.size(), 6u);
    EXPECT_TRUE(c.data.normals.empty());
    EXPECT_TRUE(c.data.faceNormals.empty());
}

TEST(MeshConversion, FacesTheHostCannotHold)
{
    struct Case {
        const char* name;
        std::vector<std::array<float, 3>> positions;
        std::vector<std::vector<unsigned>> faces;
        size_t faces_kept;
        long long degenerate, pointsAndLines, outOfRange, triangulated;
        const char* problem; // when no face is kept
    };
    const std::vector<std::array<float, 3>> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 0}};
    const Case cases[] = {
        {"point and line", square, {{0}, {0, 1}, {0, 1, 2}}, 1, 0, 2, 0, 0, ""},
        {"index past the vertices", square, {{0, 1, 9}, {0, 1, 2}}, 1, 0, 0, 1, 0, ""},
        // Vertex 4 is where vertex 0 is: a repeat of the corner before it disappears.
        {"repeated corner", square, {{0, 4, 1, 2}}, 1, 0, 0, 0, 0, ""},
        {"all corners on one point", square, {{0, 4, 0}}, 0, 1, 0, 0, 0,
         "mesh all corners on one point has no faces of three or more corners"},
        // The outline visits vertex 0 twice, apart (a spike out to vertex 1 and back): cut into three
        // triangles, of which only the one with area is kept.
        {"outline touching itself", square, {{0, 1, 4, 2, 3}}, 1, 2, 0, 0, 0, ""},
        {"points only", square, {}, 0, 0, 0, 0, 0, "mesh points only has no faces"},
    };
    for (const Case& c : cases) {
        MeshDescription described;
        described.name = c.name;
        described.positions = c.positions;
        described.faces = c.faces;
        const Converted result = convert(described);
        if (c.faces_kept == 0) {
            EXPECT_FALSE(result.ok) << c.name;
            EXPECT_NE(result.problem.find(c.problem), std::string::npos) << c.name << ": " << result.problem;
        } else {
            ASSERT_TRUE(result.ok) << c.name << ": " << result.problem;
            EXPECT_EQ(result.data.faces.size(), c.faces_kept) << c.name;
            EXPECT_TRUE(headless::validateMesh(result.data).empty()) << c.name;
        }
        EXPECT_EQ(result.tally.degenerateFaces, c.degenerate) << c.name;
        EXPECT_EQ(result.tally.pointsAndLines, c.pointsAndLines) << c.name;
        EXPECT_EQ(result.tally.outOfRangeFaces, c.outOfRange) << c.name;
        EXPECT_EQ(result.tally.facesTriangulated, c.triangulated) << c.name;
    }
}

TEST(MeshConversion, ValuesThatAreNotFinite)
{
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        int part; // 0 position, 1 uv, 2 normal, 3 colour
        float value;
        double scale;
        bool ok;
        const char* message;
    };
    const Case cases[] = {
        {"NaN position", 0, nan, 1.0, false, "not a finite number (vertex 1)"},
        {"infinite position", 0, -inf, 1.0, false, "not a finite number"},
        {"position overflowing when scaled", 0, 3e38f, 10.0, false, "not a finite number"},
        {"NaN texture coordinate", 1, nan, 1.0, true, "texture coordinates that are not finite"},
        {"infinite normal", 2, inf, 1.0, true, "normals that are not finite"},
        {"NaN colour", 3, nan, 1.0, true, "vertex colours that are not finite"},
    };
    for (const Case& c : cases) {
        MeshDescription described = polygonMesh("bad", 4);
        described.colours.assign(4, {1, 0, 0, 1});
        switch (c.part) {
        case 0:
            described.positions[1][0] = c.value;
            break;
        case 1:
            described.uvs[2][1] = c.value;
            break;
        case 2:
            described.normals[3][2] = c.value;
            break;
        default:
            described.colours[0][0] = c.value;
        }
        const Converted result = convert(described, c.scale);
        EXPECT_EQ(result.ok, c.ok) << c.name;
        if (!c.ok) {
            EXPECT_NE(result.problem.find(c.message), std::string::npos) << c.name << ": " << result.problem;
            EXPECT_TRUE(result.data.points.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(result.warnings.size(), 1u) << c.name;
        EXPECT_NE(result.warnings[0].find(c.message), std::string::npos) << c.name << ": " << result.warnings[0];
        EXPECT_EQ(result.data.uvs.empty(), c.part == 1) << c.name;
        EXPECT_EQ(result.data.normals.empty(), c.part == 2) << c.name;
        EXPECT_EQ(result.data.colors.empty(), c.part == 3) << c.name;
        EXPECT_TRUE(headless::validateMesh(result.data).empty()) << c.name;
    }
}

TEST(MeshConversion, ScaleAndPerCornerValues)
{
    MeshDescription described = polygonMesh("scaled", 4, 2.0f);
    described.colours = {{1, 0, 0, 1}, {0, 1, 0, 0.5f}, {0, 0, 1, 1}, {1, 1, 1, 0}};
    const Converted c = convert(described, 2.54);
    ASSERT_TRUE(c.ok) << c.problem;
    ASSERT_EQ(c.data.points.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_FLOAT_EQ(float(c.data.points[i].x), float(described.positions[i][0] * 2.54));
        EXPECT_FLOAT_EQ(float(c.data.points[i].y), float(described.positions[i][1] * 2.54));
        // Normals are directions: not scaled.
        EXPECT_EQ(c.data.normals[i].z, 1.0);
        EXPECT_EQ(c.data.colors[i].a, described.colours[i][3]);
    }
    EXPECT_EQ(c.data.faceColors, (std::vector<std::vector<int>>{{0, 1, 2, 3}}));
}

} // namespace
