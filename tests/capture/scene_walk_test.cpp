#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/scene_scan.h"
#include "capture/scene_walk.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

using Visit = std::pair<std::string, SceneNodeState>; // the path ("<world>" for the root) and its state

struct Recorder {
    std::vector<Visit> visits;
};

bool record(const MDagPath& path, SceneNodeState state, void* context)
{
    static_cast<Recorder*>(context)->visits.push_back(
        {path.length() == 0 ? std::string("<world>") : fullPath(path), state});
    return true;
}

std::vector<std::string> pathsOf(const std::vector<Visit>& visits)
{
    std::vector<std::string> paths;
    for (const Visit& visit : visits)
        paths.push_back(visit.first);
    return paths;
}

class SceneWalkTest : public CaptureTest {};

// (The whole scene breadth first from the world, hidden nodes and intermediate shapes: the model capture's
// walk-order test and the scene-scan tests; the states of every path: the carried-state test below.)
TEST_F(SceneWalkTest, SelectionVisitsEachPathOnceAndSkipsNonDagItems)
{
    MObject group = headless::createTransform("group1");
    makeMesh("pCube1", "pCubeShape1", cubeData(), group);
    MObject shared = makeMesh("pCube2", "pCubeShape2");
    MObject second = headless::createTransform("pCube3");
    ASSERT_TRUE(headless::addInstance(shared, second));
    headless::createShader("blinn", "blinn1");

    struct Case {
        const char* what;
        std::vector<std::string> selection;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"a group and a mesh inside it",
         {"group1", "|group1|pCube1|pCubeShape1"},
         {"|group1", "|group1|pCube1", "|group1|pCube1|pCubeShape1"}},
        {"a transform and its own shape", {"pCube2", "|pCube2|pCubeShape2"}, {"|pCube2", "|pCube2|pCubeShape2"}},
        {"two instances of one shape",
         {"pCube2", "pCube3"},
         {"|pCube2", "|pCube2|pCubeShape2", "|pCube3", "|pCube3|pCubeShape2"}},
        {"a shader among the geometry", {"blinn1", "pCube2"}, {"|pCube2", "|pCube2|pCubeShape2"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(headless::select(c.selection));
        Recorder recorder;
        EXPECT_TRUE(walkScene(2, record, &recorder));
        EXPECT_EQ(pathsOf(recorder.visits), c.expected);
    }
    EXPECT_EQ(log.text(), "");
}

// The walks carry each path's hidden state down from its parent instead of reading every ancestor again
// (which made a deep scene cost time quadratic in its depth); every state must still be the one the
// ancestors give, for both walks, through instances hidden on one path only and overlapping selections.
TEST_F(SceneWalkTest, CarriedStatesAgreeWithTheAncestorsOfEveryPath)
{
    MObject top = headless::createTransform("top");
    MObject hiddenTop = headless::createTransform("hiddenTop");
    headless::setVisible(hiddenTop, false);
    MObject middle = headless::createTransform("middle", top);
    MObject shared = headless::createTransform("shared", middle);
    makeMesh("leaf", "leafShape", cubeData(), shared);
    headless::addInstance(shared, hiddenTop); // one path hidden by its parent, one not
    MObject hiddenMiddle = headless::createTransform("hiddenMiddle", top);
    headless::setVisible(hiddenMiddle, false);
    MObject below = headless::createTransform("below", hiddenMiddle);
    makeMesh("deep", "deepShape", cubeData(), below);
    headless::addInstance(below, top); // a second path to the same subtree, visible
    MObject chain = top;
    for (int level = 0; level < 40; ++level) {
        chain = headless::createTransform("chain" + std::to_string(level), chain);
        if (level == 25)
            headless::setVisible(chain, false);
    }
    makeMesh("end", "endShape", cubeData(), chain);

    struct Case {
        const char* what;
        int32_t mode;
        std::vector<std::string> selection;
    };
    const Case cases[] = {
        {"whole scene", 1, {}},
        {"overlapping selection", 2, {"|top|middle", "|top", "|hiddenTop|shared", "|top|below"}},
        {"selection below a hidden node", 2, {"|top|hiddenMiddle|below|deep", "|top|chain0|chain1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.selection.empty()) {
            ASSERT_TRUE(headless::select(c.selection));
        }
        Recorder recorder;
        ASSERT_TRUE(walkScene(c.mode, record, &recorder));
        ASSERT_GT(recorder.visits.size(), 40u);
        size_t hidden = 0;
        for (const Visit& visit : recorder.visits) {
            if (visit.first == "<world>" || visit.second == SCENE_NODE_INTERMEDIATE)
                continue;
            MDagPath path = headless::pathTo(visit.first);
            ASSERT_TRUE(path.isValid()) << visit.first;
            SceneNodeState expected = isHiddenOnPath(path) ? SCENE_NODE_HIDDEN : SCENE_NODE_ACCEPTED;
            EXPECT_EQ(visit.second, expected) << visit.first;
            hidden += visit.second == SCENE_NODE_HIDDEN;
        }
        EXPECT_GT(hidden, 0u) << "the scene hides some paths in every case";
    }
}

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
