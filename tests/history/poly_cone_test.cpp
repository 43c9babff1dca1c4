// polyCone against cones the host baked, and the values it clamps or refuses.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

struct ConeCase {
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
    bool compareSmoothing;
};

TEST(PolyCone, MatchesBakedReferencesAndClampsAsTheHostDoes)
{
    const double nan = std::nan("");
    const ConeCase cases[] = {
        {"default", {{"cuv", {3}}}, "polyCone_default.ma", 0, false, true},
        // That scene's six-sided cones all have hard spokes where every 20-sided one keeps them smooth, so only
        // the layout is compared.
        {"six sides, three levels", {{"sa", {6}}, {"sh", {3}}, {"cuv", {3}}}, "polyCone_sa6_sh3.ma", 0, false, false},
        {"two axis divisions", {{"sa", {2}}, {"cuv", {3}}}, "", 1, false, true},
        {"zero height divisions", {{"sh", {0}}, {"cuv", {3}}}, "", 1, false, true},
        {"NaN height", {{"h", {nan}}}, "", 0, true, true},
        {"subdivided base", {{"sc", {1}}}, "", 0, true, true},
    };
    for (const ConeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::HistoryResult result = historytest::evaluateGenerator("polyCone", c.values);
        EXPECT_EQ(result.evaluated, !c.refused) << result.error;
        EXPECT_EQ(result.warnings.size(), size_t(c.warnings));
        if (c.refused) {
            EXPECT_FALSE(result.error.empty());
            continue;
        }
        EXPECT_EQ(headless::validatePolyMesh(result.mesh), "");
        if (!*c.reference) continue;
        headless::PolyMesh expected = historytest::loadReferenceMesh(historytest::referencePath(c.reference));
        headless::PolyMesh actual = result.mesh;
        if (!c.compareSmoothing)
            for (headless::PolyMesh* mesh : {&expected, &actual})
                for (headless::PolyEdge& edge : mesh->edges) edge.smooth = true;
        historytest::expectSameMesh(expected, actual);
    }
}

}  // namespace
