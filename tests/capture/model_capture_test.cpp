#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include <headless/scene.h>

#include "capture/model_capture.h"
#include "log/log.h"
#include "model/allocation.h"
#include "model/model.h"
#include "plugin/settings.h"
#include "support/test_support.h"

namespace {

using Lines = std::vector<std::string>;

headless::MeshData quad()
{
    headless::MeshData data;
    data.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    data.faces = {{0, 1, 2, 3}};
    return data;
}

MObject makeMesh(const std::string& transformName, const std::string& shapeName, const MObject& shadingGroup,
                 const MObject& parent = MObject::kNullObj)
{
    MObject shape = headless::createMesh(shapeName, headless::createTransform(transformName, parent), quad());
    if (!shadingGroup.isNull())
        headless::assign(shadingGroup, shape);
    return shape;
}

MObject makeSurface(const std::string& transformName, const std::string& shapeName, int numCVsU, int numCVsV,
                    bool bezier)
{
    headless::NurbsSurfaceData data;
    data.numCVsU = numCVsU;
    data.numCVsV = numCVsV;
    data.bezier = bezier;
    for (int u = 0; u < numCVsU; ++u)
        for (int v = 0; v < numCVsV; ++v)
            data.cvs.push_back({double(u), double(v), 0.0});
    return headless::createNurbsSurface(shapeName, headless::createTransform(transformName), data);
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
    MObject cube = makeMesh("pCube1", "pCubeShape1", group);
    MObject hidden = headless::createTransform("hidden1");
    headless::setVisible(hidden, false);
    makeMesh("hiddenPlane1", "hiddenPlaneShape1", group, hidden);
    headless::assign(group, makeSurface("nurbsPlane1", "nurbsPlaneShape1", 7, 4, true));
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

// The lines from the first capture stage on (the material stage before it is its own unit's).
Lines fromMeshStage(const Lines& lines)
{
    auto first = std::find(lines.begin(), lines.end(), "  Getting meshes from maya data...\n");
    return Lines(first, lines.end());
}

const Lines kCubeLines = {
    "      Loading mesh.\n",
    "        loadMesh: Surface: 'pCube1'\n",
    "        loadMesh: Allocating memory for the polyset\n",
    "        loadMesh: Finished initializing iterators, allocing memory for 4 verts\n",
    "        Found material: 'blinn1'\n",
    "        No axis conversion\n",
    "        loadMesh: Generating polygons...\n",
    "      Successful\n",
};

Lines concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace

TEST(GetMayaModelData, CapturesEveryKindInWalkOrder)
{
    buildEveryKind();
    testsupport::LogCapture log;
    const int32_t before = liveAllocations();
    Model model = {};

    ASSERT_TRUE(getMayaModelData(model, CAPTURE_WHOLE_SCENE, 0, UP_AXIS_Y));

    ASSERT_EQ(model.numFrames, 1);
    EXPECT_EQ(model.numMaterials, 1);
    const Frame& frame = model.frames[0];
    EXPECT_EQ(frame.numMeshes, 1);
    EXPECT_STREQ(frame.meshes[0].shapeName, "pCubeShape1");
    EXPECT_EQ(frame.numNURBS, 2);
    EXPECT_NE(frame.NURBS[1].controlPoints, nullptr);
    EXPECT_EQ(frame.numNURBSCurves, 1);
    EXPECT_STREQ(frame.NURBSCurves[0].name, "curveShape1"); // "Shape" does not end the name
    EXPECT_EQ(frame.numLattices, 1);
    EXPECT_EQ(frame.lattices[0].numAttached, 1);
    EXPECT_EQ(frame.lattices[0].attached[0], 0);
    EXPECT_EQ(frame.numCameras, 1);
    EXPECT_EQ(frame.cameras[0].eyePoint[2], 10.0f);
    EXPECT_EQ(frame.numLights, 1);
    EXPECT_EQ(frame.lights[0].type, 1);
    EXPECT_EQ(frame.lights[0].position[1], 2.0f);

    const Lines expected = concat({
        {"  Getting meshes from maya data...\n", "    Found: 1 meshes.\n", "    Loading all meshes.\n",
         "      Node is not visible\n"}, // hidden1
        kCubeLines,
        {"      Node is not visible\n", // hiddenPlane1 below hidden1
         "      Node is not visible\n", // its shape
         "    Successful.\n", "  Successful.\n", "  Getting meshes from maya data...\n",
         "    Found: 2 NURBS, 1 NURBS Curves, 1 lattices, 1 cameras, 1 lights.\n", "    Loading all misc geometry.\n",
         "      Node is not visible\n", // hidden1
         "      Loading Light...\n", "        Position: 1.000000 2.000000 3.000000.\n",
         "        Color: 1.000000 1.000000 1.000000\n", "        Loading point light.\n", "      Successful.\n",
         "      Node is not visible\n", // hiddenPlane1
         "      Loading NURBS... 'nurbsPlaneShape1'\n", "        Found material: 'blinn1'\n",
         "        Found material: 'blinn1'\n", "      Successful.\n", "      Loading NURBS curve... 'curveShape1'\n",
         "      Successful.\n", "      Loading Lattice...\n", "        Connected mesh 'pCubeShape1'\n",
         "        Lattice: Num lattice points 2 2 2\n", "        Mins: -0.500000 -0.500000 -0.500000\n",
         "        Maxs: 0.500000 0.500000 0.500000\n", "      Successful.\n", "      Loading Camera...\n",
         "        Camera eye at: 0.000000 0.000000 10.000000.\n", "        Camera COI at: 0.000000 0.000000 5.000000.\n",
         "      Successful.\n",
         "      Node is not visible\n", // hiddenPlaneShape1
         "    Successful.\n", "  Successful.\n", "Successful.\n"},
    });
    EXPECT_EQ(fromMeshStage(log.lines()), expected);
    EXPECT_EQ(std::string(logIndent), "");

    freeModel(model);
    EXPECT_EQ(liveAllocations(), before);
}

TEST(GetMayaModelData, SelectionWalksOnlyTheSelectedSubTrees)
{
    struct Case {
        const char* name;
        std::vector<std::string> selection;
        int32_t meshes, patches, curves, lattices, cameras, lights;
        int32_t firstAttached; // -2: no lattice captured
        std::vector<std::string> mustContain;
    } cases[] = {
        {"meshCameraLight", {"pCube1", "camera1", "pointLight1"}, 1, 0, 0, 0, 1, 1, -2, {}},
        {"overlapping", {"pCube1", "pCubeShape1", "|pCube1"}, 1, 0, 0, 0, 0, 0, -2, {}},
        {"latticeWithoutItsMesh",
         {"ffd1Lattice"},
         0, 0, 0, 1, 0, 0, -1,
         {"    Warning: No meshes found!\n", "    Found: 0 meshes.\n",
          "        Warning: Could not find geometry 'pCubeShape1' attached to the lattice.\n"}},
        {"hiddenParentSelected", {"hidden1", "nurbsPlane1", "curve1"}, 0, 2, 1, 0, 0, 0, -2,
         {"      Node is not visible\n"}},
        {"shaderAndSurface", {"blinn1", "nurbsPlaneShape1"}, 0, 2, 0, 0, 0, 0, -2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        buildEveryKind();
        ASSERT_TRUE(headless::select(c.selection));
        testsupport::LogCapture log;
        const int32_t before = liveAllocations();
        Model model = {};

        ASSERT_TRUE(getMayaModelData(model, CAPTURE_SELECTION, 0, UP_AXIS_Y));
        const Frame& frame = model.frames[0];
        EXPECT_EQ(frame.numMeshes, c.meshes);
        EXPECT_EQ(frame.numNURBS, c.patches);
        EXPECT_EQ(frame.numNURBSCurves, c.curves);
        EXPECT_EQ(frame.numLattices, c.lattices);
        EXPECT_EQ(frame.numCameras, c.cameras);
        EXPECT_EQ(frame.numLights, c.lights);
        if (c.firstAttached != -2) {
            ASSERT_EQ(frame.lattices[0].numAttached, 1);
            EXPECT_EQ(frame.lattices[0].attached[0], c.firstAttached);
        }
        Lines lines = log.lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), "    Loading meshes using current selection.\n"), lines.end());
        EXPECT_NE(std::find(lines.begin(), lines.end(), "    Loading misc geometry using current selection.\n"),
                  lines.end());
        for (const std::string& line : c.mustContain)
            EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
        // Scan and loops agree: no loop ever finds more than the scan counted.
        for (const std::string& line : lines)
            EXPECT_EQ(line.find("Tried to load more"), std::string::npos) << line;

        freeModel(model);
        EXPECT_EQ(liveAllocations(), before);
    }
}

TEST(GetMayaModelData, OptimizeAddsOneBlockPerMesh)
{
    // Vertex 3 repeats vertex 0; the face-vertex colours are red, red, blue / blue, blue, red; the two
    // faces share one normal value under two ids.
    headless::MeshData data;
    data.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 0}};
    data.faces = {{0, 1, 2}, {3, 2, 1}};
    data.normals = {{0, 0, 1}, {0, 0, 1}};
    data.faceNormals = {{0, 0, 0}, {1, 1, 1}};
    data.colors = {{1, 0, 0, 1}, {1, 0, 0, 1}, {0, 0, 1, 1}};
    data.faceColors = {{0, 1, 2}, {2, 2, 0}};
    for (int optimize = 0; optimize <= 1; ++optimize) {
        SCOPED_TRACE(optimize);
        headless::emptyScene();
        MObject group = blinnGroup();
        headless::assign(group, headless::createMesh("aShape", headless::createTransform("a"), data));
        headless::assign(group, headless::createMesh("bShape", headless::createTransform("b"), data));
        testsupport::LogCapture log;
        const int32_t before = liveAllocations();
        Model model = {};

        ASSERT_TRUE(getMayaModelData(model, CAPTURE_WHOLE_SCENE, optimize, UP_AXIS_Y));

        Lines lines = log.lines();
        auto misc = std::find(lines.begin(), lines.end(), "    Loading all misc geometry.\n");
        auto miscEnd = std::find(misc, lines.end(), "  Successful.\n"); // the misc stage's last line
        ASSERT_NE(miscEnd, lines.end());
        Lines tail(miscEnd + 1, lines.end());
        Lines expected;
        if (optimize) {
            for (const char* name : {"a", "b"}) {
                Lines block = {"  Optimizing mesh " + std::string(name == std::string("a") ? "0" : "1") + ": " +
                                   name + "\n",
                               "    Number of duplicate vertices: 1 / 4\n", "    Number of duplicate colors: 4 / 6\n",
                               "    Number of duplicate UVs: 0 / 0\n", "    Number of duplicate normals: 1 / 2\n",
                               "  Successful.\n"};
                expected.insert(expected.end(), block.begin(), block.end());
            }
        }
        expected.push_back("Successful.\n");
        EXPECT_EQ(tail, expected);
        for (int32_t i = 0; i < model.frames[0].numMeshes; ++i) {
            const Mesh& mesh = model.frames[0].meshes[i];
            EXPECT_EQ(mesh.numVerts, optimize ? 3 : 4);
            EXPECT_EQ(mesh.numColors, optimize ? 2 : 6);
            EXPECT_EQ(mesh.numNormals, optimize ? 1 : 2);
            EXPECT_EQ(mesh.polygons[1].vertIndices[0], optimize ? 0 : 3);
        }

        freeModel(model);
        EXPECT_EQ(liveAllocations(), before);
    }
}

TEST(GetMayaModelData, FailedStagesReleaseEverythingTheyAllocated)
{
    struct Case {
        const char* name;
        bool shapeInSet;
        bool selectNothing;
        Lines tail; // the log from the failing stage's first line on
    } cases[] = {
        {"emptySelection",
         true,
         true,
         {"  Getting meshes from maya data...\n", "    Error: Nothing is selected.\n",
          "    Error: Failed to retrieve the number of geometries in the scene.\n", "  getMayaMeshes failed.\n"}},
        {"noShapeInAnySet",
         false,
         false,
         {"      Warning: All shapes have no associated sets.\n", "    Could not load any materials.\n",
          "  getMayaMaterials failed.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        MObject group = blinnGroup();
        makeMesh("pCube1", "pCubeShape1", c.shapeInSet ? group : MObject::kNullObj);
        headless::clearSelection();
        testsupport::LogCapture log;
        const int32_t before = liveAllocations();
        Model model = {};

        EXPECT_FALSE(getMayaModelData(model, c.selectNothing ? CAPTURE_SELECTION : CAPTURE_WHOLE_SCENE, 1, UP_AXIS_Y));

        EXPECT_EQ(liveAllocations(), before);
        EXPECT_EQ(model.numMaterials, 0);
        EXPECT_EQ(model.materials, nullptr);
        EXPECT_EQ(model.numFrames, 0);
        EXPECT_EQ(model.frames, nullptr);
        EXPECT_EQ(std::string(logIndent), "");
        Lines lines = log.lines();
        ASSERT_GE(lines.size(), c.tail.size());
        EXPECT_EQ(Lines(lines.end() - c.tail.size(), lines.end()), c.tail);
        if (c.shapeInSet) { // nothing between the material stage's close and the failing stage
            EXPECT_EQ(*(lines.end() - c.tail.size() - 1), "  Successful.\n");
        }
        // The pipeline frees the model on every path: safe on what the failed capture left.
        log.clear();
        freeModel(model);
        EXPECT_EQ(liveAllocations(), before);
        EXPECT_EQ(log.lines(), Lines{"No frames found.\n"});
    }
}

TEST(GetMayaModelData, NonBezierSurfacesUseOnlyRecordsOthersReserved)
{
    struct Case {
        const char* name;
        bool bezierAfter; // a Bezier surface created after the non-Bezier one
        int32_t patches;
        Lines misc; // the misc walk's lines
    } cases[] = {
        {"alone",
         false,
         0,
         {"      Error: Tried to load more NURBS than model->numNURBS.\n"}},
        {"beforeABezierSurface",
         true,
         1,
         {"      Loading NURBS... 'bumpy'\n", "        Warning: NURBS surface is not bezier.\n",
          "        Found material: 'blinn1'\n", "        Error: Trying to export too many NURBS\n",
          "      Successful.\n", "      Error: Tried to load more NURBS than model->numNURBS.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        MObject group = blinnGroup();
        makeMesh("pCube1", "pCubeShape1", group);
        headless::assign(group, makeSurface("bumpy1", "bumpyShape", 7, 4, false));
        if (c.bezierAfter)
            headless::assign(group, makeSurface("smooth1", "smoothShape", 4, 4, true));
        testsupport::LogCapture log;
        const int32_t before = liveAllocations();
        Model model = {};

        ASSERT_TRUE(getMayaModelData(model, CAPTURE_WHOLE_SCENE, 0, UP_AXIS_Y));
        EXPECT_EQ(model.frames[0].numNURBS, c.patches);

        Lines lines = log.lines();
        auto start = std::find(lines.begin(), lines.end(), "    Loading all misc geometry.\n");
        ASSERT_NE(start, lines.end());
        Lines expected = c.misc;
        expected.push_back("    Successful.\n");
        EXPECT_EQ(Lines(start + 1, lines.end() - 2), expected);
        freeModel(model);
        EXPECT_EQ(liveAllocations(), before);
    }
}

TEST(CaptureLoops, PassOverIntermediateAndHiddenNodesWithALine)
{
    headless::emptyScene();
    MObject group = blinnGroup();
    MObject cube = makeMesh("pCube1", "pCubeShape1", group);
    MObject original = headless::createMesh("pCubeShape1Orig", headless::findNode("pCube1"), quad());
    headless::setIntermediate(original, true);
    MObject hiddenCamera = headless::createCamera("cameraShape1", headless::createTransform("camera1"));
    headless::setVisible(hiddenCamera, false);
    (void)cube;
    testsupport::LogCapture log;
    Model model = {};

    ASSERT_TRUE(getMayaModelData(model, CAPTURE_WHOLE_SCENE, 0, UP_AXIS_Y));
    EXPECT_EQ(model.frames[0].numMeshes, 1);
    EXPECT_EQ(model.frames[0].numCameras, 0);
    Lines lines = log.lines();
    auto misc = std::find(lines.begin(), lines.end(), "    Loading all misc geometry.\n");
    ASSERT_NE(misc, lines.end());
    // Depth two of the walk: the cube's shape, its intermediate original, the hidden camera shape.
    EXPECT_EQ(Lines(misc + 1, misc + 4),
              (Lines{"      Node is intermidiate object\n", "      Node is not visible\n", "    Successful.\n"}));
    auto meshWalk = std::find(lines.begin(), lines.end(), "    Loading all meshes.\n");
    ASSERT_NE(meshWalk, lines.end());
    Lines expected = kCubeLines;
    expected.push_back("      Node is intermidiate object\n");
    expected.push_back("      Node is not visible\n");
    expected.push_back("    Successful.\n");
    EXPECT_EQ(Lines(meshWalk + 1, meshWalk + 1 + expected.size()), expected);
    freeModel(model);
}

TEST(CaptureStages, RefuseAModelWithoutFrame)
{
    struct Case {
        const char* name;
        bool (*stage)(Model&, int32_t, int32_t);
        int32_t captureMode;
        Lines lines;
    } cases[] = {
        {"meshes", getMayaMeshes, CAPTURE_WHOLE_SCENE, {"Getting meshes from maya data...\n", "  No frames found.\n"}},
        {"misc", getMayaMisc, CAPTURE_SELECTION, {"Getting meshes from maya data...\n", "  No frames found.\n"}},
        {"meshLoop", loadMeshNodes, CAPTURE_WHOLE_SCENE, {"Loading all meshes.\n", "  Error: No frames found.\n"}},
        {"meshLoopSelection",
         loadMeshNodes,
         CAPTURE_SELECTION,
         {"Loading meshes using current selection.\n", "  Error: No frames found.\n"}},
        {"miscLoop", loadMiscNodes, CAPTURE_WHOLE_SCENE, {"Loading all misc geometry.\n", "  Error: No frames found.\n"}},
        {"miscLoopSelection",
         loadMiscNodes,
         CAPTURE_SELECTION,
         {"Loading misc geometry using current selection.\n", "  Error: No frames found.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        testsupport::LogCapture log;
        Model model = {};
        EXPECT_FALSE(c.stage(model, c.captureMode, UP_AXIS_Y));
        EXPECT_EQ(log.lines(), c.lines);
        EXPECT_EQ(std::string(logIndent), "");
    }
}

TEST(CaptureStages, MiscStageKeepsTheMeshesAndSizesEveryOtherKind)
{
    buildEveryKind();
    testsupport::LogCapture log;
    const int32_t before = liveAllocations();
    Model model = {};
    model.numFrames = 1;
    model.frames = allocateArray<Frame>("model->frames", 1);

    ASSERT_TRUE(getMayaMeshes(model, CAPTURE_WHOLE_SCENE, UP_AXIS_Y));
    // Until the misc stage runs, the other kinds have neither counts nor arrays.
    const Frame& frame = model.frames[0];
    EXPECT_EQ(frame.numNURBS + frame.numNURBSCurves + frame.numLattices + frame.numCameras + frame.numLights, 0);
    EXPECT_EQ(frame.NURBS, nullptr);
    EXPECT_EQ(frame.lights, nullptr);
    const Mesh* meshes = frame.meshes;

    ASSERT_TRUE(getMayaMisc(model, CAPTURE_WHOLE_SCENE, UP_AXIS_Y));
    EXPECT_EQ(frame.meshes, meshes);
    EXPECT_EQ(frame.numMeshes, 1);
    EXPECT_EQ(frame.numNURBS, 2);
    EXPECT_EQ(frame.numLights, 1);
    // One registered block per array, a zero-size one included, plus each record's own points.
    EXPECT_EQ(liveAllocations(), before + 1 /*frames*/ + 1 + 5 /*meshes*/ + 5 /*misc arrays*/ + 2 + 1 + 1);

    freeModel(model);
    EXPECT_EQ(liveAllocations(), before);
}

TEST(CaptureStages, ReportAFailedWalkAndLeaveTheFrameEmpty)
{
    struct Case {
        const char* name;
        bool (*stage)(Model&, int32_t, int32_t);
        Lines lines;
    } cases[] = {
        {"meshes",
         getMayaMeshes,
         {"Getting meshes from maya data...\n", "  Error: Nothing is selected.\n",
          "  Error: Failed to retrieve the number of geometries in the scene.\n"}},
        {"misc",
         getMayaMisc,
         {"Getting meshes from maya data...\n", "  Error: Nothing is selected.\n",
          "  Error: Failed to retrieve the number of geometries in the scene.\n"}},
        {"meshLoop", loadMeshNodes, {"Loading meshes using current selection.\n", "  Error: Nothing is selected.\n"}},
        {"miscLoop",
         loadMiscNodes,
         {"Loading misc geometry using current selection.\n", "  Error: Nothing is selected.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        buildEveryKind();
        headless::clearSelection();
        testsupport::LogCapture log;
        const int32_t before = liveAllocations();
        Model model = {};
        model.numFrames = 1;
        model.frames = allocateArray<Frame>("model->frames", 1);

        EXPECT_FALSE(c.stage(model, CAPTURE_SELECTION, UP_AXIS_Y));
        EXPECT_EQ(log.lines(), c.lines);
        EXPECT_EQ(std::string(logIndent), "");
        const Frame empty = {};
        EXPECT_EQ(memcmp(&model.frames[0], &empty, sizeof(Frame)), 0);
        EXPECT_EQ(liveAllocations(), before + 1);
        freeModel(model);
        EXPECT_EQ(liveAllocations(), before);
    }
}
