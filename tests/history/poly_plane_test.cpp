// polyPlane against planes the host baked, and the UV modes and values it refuses or clamps.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

struct PlaneCase {
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference
    int warnings;
    bool refused;
};

TEST(PolyPlane, MatchesBakedReferencesAndRefusesUnfixedUVModes)
{
    const PlaneCase cases[] = {
        {"default, ratio kept", {{"cuv", {2}}}, "polyPlane_default.ma", 0, false},
        {"9 x 5", {{"w", {9}}, {"h", {5}}, {"sw", {1}}, {"sh", {1}}, {"cuv", {2}}}, "polyPlane_w9_h5_s1.ma", 0, false},
        {"no subdivisions", {{"sw", {0}}, {"cuv", {2}}}, "", 1, false},
        {"mode 1, longer side not 1", {{"w", {9}}, {"h", {5}}}, "", 0, true},
        {"mode 3", {{"cuv", {3}}}, "", 0, true},
    };
    for (const PlaneCase& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::HistoryResult result = historytest::evaluateGenerator("polyPlane", c.values);
        EXPECT_EQ(result.evaluated, !c.refused) << result.error;
        EXPECT_EQ(result.warnings.size(), size_t(c.warnings));
        if (c.refused || !result.evaluated) continue;
        EXPECT_EQ(headless::validatePolyMesh(result.mesh), "");
        if (*c.reference)
            historytest::expectSameMesh(historytest::loadReferenceMesh(historytest::referencePath(c.reference)),
                                        result.mesh);
    }
    // Mode 1 on a plane whose longer side is 1 (the corpus's color_management.ma): either reading of the mode
    // gives the UVs of the ratio kept.
    const Values halfHigh = {{"h", {0.5}}, {"sw", {1}}, {"sh", {1}}};
    Values kept = halfHigh;
    kept["cuv"] = {2};
    const headless::HistoryResult mode1 = historytest::evaluateGenerator("polyPlane", halfHigh);
    ASSERT_TRUE(mode1.evaluated) << mode1.error;
    historytest::expectSameMesh(historytest::evaluateGenerator("polyPlane", kept).mesh, mode1.mesh, 0);
}

}  // namespace
