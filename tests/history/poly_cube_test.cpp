// polyCube against cubes the host baked, and the values it clamps or refuses.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

// Distance in representable floats. The shared comparison also accepts any two values within 1e-6, which hides
// the summing order this generator must match (0.49999997 against 0.5); points and UVs are checked here by steps.
int64_t floatSteps(double a, double b)
{
    auto ordered = [](float f) {
        int32_t i;
        std::memcpy(&i, &f, sizeof i);
        return i < 0 ? int64_t(INT32_MIN) - i : int64_t(i);
    };
    return std::llabs(ordered(float(a)) - ordered(float(b)));
}

void expectSameValues(const headless::PolyMesh& expected, const headless::PolyMesh& actual, int ulps)
{
    std::vector<double> e, a;
    for (const headless::PolyMesh* mesh : {&expected, &actual}) {
        std::vector<double>& values = mesh == &expected ? e : a;
        for (const headless::Vec3& p : mesh->points) values.insert(values.end(), {p.x, p.y, p.z});
        for (const auto& uv : mesh->uvSets[0].uvs) values.insert(values.end(), {uv.u, uv.v});
    }
    ASSERT_EQ(a.size(), e.size());
    int reported = 0;
    for (size_t i = 0; i < e.size() && reported < 5; ++i)
        if (floatSteps(e[i], a[i]) > ulps) {
            ADD_FAILURE() << "value " << i << " (points, then UVs): expected " << e[i] << ", got " << a[i];
            ++reported;
        }
}

struct CubeCase {
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
};

TEST(PolyCube, MatchesBakedReferencesAndClampsAsTheHostDoes)
{
    const double nan = std::nan("");
    const CubeCase cases[] = {
        // As the Create menu makes it (.cuv 4 is written by every file that has one).
        {"default", {{"cuv", {4}}}, "polyCube_default.ma", 0, false},
        {"2 x 2 x 2", {{"sw", {2}}, {"sh", {2}}, {"sd", {2}}, {"cuv", {4}}}, "polyCube_s2.ma", 0, false},
        {"3 x 3 x 2", {{"sw", {3}}, {"sh", {3}}, {"sd", {2}}, {"cuv", {4}}}, "polyCube_sw3_sh3_sd2.ma", 0, false},
        {"3 x 1 x 3", {{"sw", {3}}, {"sd", {3}}, {"cuv", {4}}}, "polyCube_sw3_sh1_sd3.ma", 0, false},
        {"5 x 1 x 5", {{"sw", {5}}, {"sd", {5}}, {"cuv", {4}}}, "polyCube_sw5_sh1_sd5.ma", 0, false},
        {"10 x 1 x 1", {{"sw", {10}}, {"cuv", {4}}}, "polyCube_sw10.ma", 0, false},
        {"3 x 12 x 3", {{"sw", {3}}, {"sh", {12}}, {"sd", {3}}, {"cuv", {4}}}, "polyCube_sw3_sh12_sd3.ma", 0, false},
        // Its first inner step is one float step off the rule that gives the other two.
        {"size 100, 3 x 3 x 3",
         {{"w", {100}}, {"h", {100}}, {"d", {100}}, {"sw", {3}}, {"sh", {3}}, {"sd", {3}}, {"cuv", {4}}},
         "polyCube_w100_s3.ma", 0, false},
        {"no UVs", {{"sw", {2}}, {"cuv", {0}}}, "", 0, false},
        {"no width divisions", {{"sw", {0}}}, "polyCube_default.ma", 1, false},
        {"negative divisions", {{"sh", {-2}}, {"sd", {-1}}}, "polyCube_default.ma", 2, false},
        {"NaN width", {{"w", {nan}}}, "", 0, true},
        {"unequal sides with UVs", {{"w", {2}}, {"cuv", {4}}}, "", 0, true},
        {"UV mode 2", {{"cuv", {2}}}, "", 0, true},
        {"UV mode 7", {{"cuv", {7}}}, "", 0, true},
        {"a billion faces", {{"sw", {100000}}, {"sh", {100000}}}, "", 0, true},
    };
    for (const CubeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::HistoryResult result = historytest::evaluateGenerator("polyCube", c.values);
        EXPECT_EQ(result.evaluated, !c.refused) << result.error;
        EXPECT_EQ(result.warnings.size(), size_t(c.warnings));
        if (c.refused) {
            EXPECT_FALSE(result.error.empty());
            continue;
        }
        EXPECT_EQ(headless::validatePolyMesh(result.mesh), "");
        if (*c.reference) {
            const headless::PolyMesh reference =
                historytest::loadReferenceMesh(historytest::referencePath(c.reference));
            historytest::expectSameMesh(reference, result.mesh, 1);
            if (!reference.uvSets.empty() && !result.mesh.uvSets.empty())
                expectSameValues(reference, result.mesh, 1);
        } else {  // .cuv 0, the one evaluated row without a reference
            EXPECT_TRUE(result.mesh.uvSets.empty() || result.mesh.uvSets[0].uvs.empty());
        }
    }
}

}  // namespace
