// polyCylinder against cylinders the host baked, and the values it clamps or refuses.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

struct CylinderCase {
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
};

TEST(PolyCylinder, MatchesBakedReferencesAndClampsAsTheHostDoes)
{
    const double nan = std::nan("");
    const CylinderCase cases[] = {
        // As the Create menu makes it (.sc 1 .cuv 3 are written by every file that has one).
        {"default", {{"sc", {1}}, {"cuv", {3}}}, "polyCylinder_default.ma", 0, false},
        {"flat caps", {{"sc", {0}}, {"cuv", {3}}}, "polyCylinder_sc0.ma", 0, false},
        {"no axis divisions", {{"sa", {0}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"negative height divisions", {{"sh", {-2}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"NaN radius", {{"r", {nan}}}, "", 0, true},
        {"subdivided caps", {{"sc", {2}}}, "", 0, true},
    };
    for (const CylinderCase& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::HistoryResult result = historytest::evaluateGenerator("polyCylinder", c.values);
        EXPECT_EQ(result.evaluated, !c.refused) << result.error;
        EXPECT_EQ(result.warnings.size(), size_t(c.warnings));
        if (c.refused) {
            EXPECT_FALSE(result.error.empty());
            continue;
        }
        EXPECT_EQ(headless::validatePolyMesh(result.mesh), "");
        if (*c.reference)
            historytest::expectSameMesh(historytest::loadReferenceMesh(historytest::referencePath(c.reference)),
                                        result.mesh);
    }
}

}  // namespace
