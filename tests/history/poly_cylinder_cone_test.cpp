// polyCylinder and polyCone against the ones the host baked, and the values they clamp or refuse.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

struct RoundCase {
    const char* type;
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
    bool compareSmoothing = true;
};

TEST(PolyCylinderAndCone, MatchBakedReferencesAndClampAsTheHostDoes)
{
    const double nan = std::nan("");
    const RoundCase cases[] = {
        // As the Create menu makes it (.sc 1 .cuv 3 are written by every file that has one).
        {"polyCylinder", "default", {{"sc", {1}}, {"cuv", {3}}}, "polyCylinder_default.ma", 0, false},
        {"polyCylinder", "flat caps", {{"sc", {0}}, {"cuv", {3}}}, "polyCylinder_sc0.ma", 0, false},
        {"polyCylinder", "no axis divisions", {{"sa", {0}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"polyCylinder", "negative height divisions", {{"sh", {-2}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"polyCylinder", "NaN radius", {{"r", {nan}}}, "", 0, true},
        {"polyCylinder", "subdivided caps", {{"sc", {2}}}, "", 0, true},
        {"polyCone", "default", {{"cuv", {3}}}, "polyCone_default.ma", 0, false},
        // That scene's six-sided cones all have hard spokes where every 20-sided one keeps them smooth, so only
        // the layout is compared.
        {"polyCone", "six sides, three levels", {{"sa", {6}}, {"sh", {3}}, {"cuv", {3}}}, "polyCone_sa6_sh3.ma", 0,
         false, false},
        {"polyCone", "two axis divisions", {{"sa", {2}}, {"cuv", {3}}}, "", 1, false},
        {"polyCone", "zero height divisions", {{"sh", {0}}, {"cuv", {3}}}, "", 1, false},
        {"polyCone", "NaN height", {{"h", {nan}}}, "", 0, true},
        {"polyCone", "subdivided base", {{"sc", {1}}}, "", 0, true},
    };
    for (const RoundCase& c : cases) {
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
        if (!c.compareSmoothing)
            for (headless::PolyMesh* mesh : {&expected, &actual})
                for (headless::PolyEdge& edge : mesh->edges)
                    edge.smooth = true;
        historytest::expectSameMesh(expected, actual);
    }
}

}  // namespace
