#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/scene_scan.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

using Counts = std::array<int32_t, 6>; // meshes, NURBS patches, curves, lattices, cameras, lights

bool scan(int32_t captureMode, Counts& c)
{
    c.fill(-1); // the scan must zero them itself
    return countSceneObjects(captureMode, c[0], c[1], c[2], c[3], c[4], c[5]);
}

MObject deformedMesh(const std::string& name)
{
    MObject transform = headless::createTransform(name);
    headless::createMesh(name + "Shape", transform, cubeData());
    MObject original = headless::createMesh(name + "ShapeOrig", transform, cubeData());
    headless::setIntermediate(original, true);
    return transform;
}

class SceneScanTest : public CaptureTest {};

TEST_F(SceneScanTest, CountsWhatTheCaptureWillTake)
{
    struct Case {
        const char* what;
        std::function<void()> build;
        int32_t captureMode;
        std::vector<std::string> selection;
        Counts expected;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {"an empty scene", [] {}, 1, {}, {0, 0, 0, 0, 0, 0}, {}},
        {"a visible mesh", [] { makeMesh("pCube1", "pCubeShape1"); }, 1, {}, {1, 0, 0, 0, 0, 0}, {}},
        {"a hidden mesh",
         [] { headless::setVisible(makeMesh("pCube1", "pCubeShape1"), false); }, 1, {}, {0, 0, 0, 0, 0, 0}, {}},
        {"a deformed mesh with its intermediate input shape", [] { deformedMesh("pDeformed1"); }, 1, {},
         {1, 0, 0, 0, 0, 0}, {}},
        {"one light of each kind, counted at its transform only",
         [] {
             headless::createLight(headless::LightKind::Ambient, "a", headless::createTransform("ambient1"));
             headless::createLight(headless::LightKind::Directional, "d", headless::createTransform("directional1"));
             headless::createLight(headless::LightKind::Point, "p", headless::createTransform("point1"));
             headless::createLight(headless::LightKind::Spot, "s", headless::createTransform("spot1"));
         },
         1, {}, {0, 0, 0, 0, 0, 4}, {}},
        {"a visible camera, a curve and a lattice",
         [] {
             headless::createCamera("cameraShape1", headless::createTransform("camera1"));
             headless::NurbsCurveData curve;
             curve.cvs = {{0, 0, 0}, {1, 0, 0}, {2, 1, 0}, {3, 1, 0}};
             headless::createNurbsCurve("curveShape1", headless::createTransform("curve1"), curve);
             headless::createLattice("latticeShape1", headless::createTransform("lattice1"), 2, 2, 2);
         },
         1, {}, {0, 0, 1, 1, 1, 0}, {}},
        {"NURBS surfaces of 4x4, 10x7 and a non-Bezier one",
         [] {
             makeSurface("surface1", 4, 4, true);
             makeSurface("surface2", 10, 7, true);
             makeSurface("surface3", 7, 7, false);
         },
         1, {}, {0, 1 + 6, 0, 0, 0, 0}, {"Warning: NURBS surface is not bezier.\n"}},
        {"two instances of one shape selected",
         [] { headless::addInstance(makeMesh("pCube1", "pCubeShape1"), headless::createTransform("pCube2")); }, 2,
         {"pCube1", "pCube2"}, {2, 0, 0, 0, 0, 0}, {}},
        {"a selection skips what is not selected",
         [] {
             makeMesh("pCube1", "pCubeShape1");
             makeMesh("pCube2", "pCubeShape2");
             makeSurface("surface1", 7, 4, true);
         },
         2, {"pCube2", "surface1"}, {1, 2, 0, 0, 0, 0}, {}},
        {"a selected light shape is not a light transform",
         [] { headless::createLight(headless::LightKind::Spot, "spotShape1", headless::createTransform("spot1")); }, 2,
         {"spotShape1"}, {0, 0, 0, 0, 0, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::emptyScene();
        c.build();
        if (!c.selection.empty()) {
            ASSERT_TRUE(headless::select(c.selection));
        }
        log.clear();
        Counts counts;
        EXPECT_TRUE(scan(c.captureMode, counts));
        EXPECT_EQ(counts, c.expected);
        EXPECT_EQ(log.lines(), c.log);
    }
}

TEST_F(SceneScanTest, BezierPatchesPerSurface)
{
    struct Case {
        int numCVsU, numCVsV;
        bool bezier;
        int degree;
        int32_t patches;
        std::vector<std::string> log;
    };
    const std::vector<Case> cases = {
        {4, 7, true, 3, 2, {}},
        {3, 3, true, 2, 0, {}},
        {6, 5, true, 3, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.numCVsU) + "x" + std::to_string(c.numCVsV));
        headless::emptyScene();
        MObject surface = makeSurface("surface1", c.numCVsU, c.numCVsV, c.bezier, c.degree);
        ASSERT_FALSE(surface.isNull());
        log.clear();
        EXPECT_EQ(countBezierPatches(headless::pathTo(surface)), c.patches);
        EXPECT_EQ(log.lines(), c.log);
    }

    headless::emptyScene();
    MObject mesh = makeMesh("pCube1", "pCubeShape1");
    log.clear();
    EXPECT_EQ(countBezierPatches(headless::pathTo(mesh)), 0);
    EXPECT_EQ(log.lines(), lines({"Error: Failure in MFnNurbsSurface initialization.\n"}));
}

} // namespace
