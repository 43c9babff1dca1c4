#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/lattice_capture.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

// A model whose frame holds captured meshes with the given shape names and one lattice record.
struct LatticeModel : FrameModel {
    explicit LatticeModel(const std::vector<std::string>& shapeNames)
    {
        frame().numMeshes = static_cast<int32_t>(shapeNames.size());
        frame().meshes = allocateArray<Mesh>("frame->meshes", shapeNames.size());
        for (size_t i = 0; i < shapeNames.size(); ++i)
            copyFixedText(frame().meshes[i].shapeName, NAME_SIZE, shapeNames[i].c_str());
        frame().numLattices = 1;
        frame().lattices = allocateArray<Lattice>("frame->lattices", 1);
    }
    Lattice& lattice() { return frame().lattices[0]; }
};

class LatticeCaptureTest : public CaptureTest {};

// Lattice point (a, b, c) of the test lattices, distinct for every index.
headless::Vec3 latticePoint(unsigned a, unsigned b, unsigned c)
{
    return {a + 0.5, -2.0 * b, 10.0 * c + 0.25};
}

MObject makeLattice(unsigned s, unsigned t, unsigned u)
{
    std::vector<headless::Vec3> points;
    for (unsigned a = 0; a < s; ++a)
        for (unsigned b = 0; b < t; ++b)
            for (unsigned c = 0; c < u; ++c)
                points.push_back(latticePoint(a, b, c));
    return headless::createLattice("ffd1LatticeShape", headless::createTransform("ffd1Lattice"), s, t, u, points);
}

std::string boundsLine(const char* label, const float v[3])
{
    char text[128];
    snprintf(text, sizeof(text), "  %s: %f %f %f\n", label, v[0], v[1], v[2]);
    return text;
}

// The points are stored U fastest and times the export scale; the divisions are three sizes apart, so that an index
// taken along the wrong one shows. (The bounds of the points: the model capture test's lattice lines.)
TEST_F(LatticeCaptureTest, RecordsThePointsAndTheCapturedMeshesItDeforms)
{
    const unsigned s = 4, t = 2, u = 3;
    const float scale = 3.0f;
    exportScale = scale;
    const std::vector<std::string> captured = {"pSphereShape1", "pConeShape1", "pPlaneShape1", "pCubeShape1"};
    std::vector<std::string> twelve;
    for (int i = 0; i < 12; ++i)
        twelve.push_back("pCubeShape" + std::to_string(i + 2));
    struct Case {
        const char* name;
        std::vector<std::string> deformed; // shape names in the deformer's order
        std::vector<int32_t> attached;
        std::vector<std::string> attachLines; // lines between "Loading Lattice..." and the point count
    } cases[] = {
        {"twoCaptured",
         {"pCubeShape1", "PSPHERESHAPE1"},
         {3, 0},
         {"  Connected mesh 'pCubeShape1'\n", "  Connected mesh 'PSPHERESHAPE1'\n"}},
        {"notCaptured",
         {"pTorusShape1", "pConeShape1"},
         {-1, 1},
         {"  Connected mesh 'pTorusShape1'\n",
          "  Warning: Could not find geometry 'pTorusShape1' attached to the lattice.\n",
          "  Connected mesh 'pConeShape1'\n"}},
        {"twelve", twelve, std::vector<int32_t>(10, -1), {}},
        {"noDeformer", {}, {}, {"  Warning: Could not find connected geometry for lattice 'ffd1LatticeShape' \n"}},
    };
    for (const std::string& name : twelve) {
        cases[2].attachLines.push_back("  Connected mesh '" + name + "'\n");
        cases[2].attachLines.push_back(cases[2].attachLines.size() < 20
                                           ? "  Warning: Could not find geometry '" + name + "' attached to the lattice.\n"
                                           : "  Warning: Too many attached geometries.\n");
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        MObject lattice = makeLattice(s, t, u);
        std::vector<MObject> shapes;
        for (const std::string& name : c.deformed)
            shapes.push_back(makeMesh(name + "Transform", name));
        if (!shapes.empty())
            headless::createFfd("ffd1", lattice, shapes);
        LatticeModel scene(captured);
        const int32_t before = newAllocations();
        log.clear();
        EXPECT_TRUE(loadLattice(headless::pathTo(lattice), scene.lattice(), scene.model, UP_AXIS_Y));

        const Lattice& record = scene.lattice();
        ASSERT_EQ(record.numAttached, static_cast<int32_t>(c.attached.size()));
        for (size_t i = 0; i < c.attached.size(); ++i)
            EXPECT_EQ(record.attached[i], c.attached[i]) << i;
        EXPECT_EQ(newAllocations(), before + 1);
        EXPECT_EQ(record.sDivisions, s);
        EXPECT_EQ(record.tDivisions, t);
        EXPECT_EQ(record.uDivisions, u);
        for (unsigned i = 0; i < s; ++i) {
            for (unsigned j = 0; j < t; ++j) {
                for (unsigned k = 0; k < u; ++k) {
                    headless::Vec3 p = latticePoint(i, j, k);
                    const float* stored = record.latticePoints + ((i * t + j) * u + k) * 3;
                    EXPECT_EQ(stored[0], static_cast<float>(p.x * scale)) << i << " " << j << " " << k;
                    EXPECT_EQ(stored[1], static_cast<float>(p.y * scale)) << i << " " << j << " " << k;
                    EXPECT_EQ(stored[2], static_cast<float>(p.z * scale)) << i << " " << j << " " << k;
                }
            }
        }
        std::vector<std::string> expected = {"Loading Lattice...\n"};
        expected.insert(expected.end(), c.attachLines.begin(), c.attachLines.end());
        expected.push_back("  Lattice: Num lattice points 4 2 3\n");
        expected.push_back(boundsLine("Mins", record.mins));
        expected.push_back(boundsLine("Maxs", record.maxs));
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

} // namespace
