// polyPyramid, polyPrism and polyPlatonic against the ones the host baked, and the values they clamp or refuse.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

struct GeneratorCase {
    const char* type;
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
    bool xAxis = false;      // built along +X: the reference turned a quarter about -Z, (x, y, z) -> (y, -x, z)
    bool withoutUVs = false;  // made without UVs: the reference's are left out of the comparison
    int hostVersion = 0;      // the version of the file the node comes from, 0 unknown
};

TEST(PolyPyramidPrismPlatonic, MatchBakedReferencesAndClampAsTheHostDoes)
{
    const double nan = std::nan("");
    const GeneratorCase cases[] = {
        // As the Create menu makes them (.cuv 3 is written by every file that has one).
        {"polyPyramid", "default", {{"cuv", {3}}}, "polyPyramid_default.ma", 0, false},
        {"polyPyramid", "three sides", {{"ns", {3}}, {"cuv", {3}}}, "polyPyramid_ns3.ma", 0, false},
        {"polyPyramid", "base rings and levels", {{"sc", {3}}, {"sh", {5}}, {"cuv", {3}}}, "polyPyramid_sh5_sc3.ma", 0,
         false},
        {"polyPyramid", "along X, no UVs", {{"ax", {1, 0, 0}}, {"cuv", {0}}}, "polyPyramid_default.ma", 0, false, true,
         true},
        {"polyPyramid", "two sides", {{"ns", {2}}, {"cuv", {3}}}, "polyPyramid_ns3.ma", 1, false},
        {"polyPyramid", "no levels", {{"sh", {0}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"polyPyramid", "NaN side", {{"w", {nan}}}, "", 0, true},
        {"polyPyramid", "levels over an undivided base", {{"sh", {2}}}, "", 0, true},
        {"polyPrism", "default", {{"cuv", {3}}}, "polyPrism_default.ma", 0, false},
        // The length read back from the reference's points; a 2015 file has the pre-2023 UVs, which .ouv asks
        // for in later files.
        {"polyPrism", "five sides, pre-2023 file",
         {{"ns", {5}}, {"w", {0.5}}, {"l", {3.95901346}}, {"cuv", {3}}},
         "polyPrism_ns5_w0.5_l3.959.ma", 0, false, false, false, 2015},
        {"polyPrism", "five sides, pre-2023 UVs asked for",
         {{"ns", {5}}, {"w", {0.5}}, {"l", {3.95901346}}, {"ouv", {1}}, {"cuv", {3}}},
         "polyPrism_ns5_w0.5_l3.959.ma", 0, false, false, false, 2024},
        {"polyPrism", "along X, no UVs", {{"ax", {1, 0, 0}}, {"cuv", {0}}}, "polyPrism_default.ma", 0, false, true,
         true},
        {"polyPrism", "two sides", {{"ns", {2}}, {"cuv", {3}}}, "polyPrism_default.ma", 1, false},
        {"polyPrism", "NaN length", {{"l", {nan}}}, "", 0, true},
        {"polyPrism", "levels", {{"sh", {2}}}, "", 0, true},
        {"polyPlatonic", "default", {}, "polyPlatonic_default.ma", 0, false},
        {"polyPlatonic", "negative subdivisions, no UVs", {{"subdivisions", {-1}}, {"cuv", {0}}},
         "polyPlatonic_default.ma", 1, false, false, true},
        {"polyPlatonic", "another UV mode", {{"cuv", {3}}}, "polyPlatonic_default.ma", 1, false, false, true},
        {"polyPlatonic", "NaN radius", {{"radius", {nan}}}, "", 0, true},
        {"polyPlatonic", "subdivided", {{"subdivisions", {1}}}, "", 0, true},
        {"polyPlatonic", "another primitive", {{"primitive", {1}}}, "", 0, true},
        {"polyPlatonic", "along X", {{"ax", {1, 0, 0}}}, "", 0, true},
    };
    for (const GeneratorCase& c : cases) {
        SCOPED_TRACE(std::string(c.type) + ": " + c.name);
        const headless::HistoryResult result = historytest::evaluateGenerator(c.type, c.values, c.hostVersion);
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
        if (c.xAxis)
            for (headless::Vec3& p : expected.points)
                p = {p.y, -p.x, p.z};
        if (c.withoutUVs) {
            expected.uvSets[size_t(expected.currentUVSet)].uvs.clear();
            expected.uvSets[size_t(expected.currentUVSet)].cornerUVs.clear();
        }
        historytest::expectSameMesh(expected, result.mesh);
    }
}

}  // namespace
