// polyTorus and polyPipe against the ones the host baked, and the values they clamp or refuse.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

struct RingCase {
    const char* type;
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
    bool compareSmoothing = true;
    // The reference is the same primitive built about +Y, without UVs: built about +X it is that one turned a
    // quarter turn about Z.
    bool turnedOntoX = false;
};

TEST(PolyTorusAndPipe, MatchBakedReferencesAndClampAsTheHostDoes)
{
    const double nan = std::nan("");
    const RingCase cases[] = {
        {"polyTorus", "default", {}, "polyTorus_default.ma", 0, false},
        {"polyTorus", "10 x 10, thin section", {{"sa", {10}}, {"sh", {10}}, {"sr", {0.1}}},
         "polyTorus_sa10_sh10_sr0.1.ma", 0, false},
        // Every edge of that scene's 8 x 8 tori is hard where the other scenes' tori are smooth, so only the
        // layout is compared.
        {"polyTorus", "8 x 8, radius 3.6178865", {{"sa", {8}}, {"sh", {8}}, {"r", {3.6178865}}},
         "polyTorus_sa8_sh8_r3.6178865.ma", 0, false, false},
        {"polyTorus", "about X, no UVs", {{"ax", {1, 0, 0}}, {"cuv", {0}}}, "polyTorus_default.ma", 0, false, true,
         true},
        {"polyTorus", "no axis divisions", {{"sa", {0}}}, "", 1, false},
        {"polyTorus", "negative height divisions", {{"sh", {-2}}}, "", 1, false},
        {"polyTorus", "NaN radius", {{"r", {nan}}}, "", 0, true},
        {"polyTorus", "twisted", {{"tw", {30}}}, "", 0, true},
    };
    for (const RingCase& c : cases) {
        SCOPED_TRACE(std::string(c.type) + ": " + c.name);
        const headless::HistoryResult result = historytest::evaluateGenerator(c.type, c.values);
        EXPECT_EQ(result.evaluated, !c.refused) << result.error;
        EXPECT_EQ(result.warnings.size(), size_t(c.warnings));
        if (c.refused) {
            EXPECT_FALSE(result.error.empty());
            continue;
        }
        EXPECT_EQ(headless::validatePolyMesh(result.mesh), "");
        if (!*c.reference)
            continue;
        headless::PolyMesh expected = historytest::loadReferenceMesh(historytest::referencePath(c.reference));
        headless::PolyMesh actual = result.mesh;
        if (c.turnedOntoX) {
            for (headless::Vec3& p : expected.points)
                p = {p.y, -p.x, p.z};
            for (headless::PolyUVSet& set : expected.uvSets) {
                set.uvs.clear();
                set.cornerUVs.clear();
            }
        }
        if (!c.compareSmoothing)
            for (headless::PolyMesh* mesh : {&expected, &actual})
                for (headless::PolyEdge& edge : mesh->edges)
                    edge.smooth = true;
        historytest::expectSameMesh(expected, actual);
    }
}

}  // namespace
