#include "scene_readers/interchange/mesh_conversion.h"

#include "library_scenes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
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
    const std::vector<std::array<float, 3>> convex7 = {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {3, 2, 0}, {2, 3, 0}, {0, 3, 0}, {-1, 1, 0}};
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
        // Six corners are the most the host's capture takes whole; a seventh cuts the face into triangles.
        {"six and seven corners", convex7, {{0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4, 5, 6}}, 1 + 5, 0, 0, 0, 1, ""},
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

} // namespace
