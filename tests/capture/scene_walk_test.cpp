#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/model_capture.h"
#include "capture/scene_scan.h"
#include "capture/scene_walk.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

using Visit = std::pair<std::string, SceneNodeState>; // the path ("<world>" for the root) and its state

// The walk's visitor: records each visit in the std::vector<Visit> it is given.
bool record(const MDagPath& path, SceneNodeState state, void* visits)
{
    std::string name = path.length() == 0 ? std::string("<world>") : path.fullPathName().asChar();
    static_cast<std::vector<Visit>*>(visits)->push_back({name, state});
    return true;
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
        std::vector<Visit> visits;
        EXPECT_TRUE(walkScene(2, record, &visits));
        std::vector<std::string> paths;
        for (const Visit& visit : visits)
            paths.push_back(visit.first);
        EXPECT_EQ(paths, c.expected);
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
        ASSERT_TRUE(c.selection.empty() || headless::select(c.selection));
        std::vector<Visit> visits;
        ASSERT_TRUE(walkScene(c.mode, record, &visits));
        ASSERT_GT(visits.size(), 40u);
        size_t hidden = 0;
        for (const Visit& visit : visits) {
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
        ASSERT_TRUE(c.selection.empty() || headless::select(c.selection));
        log.clear();
        Counts counts;
        counts.fill(-1); // the scan must zero them itself
        EXPECT_TRUE(countSceneObjects(c.captureMode, counts[0], counts[1], counts[2], counts[3], counts[4], counts[5]));
        EXPECT_EQ(counts, c.expected);
        EXPECT_EQ(log.lines(), c.log);
    }
}

MObject blinnGroup()
{
    return headless::createShadingGroup("blinn1SG", headless::createShader("blinn", "blinn1"));
}

// One of every kind, plus a hidden mesh, in this creation (and so breadth-first) order:
// pCube1, hidden1, nurbsPlane1, curve1, ffd1Lattice, camera1, pointLight1.
void buildEveryKind()
{
    headless::emptyScene();
    MObject group = blinnGroup();
    MObject cube = makeMesh("pCube1", "pCubeShape1");
    headless::assign(group, cube);
    MObject hidden = headless::createTransform("hidden1");
    headless::setVisible(hidden, false);
    headless::assign(group, makeMesh("hiddenPlane1", "hiddenPlaneShape1", cubeData(), hidden));
    headless::assign(group, makeSurface("nurbsPlane1", 7, 4, true));
    headless::createNurbsCurve("curveShape1", headless::createTransform("curve1"),
                               {3, {{0, 0, 0}, {1, 1, 0}, {2, -1, 0}, {3, 0, 0}}});
    MObject lattice = headless::createLattice("ffd1LatticeShape", headless::createTransform("ffd1Lattice"), 2, 2, 2);
    headless::createFfd("ffd1", lattice, {cube});
    MObject cameraTransform = headless::createTransform("camera1");
    headless::setTranslate(cameraTransform, 0, 0, 10);
    headless::createCamera("cameraShape1", cameraTransform);
    MObject lightTransform = headless::createTransform("pointLight1");
    headless::setTranslate(lightTransform, 1, 2, 3);
    headless::createLight(headless::LightKind::Point, "pointLightShape1", lightTransform);
}

class GetMayaModelData : public CaptureTest {};

Counts countsOf(const Frame& frame)
{
    return {frame.numMeshes,   frame.numNURBS,    frame.numNURBSCurves,
            frame.numLattices, frame.numCameras, frame.numLights};
}

bool logged(const Lines& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(GetMayaModelData, CapturesEveryKindInWalkOrder)
{
    buildEveryKind();
    log.clear();
    Model model = {};

    ASSERT_TRUE(getMayaModelData(model, CAPTURE_WHOLE_SCENE, 0, UP_AXIS_Y));

    ASSERT_EQ(model.numFrames, 1);
    EXPECT_EQ(model.numMaterials, 1);
    const Frame& frame = model.frames[0];
    ASSERT_EQ(countsOf(frame), (Counts{1, 2, 1, 1, 1, 1}));
    EXPECT_STREQ(frame.meshes[0].shapeName, "pCubeShape1");
    EXPECT_NE(frame.NURBS[1].controlPoints, nullptr);
    EXPECT_STREQ(frame.NURBSCurves[0].name, "curveShape1"); // "Shape" does not end the name
    EXPECT_EQ(frame.lattices[0].numAttached, 1);
    EXPECT_EQ(frame.lattices[0].attached[0], 0);
    EXPECT_EQ(frame.cameras[0].eyePoint[2], 10.0f);
    EXPECT_EQ(frame.lights[0].type, 1);
    EXPECT_EQ(frame.lights[0].position[1], 2.0f);

    const Lines expected = {
        "  Getting meshes from maya data...\n", "    Found: 1 meshes.\n", "    Loading all meshes.\n",
        "      Node is not visible\n", // hidden1
        "      Loading mesh.\n", "        loadMesh: Surface: 'pCube1'\n",
        "        loadMesh: Allocating memory for the polyset\n",
        "        loadMesh: Finished initializing iterators, allocing memory for 8 verts\n",
        "        Found material: 'blinn1'\n", "        No axis conversion\n",
        "        loadMesh: Generating polygons...\n", "      Successful\n",
        "      Node is not visible\n", // hiddenPlane1 below hidden1
        "      Node is not visible\n", // its shape
        "    Successful.\n", "  Successful.\n", "  Getting meshes from maya data...\n",
        "    Found: 2 NURBS, 1 NURBS Curves, 1 lattices, 1 cameras, 1 lights.\n", "    Loading all misc geometry.\n",
        "      Node is not visible\n", // hidden1
        "      Loading Light...\n", "        Position: 1.000000 2.000000 3.000000.\n",
        "        Color: 1.000000 1.000000 1.000000\n", "        Loading point light.\n", "      Successful.\n",
        "      Node is not visible\n", // hiddenPlane1
        "      Loading NURBS... 'nurbsPlane1'\n", "        Found material: 'blinn1'\n",
        "        Found material: 'blinn1'\n", "      Successful.\n", "      Loading NURBS curve... 'curveShape1'\n",
        "      Successful.\n", "      Loading Lattice...\n", "        Connected mesh 'pCubeShape1'\n",
        "        Lattice: Num lattice points 2 2 2\n", "        Mins: -0.500000 -0.500000 -0.500000\n",
        "        Maxs: 0.500000 0.500000 0.500000\n", "      Successful.\n", "      Loading Camera...\n",
        "        Camera eye at: 0.000000 0.000000 10.000000.\n", "        Camera COI at: 0.000000 0.000000 5.000000.\n",
        "      Successful.\n",
        "      Node is not visible\n", // hiddenPlaneShape1
        "    Successful.\n", "  Successful.\n", "Successful.\n"};
    // From the first capture stage on: the material stage before it is its own unit's.
    Lines lines = log.lines();
    EXPECT_EQ(Lines(std::find(lines.begin(), lines.end(), expected[0]), lines.end()), expected);
    EXPECT_EQ(std::string(logIndent), "");

    freeModel(model);
    EXPECT_EQ(newAllocations(), 0);
}

TEST_F(GetMayaModelData, SelectionWalksOnlyTheSelectedSubTrees)
{
    const char* meshLine = "    Loading meshes using current selection.\n";
    const char* miscLine = "    Loading misc geometry using current selection.\n";
    struct Case {
        const char* name;
        std::vector<std::string> selection;
        Counts counts;
        std::vector<std::string> mustContain;
    } cases[] = {
        {"latticeWithoutItsMesh", {"ffd1Lattice"}, {0, 0, 0, 1, 0, 0},
         {meshLine, miscLine, "    Warning: No meshes found!\n", "    Found: 0 meshes.\n",
          "        Warning: Could not find geometry 'pCubeShape1' attached to the lattice.\n"}},
        {"hiddenParentSelected", {"hidden1", "nurbsPlane1", "curve1"}, {0, 2, 1, 0, 0, 0},
         {meshLine, miscLine, "      Node is not visible\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        buildEveryKind();
        ASSERT_TRUE(headless::select(c.selection));
        log.clear();
        Model model = {};

        ASSERT_TRUE(getMayaModelData(model, CAPTURE_SELECTION, 0, UP_AXIS_Y));
        const Frame& frame = model.frames[0];
        EXPECT_EQ(countsOf(frame), c.counts);
        if (frame.numLattices > 0) {
            ASSERT_EQ(frame.lattices[0].numAttached, 1);
            EXPECT_EQ(frame.lattices[0].attached[0], -1);
        }
        Lines lines = log.lines();
        for (const std::string& line : c.mustContain)
            EXPECT_TRUE(logged(lines, line)) << line;
        // Scan and loops agree: no loop ever finds more than the scan counted.
        for (const std::string& line : lines)
            EXPECT_EQ(line.find("Tried to load more"), std::string::npos) << line;

        freeModel(model);
        EXPECT_EQ(newAllocations(), 0);
    }
}

// (A failed material stage releases its table: the material capture's table-shape tests; a failed mesh stage
// releases everything: the plug-in's empty-selection export test.)
TEST_F(GetMayaModelData, NonBezierSurfacesUseOnlyRecordsOthersReserved)
{
    struct Case {
        const char* name;
        bool bezierAfter; // a Bezier surface created after the non-Bezier one
        int32_t patches;
        Lines misc; // the misc walk's lines, to its end
    } cases[] = {
        {"alone", false, 0, {"      Error: Tried to load more NURBS than model->numNURBS.\n", "    Successful.\n"}},
        {"beforeABezierSurface", true, 1,
         {"      Loading NURBS... 'bumpy1'\n", "        Warning: NURBS surface is not bezier.\n",
          "        Found material: 'blinn1'\n", "        Error: Trying to export too many NURBS\n",
          "      Successful.\n", "      Error: Tried to load more NURBS than model->numNURBS.\n",
          "    Successful.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        MObject group = blinnGroup();
        headless::assign(group, makeMesh("pCube1", "pCubeShape1"));
        headless::assign(group, makeSurface("bumpy1", 7, 4, false));
        if (c.bezierAfter)
            headless::assign(group, makeSurface("smooth1", 4, 4, true));
        log.clear();
        Model model = {};

        ASSERT_TRUE(getMayaModelData(model, CAPTURE_WHOLE_SCENE, 0, UP_AXIS_Y));
        EXPECT_EQ(model.frames[0].numNURBS, c.patches);

        Lines lines = log.lines();
        auto start = std::find(lines.begin(), lines.end(), "    Loading all misc geometry.\n");
        ASSERT_NE(start, lines.end());
        EXPECT_EQ(Lines(start + 1, lines.end() - 2), c.misc);
        freeModel(model);
        EXPECT_EQ(newAllocations(), 0);
    }
}

} // namespace
