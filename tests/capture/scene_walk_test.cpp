#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/scene_walk.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

struct Visit {
    std::string path; // "<world>" for the root
    SceneNodeState state;
    bool operator==(const Visit& other) const { return path == other.path && state == other.state; }
};

void PrintTo(const Visit& visit, std::ostream* out)
{
    *out << visit.path << " state " << visit.state;
}

struct Recorder {
    std::vector<Visit> visits;
    size_t stopAfter = 0; // 0: never stop
};

bool record(const MDagPath& path, SceneNodeState state, void* context)
{
    Recorder& recorder = *static_cast<Recorder*>(context);
    recorder.visits.push_back({path.length() == 0 ? std::string("<world>") : fullPath(path), state});
    return recorder.stopAfter == 0 || recorder.visits.size() < recorder.stopAfter;
}

std::vector<std::string> pathsOf(const std::vector<Visit>& visits)
{
    std::vector<std::string> paths;
    for (const Visit& visit : visits)
        paths.push_back(visit.path);
    return paths;
}

class SceneWalkTest : public CaptureTest {};

TEST_F(SceneWalkTest, WholeSceneIsBreadthFirstFromTheWorldWithEachNodesState)
{
    MObject group = headless::createTransform("group1");
    makeMesh("pCube1", "pCubeShape1", cubeData(), group);
    MObject hidden = headless::createTransform("hidden1");
    headless::setVisible(hidden, false);
    makeMesh("pHidden1", "pHiddenShape1", cubeData(), hidden);
    MObject deformed = headless::createTransform("pDeformed1");
    headless::createMesh("pDeformedShape1", deformed, cubeData());
    MObject original = headless::createMesh("pDeformedShape1Orig", deformed, cubeData());
    headless::setIntermediate(original, true);
    headless::setVisible(original, false); // intermediate is reported first, whatever the visibility

    Recorder recorder;
    EXPECT_TRUE(walkScene(1, record, &recorder));
    std::vector<Visit> expected = {
        {"<world>", SCENE_NODE_ACCEPTED},
        {"|group1", SCENE_NODE_ACCEPTED},
        {"|hidden1", SCENE_NODE_HIDDEN},
        {"|pDeformed1", SCENE_NODE_ACCEPTED},
        {"|group1|pCube1", SCENE_NODE_ACCEPTED},
        {"|hidden1|pHidden1", SCENE_NODE_HIDDEN},
        {"|pDeformed1|pDeformedShape1", SCENE_NODE_ACCEPTED},
        {"|pDeformed1|pDeformedShape1Orig", SCENE_NODE_INTERMEDIATE},
        {"|group1|pCube1|pCubeShape1", SCENE_NODE_ACCEPTED},
        {"|hidden1|pHidden1|pHiddenShape1", SCENE_NODE_HIDDEN},
    };
    EXPECT_EQ(recorder.visits, expected);
    EXPECT_EQ(log.text(), "") << "the walk itself is silent";
}

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
        {"the mesh first, then its group",
         {"|group1|pCube1|pCubeShape1", "group1"},
         {"|group1|pCube1|pCubeShape1", "|group1", "|group1|pCube1"}},
        {"a transform and its own shape", {"pCube2", "|pCube2|pCubeShape2"}, {"|pCube2", "|pCube2|pCubeShape2"}},
        {"two instances of one shape",
         {"pCube2", "pCube3"},
         {"|pCube2", "|pCube2|pCubeShape2", "|pCube3", "|pCube3|pCubeShape2"}},
        {"a shader among the geometry", {"blinn1", "pCube2"}, {"|pCube2", "|pCube2|pCubeShape2"}},
        {"only a shader", {"blinn1"}, {}},
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

TEST_F(SceneWalkTest, EmptySelectionAndAStoppingVisitorEndTheWalk)
{
    makeMesh("pCube1", "pCubeShape1");
    headless::clearSelection();
    Recorder nothing;
    EXPECT_FALSE(walkScene(2, record, &nothing));
    EXPECT_TRUE(nothing.visits.empty());
    EXPECT_EQ(log.lines(), lines({"Error: Nothing is selected.\n"}));

    log.clear();
    Recorder stopping;
    stopping.stopAfter = 2;
    EXPECT_FALSE(walkScene(1, record, &stopping));
    EXPECT_EQ(stopping.visits.size(), 2u);
    EXPECT_EQ(log.text(), "") << "the visitor logs its own reason";

    ASSERT_TRUE(headless::select({"pCube1"}));
    Recorder stoppingSelection;
    stoppingSelection.stopAfter = 1;
    EXPECT_FALSE(walkScene(2, record, &stoppingSelection));
    EXPECT_EQ(pathsOf(stoppingSelection.visits), std::vector<std::string>{"|pCube1"});
}

TEST_F(SceneWalkTest, HiddenMeansTheNodeOrAnyAncestorOnThisPath)
{
    MObject shape = makeMesh("pCube1", "pCubeShape1");
    MObject other = headless::createTransform("pCube2");
    ASSERT_TRUE(headless::addInstance(shape, other));
    MObject outer = headless::createTransform("outer");
    MObject inner = headless::createTransform("inner", outer);
    MObject deep = makeMesh("deep", "deepShape", cubeData(), inner);

    struct Case {
        const char* what;
        std::vector<std::pair<MObject, bool>> visibility; // nodes to set
        std::vector<std::pair<const char*, bool>> expected; // path, hidden
    };
    const std::vector<Case> cases = {
        {"all visible", {}, {{"|pCube1|pCubeShape1", false}, {"|pCube2|pCubeShape1", false}, {"|outer|inner|deep|deepShape", false}}},
        {"one instance's parent hidden",
         {{other, false}},
         {{"|pCube1|pCubeShape1", false}, {"|pCube2|pCubeShape1", true}, {"|pCube2", true}}},
        {"the shared shape hidden", {{shape, false}}, {{"|pCube1|pCubeShape1", true}, {"|pCube2|pCubeShape1", true}, {"|pCube1", false}}},
        {"a grandparent three levels up hidden",
         {{outer, false}},
         {{"|outer|inner|deep|deepShape", true}, {"|outer|inner", true}, {"|outer", true}}},
        {"only the middle one hidden", {{inner, false}}, {{"|outer|inner|deep|deepShape", true}, {"|outer", false}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (MObject node : {shape, other, outer, inner, deep})
            headless::setVisible(node, true);
        for (const auto& setting : c.visibility)
            headless::setVisible(setting.first, setting.second);
        for (const auto& expectation : c.expected) {
            MDagPath path = headless::pathTo(expectation.first);
            ASSERT_TRUE(path.isValid()) << expectation.first;
            EXPECT_EQ(isHiddenOnPath(path), expectation.second) << expectation.first;
        }
    }
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
            if (visit.path == "<world>" || visit.state == SCENE_NODE_INTERMEDIATE)
                continue;
            MDagPath path = headless::pathTo(visit.path);
            ASSERT_TRUE(path.isValid()) << visit.path;
            SceneNodeState expected = isHiddenOnPath(path) ? SCENE_NODE_HIDDEN : SCENE_NODE_ACCEPTED;
            EXPECT_EQ(visit.state, expected) << visit.path;
            hidden += visit.state == SCENE_NODE_HIDDEN;
        }
        EXPECT_GT(hidden, 0u) << "the scene hides some paths in every case";
    }
}

} // namespace
