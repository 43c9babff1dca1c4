// polySphere against spheres the host baked, and the values it clamps or refuses.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

struct SphereCase {
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
    int points;  // checked when there is no reference; 0: not checked
};

TEST(PolySphere, MatchesBakedReferencesAndClampsAsTheHostDoes)
{
    const double nan = std::nan("");
    const SphereCase cases[] = {
        {"default", {}, "polySphere_default.ma", 0, false, 0},
        {"radius", {{"r", {2.8575}}}, "polySphere_r2.8575.ma", 0, false, 0},
        {"no UVs", {{"cuv", {0}}}, "", 0, false, 382},
        {"8 x 8", {{"sa", {8}}, {"sh", {8}}}, "", 0, false, 8 * 7 + 2},
        {"no axis divisions", {{"sa", {0}}}, "", 1, false, 3 * 19 + 2},
        {"negative height divisions", {{"sh", {-4}}}, "", 1, false, 20 + 2},
        {"NaN radius", {{"r", {nan}}}, "", 0, true, 0},
        {"odd height divisions", {{"sh", {7}}}, "", 0, true, 0},
        {"pinched UVs", {{"cuv", {1}}}, "", 0, true, 0},
    };
    for (const SphereCase& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::HistoryResult result = historytest::evaluateGenerator("polySphere", c.values);
        EXPECT_EQ(result.evaluated, !c.refused) << result.error;
        EXPECT_EQ(result.warnings.size(), size_t(c.warnings));
        if (c.refused) {
            EXPECT_FALSE(result.error.empty());
            continue;
        }
        EXPECT_EQ(headless::validatePolyMesh(result.mesh), "");
        if (*c.reference) {
            historytest::expectSameMesh(historytest::loadReferenceMesh(historytest::referencePath(c.reference)),
                                        result.mesh);
        }
        if (c.points) {
            EXPECT_EQ(result.mesh.points.size(), size_t(c.points));
        }
    }
}

}  // namespace
