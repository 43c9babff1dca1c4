#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <headless/scene.h>

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

class SceneScanTest : public CaptureTest {};

// (Visible and hidden meshes, cameras, curves and lattices of a whole scene and what a selection leaves out: the
// model capture tests; both instances of a selected shape: the scene-walk selection test; Bezier patches of a
// surface: the NURBS capture tests.)
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
        {"a deformed mesh with its intermediate input shape",
         [] {
             makeMesh("pDeformed1", "pDeformed1Shape");
             headless::setIntermediate(
                 headless::createMesh("pDeformed1ShapeOrig", headless::findNode("pDeformed1"), cubeData()), true);
         },
         1, {}, {1, 0, 0, 0, 0, 0}, {}},
        {"one light of each kind, counted at its transform only",
         [] {
             headless::createLight(headless::LightKind::Ambient, "a", headless::createTransform("ambient1"));
             headless::createLight(headless::LightKind::Directional, "d", headless::createTransform("directional1"));
             headless::createLight(headless::LightKind::Point, "p", headless::createTransform("point1"));
             headless::createLight(headless::LightKind::Spot, "s", headless::createTransform("spot1"));
         },
         1, {}, {0, 0, 0, 0, 0, 4}, {}},
        {"NURBS surfaces of 4x4, 10x7 and a non-Bezier one",
         [] {
             makeSurface("surface1", 4, 4, true);
             makeSurface("surface2", 10, 7, true);
             makeSurface("surface3", 7, 7, false);
         },
         1, {}, {0, 1 + 6, 0, 0, 0, 0}, {"Warning: NURBS surface is not bezier.\n"}},
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

} // namespace
