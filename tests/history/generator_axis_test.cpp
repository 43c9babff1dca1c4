// Generators turned onto a node's axis (".ax"): the same mesh as about +Y, each point turned by the shortest arc.

#include "history/reference_mesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

TEST(GeneratorAxis, PrimitivesTurnOntoTheirAxisByTheShortestArc)
{
    struct Case {
        const char* type;
        std::vector<double> axis;
        // Where the point (x, y, z) built about +Y goes: each output coordinate as ±1-based input index.
        int to[3];
        bool refused;
    };
    const Case cases[] = {
        {"polyCone", {1, 0, 0}, {2, -1, 3}, false},   // a quarter turn about -Z
        {"polyCube", {0, 0, 2}, {1, -3, 2}, false},   // about +X; the axis need not be of unit length
        {"polyCylinder", {0, -1, 0}, {1, -2, -3}, false},  // half a turn about X
        {"polySphere", {0, 0, 1}, {1, -3, 2}, false},
        {"polyCone", {0, 0, 0}, {1, 2, 3}, true},
        {"polyCube", {NAN, 1, 0}, {1, 2, 3}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.type) + " axis " + std::to_string(c.axis[0]) + " " + std::to_string(c.axis[1]) +
                     " " + std::to_string(c.axis[2]));
        const headless::HistoryResult upright = historytest::evaluateGenerator(c.type);
        const headless::HistoryResult turned = historytest::evaluateGenerator(c.type, {{"ax", c.axis}});
        ASSERT_TRUE(upright.evaluated) << upright.error;
        if (c.refused) {
            EXPECT_FALSE(turned.evaluated);
            EXPECT_NE(turned.error.find(".ax"), std::string::npos) << turned.error;
            continue;
        }
        ASSERT_TRUE(turned.evaluated) << turned.error;
        ASSERT_EQ(turned.mesh.points.size(), upright.mesh.points.size());
        EXPECT_EQ(turned.mesh.faceEdges, upright.mesh.faceEdges);
        for (size_t i = 0; i < upright.mesh.points.size(); ++i) {
            const headless::Vec3& p = upright.mesh.points[i];
            const double in[3] = {p.x, p.y, p.z};
            const double out[3] = {turned.mesh.points[i].x, turned.mesh.points[i].y, turned.mesh.points[i].z};
            for (int k = 0; k < 3; ++k) {
                const int from = std::abs(c.to[k]) - 1;
                EXPECT_NEAR(out[k], c.to[k] < 0 ? -in[from] : in[from], 1e-6) << "point " << i << " coordinate " << k;
            }
        }
    }
}
