// Every generator against the meshes the host baked (tests/history/references), and the values each clamps or
// refuses as the host does.

#include "history/reference_mesh.h"

#include <headless/history.h>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace {

using Values = std::map<std::string, std::vector<double>>;

// A reference built about its own axis, turned onto the node's axis by the shortest arc: onto +X a quarter turn
// about Z for primitives built about +Y; for the pipe, built about +Z, the turn from +Z onto +Y undone and +Z
// turned onto +X; onto +Z a quarter turn about X; onto -Y half a turn about X.
headless::Vec3 quarterAboutZ(const headless::Vec3& p) { return {p.y, -p.x, p.z}; }
headless::Vec3 pipeOntoX(const headless::Vec3& p) { return {p.y, -p.z, -p.x}; }
headless::Vec3 quarterAboutX(const headless::Vec3& p) { return {p.x, -p.z, p.y}; }
headless::Vec3 halfAboutX(const headless::Vec3& p) { return {p.x, -p.y, -p.z}; }

enum Compare : unsigned {
    kWhole = 0,
    kLayoutOnly = 1,   // the reference's scene hardens edges its other primitives keep smooth: smoothing ignored
    kWithoutUVs = 2,   // made without UVs: the reference's are left out
    kFloatSteps = 4,   // points and UVs within one float step, also near zero
};

struct GeneratorCase {
    const char* type;
    const char* name;
    Values values;
    const char* reference;  // empty: no baked reference, only the outcome is checked
    int warnings;
    bool refused;
    unsigned compare = kWhole;
    headless::Vec3 (*turn)(const headless::Vec3&) = nullptr;  // built along +X: the reference turned so
    int points = 0;       // without a reference: the point count, 0 not checked
    int hostVersion = 0;  // the version of the file the node comes from, 0 unknown
};

TEST(Generators, MatchBakedReferencesAndClampAsTheHostDoes)
{
    const double nan = std::nan("");
    const GeneratorCase cases[] = {
        // Cubes as the Create menu makes them (.cuv 4 is written by every file that has one).
        {"polyCube", "default", {{"cuv", {4}}}, "polyCube_default.ma", 0, false, kFloatSteps},
        {"polyCube", "2 x 2 x 2", {{"sw", {2}}, {"sh", {2}}, {"sd", {2}}, {"cuv", {4}}}, "polyCube_s2.ma", 0, false,
         kFloatSteps},
        {"polyCube", "3 x 3 x 2", {{"sw", {3}}, {"sh", {3}}, {"sd", {2}}, {"cuv", {4}}}, "polyCube_sw3_sh3_sd2.ma", 0,
         false, kFloatSteps},
        {"polyCube", "3 x 1 x 3", {{"sw", {3}}, {"sd", {3}}, {"cuv", {4}}}, "polyCube_sw3_sh1_sd3.ma", 0, false,
         kFloatSteps},
        {"polyCube", "5 x 1 x 5", {{"sw", {5}}, {"sd", {5}}, {"cuv", {4}}}, "polyCube_sw5_sh1_sd5.ma", 0, false,
         kFloatSteps},
        {"polyCube", "10 x 1 x 1", {{"sw", {10}}, {"cuv", {4}}}, "polyCube_sw10.ma", 0, false, kFloatSteps},
        {"polyCube", "3 x 12 x 3", {{"sw", {3}}, {"sh", {12}}, {"sd", {3}}, {"cuv", {4}}}, "polyCube_sw3_sh12_sd3.ma", 0,
         false, kFloatSteps},
        // Its first inner step is one float step off the rule that gives the other two.
        {"polyCube", "size 100, 3 x 3 x 3",
         {{"w", {100}}, {"h", {100}}, {"d", {100}}, {"sw", {3}}, {"sh", {3}}, {"sd", {3}}, {"cuv", {4}}},
         "polyCube_w100_s3.ma", 0, false, kFloatSteps},
        {"polyCube", "no UVs", {{"sw", {2}}, {"cuv", {0}}}, "", 0, false, kWhole, nullptr, 12},
        {"polyCube", "no width divisions", {{"sw", {0}}}, "polyCube_default.ma", 1, false, kFloatSteps},
        {"polyCube", "negative divisions", {{"sh", {-2}}, {"sd", {-1}}}, "polyCube_default.ma", 2, false, kFloatSteps},
        // The axis need not be of unit length.
        {"polyCube", "along +Z, axis of length 2", {{"ax", {0, 0, 2}}, {"cuv", {4}}}, "polyCube_default.ma", 0, false,
         kWhole, quarterAboutX},
        {"polyCube", "NaN axis", {{"ax", {nan, 1, 0}}}, "", 0, true},
        {"polyCube", "NaN width", {{"w", {nan}}}, "", 0, true},
        {"polyCube", "unequal sides with UVs", {{"w", {2}}, {"cuv", {4}}}, "", 0, true},
        {"polyCube", "UV mode 2", {{"cuv", {2}}}, "", 0, true},
        {"polyCube", "UV mode 7", {{"cuv", {7}}}, "", 0, true},
        {"polyCube", "a billion faces", {{"sw", {100000}}, {"sh", {100000}}}, "", 0, true},

        {"polyPlane", "default, ratio kept", {{"cuv", {2}}}, "polyPlane_default.ma", 0, false},
        {"polyPlane", "9 x 5", {{"w", {9}}, {"h", {5}}, {"sw", {1}}, {"sh", {1}}, {"cuv", {2}}},
         "polyPlane_w9_h5_s1.ma", 0, false},
        {"polyPlane", "no subdivisions", {{"sw", {0}}, {"cuv", {2}}}, "", 1, false, kWhole, nullptr, 22},
        {"polyPlane", "mode 1, longer side not 1", {{"w", {9}}, {"h", {5}}}, "", 0, true},
        {"polyPlane", "mode 3", {{"cuv", {3}}}, "", 0, true},

        {"polySphere", "default", {}, "polySphere_default.ma", 0, false},
        {"polySphere", "radius", {{"r", {2.8575}}}, "polySphere_r2.8575.ma", 0, false},
        {"polySphere", "no UVs", {{"cuv", {0}}}, "", 0, false, kWhole, nullptr, 382},
        {"polySphere", "8 x 8", {{"sa", {8}}, {"sh", {8}}}, "", 0, false, kWhole, nullptr, 8 * 7 + 2},
        {"polySphere", "no axis divisions", {{"sa", {0}}}, "", 1, false, kWhole, nullptr, 3 * 19 + 2},
        {"polySphere", "negative height divisions", {{"sh", {-4}}}, "", 1, false, kWhole, nullptr, 20 + 2},
        {"polySphere", "along +Z", {{"ax", {0, 0, 1}}}, "polySphere_default.ma", 0, false, kWhole, quarterAboutX},
        {"polySphere", "NaN radius", {{"r", {nan}}}, "", 0, true},
        {"polySphere", "odd height divisions", {{"sh", {7}}}, "", 0, true},
        {"polySphere", "pinched UVs", {{"cuv", {1}}}, "", 0, true},

        // Cylinders as the Create menu makes them (.sc 1 .cuv 3 are written by every file that has one).
        {"polyCylinder", "default", {{"sc", {1}}, {"cuv", {3}}}, "polyCylinder_default.ma", 0, false},
        {"polyCylinder", "flat caps", {{"sc", {0}}, {"cuv", {3}}}, "polyCylinder_sc0.ma", 0, false},
        {"polyCylinder", "no axis divisions", {{"sa", {0}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"polyCylinder", "negative height divisions", {{"sh", {-2}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"polyCylinder", "along -Y", {{"ax", {0, -1, 0}}, {"sc", {1}}, {"cuv", {3}}}, "polyCylinder_default.ma", 0,
         false, kWhole, halfAboutX},
        {"polyCylinder", "NaN radius", {{"r", {nan}}}, "", 0, true},
        {"polyCylinder", "subdivided caps", {{"sc", {2}}}, "", 0, true},
        {"polyCone", "default", {{"cuv", {3}}}, "polyCone_default.ma", 0, false},
        // That scene's six-sided cones all have hard spokes where every 20-sided one keeps them smooth.
        {"polyCone", "six sides, three levels", {{"sa", {6}}, {"sh", {3}}, {"cuv", {3}}}, "polyCone_sa6_sh3.ma", 0,
         false, kLayoutOnly},
        {"polyCone", "two axis divisions", {{"sa", {2}}, {"cuv", {3}}}, "", 1, false},
        {"polyCone", "zero height divisions", {{"sh", {0}}, {"cuv", {3}}}, "", 1, false},
        {"polyCone", "along X", {{"ax", {1, 0, 0}}, {"cuv", {3}}}, "polyCone_default.ma", 0, false, kWhole,
         quarterAboutZ},
        {"polyCone", "no axis", {{"ax", {0, 0, 0}}, {"cuv", {3}}}, "", 0, true},
        {"polyCone", "NaN height", {{"h", {nan}}}, "", 0, true},
        {"polyCone", "subdivided base", {{"sc", {1}}}, "", 0, true},

        {"polyTorus", "default", {}, "polyTorus_default.ma", 0, false},
        {"polyTorus", "10 x 10, thin section", {{"sa", {10}}, {"sh", {10}}, {"sr", {0.1}}},
         "polyTorus_sa10_sh10_sr0.1.ma", 0, false},
        // These two scenes harden edges the other scenes' tori keep smooth (all of them; those around the axis).
        {"polyTorus", "8 x 8, radius 3.6178865", {{"sa", {8}}, {"sh", {8}}, {"r", {3.6178865}}},
         "polyTorus_sa8_sh8_r3.6178865.ma", 0, false, kLayoutOnly},
        // The one reference with other counts around the axis than around the section: .sa and .sh apart.
        {"polyTorus", "20 x 12, radius 3.5, section 0.15", {{"sh", {12}}, {"r", {3.5}}, {"sr", {0.15}}},
         "polyTorus_sh12_r3.5_sr0.15.ma", 0, false, kLayoutOnly},
        // No baked torus, pipe, pyramid or prism built about another axis was found: the turned rows expect the
        // reference turned by the shortest arc, as the baked planes turn.
        {"polyTorus", "about X, no UVs", {{"ax", {1, 0, 0}}, {"cuv", {0}}}, "polyTorus_default.ma", 0, false,
         kWithoutUVs, quarterAboutZ},
        {"polyTorus", "no axis divisions", {{"sa", {0}}}, "", 1, false},
        {"polyTorus", "negative height divisions", {{"sh", {-2}}}, "", 1, false},
        {"polyTorus", "NaN radius", {{"r", {nan}}}, "", 0, true},
        {"polyTorus", "twisted", {{"tw", {30}}}, "", 0, true},
        // As most files set them: .sc 0, which is not the default (left alone it is refused).
        {"polyPipe", "radius 0.33, height 1, thickness 0.1", {{"r", {0.33}}, {"h", {1}}, {"t", {0.1}}, {"sc", {0}}},
         "polyPipe_r0.33_h1_t0.1.ma", 0, false},
        {"polyPipe", "radius 1.3364635, height 1.3241384, thickness 0.6",
         {{"r", {1.33646345}}, {"h", {1.3241384}}, {"t", {0.6}}, {"sc", {0}}}, "polyPipe_r1.3364635_h1.3241384_t0.6.ma",
         0, false},
        {"polyPipe", "about X, no UVs",
         {{"r", {0.33}}, {"h", {1}}, {"t", {0.1}}, {"sc", {0}}, {"ax", {1, 0, 0}}, {"cuv", {0}}},
         "polyPipe_r0.33_h1_t0.1.ma", 0, false, kWithoutUVs, pipeOntoX},
        {"polyPipe", "two axis divisions", {{"sa", {2}}, {"sc", {0}}}, "", 1, false},
        {"polyPipe", "NaN thickness", {{"t", {nan}}, {"sc", {0}}}, "", 0, true},
        {"polyPipe", "caps left at the node's default", {}, "", 0, true},
        {"polyPipe", "two spans", {{"sh", {2}}, {"sc", {0}}}, "", 0, true},

        // Pyramids and prisms as the Create menu makes them (.cuv 3 is written by every file that has one).
        {"polyPyramid", "default", {{"cuv", {3}}}, "polyPyramid_default.ma", 0, false},
        {"polyPyramid", "three sides", {{"ns", {3}}, {"cuv", {3}}}, "polyPyramid_ns3.ma", 0, false},
        {"polyPyramid", "base rings and levels", {{"sc", {3}}, {"sh", {5}}, {"cuv", {3}}}, "polyPyramid_sh5_sc3.ma", 0,
         false},
        {"polyPyramid", "along X, no UVs", {{"ax", {1, 0, 0}}, {"cuv", {0}}}, "polyPyramid_default.ma", 0, false,
         kWithoutUVs, quarterAboutZ},
        {"polyPyramid", "two sides", {{"ns", {2}}, {"cuv", {3}}}, "polyPyramid_ns3.ma", 1, false},
        {"polyPyramid", "no levels", {{"sh", {0}}, {"sc", {1}}, {"cuv", {3}}}, "", 1, false},
        {"polyPyramid", "NaN side", {{"w", {nan}}}, "", 0, true},
        {"polyPyramid", "levels over an undivided base", {{"sh", {2}}}, "", 0, true},
        {"polyPrism", "default", {{"cuv", {3}}}, "polyPrism_default.ma", 0, false},
        // The length read back from the reference's points; a 2015 file has the pre-2023 UVs, which .ouv asks for
        // in later files.
        {"polyPrism", "five sides, pre-2023 file", {{"ns", {5}}, {"w", {0.5}}, {"l", {3.95901346}}, {"cuv", {3}}},
         "polyPrism_ns5_w0.5_l3.959.ma", 0, false, kWhole, nullptr, 0, 2015},
        {"polyPrism", "five sides, pre-2023 UVs asked for",
         {{"ns", {5}}, {"w", {0.5}}, {"l", {3.95901346}}, {"ouv", {1}}, {"cuv", {3}}}, "polyPrism_ns5_w0.5_l3.959.ma", 0,
         false, kWhole, nullptr, 0, 2024},
        {"polyPrism", "along X, no UVs", {{"ax", {1, 0, 0}}, {"cuv", {0}}}, "polyPrism_default.ma", 0, false,
         kWithoutUVs, quarterAboutZ},
        {"polyPrism", "two sides", {{"ns", {2}}, {"cuv", {3}}}, "polyPrism_default.ma", 1, false},
        {"polyPrism", "NaN length", {{"l", {nan}}}, "", 0, true},
        {"polyPrism", "levels", {{"sh", {2}}}, "", 0, true},
        {"polyPlatonic", "default", {}, "polyPlatonic_default.ma", 0, false},
        {"polyPlatonic", "negative subdivisions, no UVs", {{"subdivisions", {-1}}, {"cuv", {0}}},
         "polyPlatonic_default.ma", 1, false, kWithoutUVs},
        {"polyPlatonic", "another UV mode", {{"cuv", {3}}}, "polyPlatonic_default.ma", 1, false, kWithoutUVs},
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
        const auto uvMode = c.values.find("cuv");
        if (uvMode != c.values.end() && uvMode->second[0] == 0) {
            EXPECT_TRUE(result.mesh.uvSets.empty() || result.mesh.uvSets[0].uvs.empty());
        }
        if (c.points) {
            EXPECT_EQ(result.mesh.points.size(), size_t(c.points));
        }
        if (!*c.reference)
            continue;
        headless::PolyMesh expected = historytest::loadReferenceMesh(historytest::referencePath(c.reference));
        headless::PolyMesh actual = result.mesh;
        if (c.turn)
            for (headless::Vec3& p : expected.points)
                p = c.turn(p);
        if (c.compare & kWithoutUVs)
            for (headless::PolyUVSet& set : expected.uvSets) {
                set.uvs.clear();
                set.cornerUVs.clear();
            }
        if (c.compare & kLayoutOnly)
            for (headless::PolyMesh* mesh : {&expected, &actual})
                for (headless::PolyEdge& edge : mesh->edges)
                    edge.smooth = true;
        if (c.compare & kFloatSteps)
            historytest::expectSameMesh(expected, actual, 1, false);
        else
            historytest::expectSameMesh(expected, actual);
    }

    // UV mode 1 on a plane whose longer side is 1 (the corpus's color_management.ma): either reading of the
    // mode gives the UVs of the ratio kept.
    const Values halfHigh = {{"h", {0.5}}, {"sw", {1}}, {"sh", {1}}};
    const Values kept = {{"h", {0.5}}, {"sw", {1}}, {"sh", {1}}, {"cuv", {2}}};
    const headless::HistoryResult mode1 = historytest::evaluateGenerator("polyPlane", halfHigh);
    ASSERT_TRUE(mode1.evaluated) << mode1.error;
    historytest::expectSameMesh(historytest::evaluateGenerator("polyPlane", kept).mesh, mode1.mesh, 0, false);
}

}  // namespace
