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
    // No baked reference is turned: built about +X without UVs, the primitive is the reference turned onto +X by
    // the shortest arc from the axis it is built about, as the baked planes turn. Null for a row not turned.
    headless::Vec3 (*ontoX)(const headless::Vec3&) = nullptr;
};

// The torus is built about +Y: a quarter turn about Z takes it onto X.
headless::Vec3 torusOntoX(const headless::Vec3& p) { return {p.y, -p.x, p.z}; }
// The pipe is built about +Z: undo the turn from +Z onto +Y (a quarter turn about X), then turn +Z onto +X (a
// quarter turn about Y).
headless::Vec3 pipeOntoX(const headless::Vec3& p) { return {p.y, -p.z, -p.x}; }

TEST(PolyTorusAndPipe, MatchBakedReferencesAndClampAsTheHostDoes)
{
    const double nan = std::nan("");
    const RingCase cases[] = {
        {"polyTorus", "default", {}, "polyTorus_default.ma", 0, false},
        {"polyTorus", "10 x 10, thin section", {{"sa", {10}}, {"sh", {10}}, {"sr", {0.1}}},
         "polyTorus_sa10_sh10_sr0.1.ma", 0, false},
        // These two scenes harden edges the other scenes' tori keep smooth (all of them; those around the axis),
        // so only their layout is compared.
        {"polyTorus", "8 x 8, radius 3.6178865", {{"sa", {8}}, {"sh", {8}}, {"r", {3.6178865}}},
         "polyTorus_sa8_sh8_r3.6178865.ma", 0, false, false},
        {"polyTorus", "20 x 12, radius 3.5, section 0.15", {{"sh", {12}}, {"r", {3.5}}, {"sr", {0.15}}},
         "polyTorus_sh12_r3.5_sr0.15.ma", 0, false, false},
        {"polyTorus", "about X, no UVs", {{"ax", {1, 0, 0}}, {"cuv", {0}}}, "polyTorus_default.ma", 0, false, true,
         torusOntoX},
        {"polyTorus", "no axis divisions", {{"sa", {0}}}, "", 1, false},
        {"polyTorus", "negative height divisions", {{"sh", {-2}}}, "", 1, false},
        {"polyTorus", "NaN radius", {{"r", {nan}}}, "", 0, true},
        {"polyTorus", "twisted", {{"tw", {30}}}, "", 0, true},
        // As most files set them: .sc 0, which is not the default (left alone it is refused).
        {"polyPipe", "radius 0.33, height 1, thickness 0.1", {{"r", {0.33}}, {"h", {1}}, {"t", {0.1}}, {"sc", {0}}},
         "polyPipe_r0.33_h1_t0.1.ma", 0, false},
        {"polyPipe", "radius 1.3364635, height 1.3241384, thickness 0.6",
         {{"r", {1.33646345}}, {"h", {1.3241384}}, {"t", {0.6}}, {"sc", {0}}}, "polyPipe_r1.3364635_h1.3241384_t0.6.ma", 0,
         false},
        {"polyPipe", "about X, no UVs",
         {{"r", {0.33}}, {"h", {1}}, {"t", {0.1}}, {"sc", {0}}, {"ax", {1, 0, 0}}, {"cuv", {0}}},
         "polyPipe_r0.33_h1_t0.1.ma", 0, false, true, pipeOntoX},
        {"polyPipe", "two axis divisions", {{"sa", {2}}, {"sc", {0}}}, "", 1, false},
        {"polyPipe", "NaN thickness", {{"t", {nan}}, {"sc", {0}}}, "", 0, true},
        {"polyPipe", "caps left at the node's default", {}, "", 0, true},
        {"polyPipe", "two spans", {{"sh", {2}}, {"sc", {0}}}, "", 0, true},
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
        if (c.ontoX) {
            for (headless::Vec3& p : expected.points)
                p = c.ontoX(p);
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
