// The misc walk's loaders: lattices, cameras and lights, NURBS surfaces and curves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/camera_light_capture.h"
#include "capture/lattice_capture.h"
#include "capture/nurbs_capture.h"
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
        Lines& lines = cases[2].attachLines;
        lines.push_back("  Connected mesh '" + name + "'\n");
        lines.push_back(lines.size() < 20
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
        std::vector<float> points; // U fastest, as makeLattice lists them
        for (unsigned i = 0; i < s; ++i)
            for (unsigned j = 0; j < t; ++j)
                for (unsigned k = 0; k < u; ++k) {
                    headless::Vec3 p = latticePoint(i, j, k);
                    points.insert(points.end(), {float(p.x * scale), float(p.y * scale), float(p.z * scale)});
                }
        EXPECT_EQ(std::vector<float>(record.latticePoints, record.latticePoints + points.size()), points);
        std::vector<std::string> expected = {"Loading Lattice...\n"};
        expected.insert(expected.end(), c.attachLines.begin(), c.attachLines.end());
        expected.push_back("  Lattice: Num lattice points 4 2 3\n");
        expected.push_back(formatTriple("  Mins: %f %f %f\n", record.mins));
        expected.push_back(formatTriple("  Maxs: %f %f %f\n", record.maxs));
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

void expectNear3(const float stored[3], const headless::Vec3& expected, double tolerance = 1e-5)
{
    EXPECT_NEAR(stored[0], expected.x, tolerance);
    EXPECT_NEAR(stored[1], expected.y, tolerance);
    EXPECT_NEAR(stored[2], expected.z, tolerance);
}

class CameraLightTest : public CaptureTest {};

TEST_F(CameraLightTest, CameraStoresWorldEyeAndCentreOfInterestUnderAMovedParent)
{
    // The rig turns a quarter turn about Y and moves to (1, 2, 3); the camera sits 2 along the rig's Z,
    // so it ends at (3, 2, 3) looking down world -X; the export scale doubles positions only.
    MObject rig = headless::createTransform("rig");
    headless::setTranslate(rig, 1, 2, 3);
    headless::setRotate(rig, 0, 90, 0);
    MObject cameraTransform = headless::createTransform("camera1", rig);
    headless::setTranslate(cameraTransform, 0, 0, 2);
    MObject shape = headless::createCamera("cameraShape1", cameraTransform);
    ASSERT_TRUE(headless::setAttr(shape, "centerOfInterest", 4.0) && headless::setAttr(shape, "focalLength", 50.0) &&
                headless::setAttr(shape, "depthOfField", 1.0));
    Camera camera = {};
    Model model = {};
    exportScale = 2.0f;
    EXPECT_EQ(loadCamera(headless::pathTo(shape), camera, model, UP_AXIS_Y), 1);

    EXPECT_EQ(newAllocations(), 0);
    expectNear3(camera.eyePoint, {6, 4, 6});
    expectNear3(camera.centerOfInterest, {-2, 4, 6});
    expectNear3(camera.upDirection, {0, 1, 0});
    // 36 x 24 mm at 50 mm: 39.60 x 26.99 degrees, in radians.
    EXPECT_NEAR(camera.horizontalFov, 0.69111, 1e-5);
    EXPECT_NEAR(camera.verticalFov, 0.47109, 1e-5);
    EXPECT_EQ(camera.focalLength, 50.0f);
    EXPECT_EQ(camera.depthOfField, 1);
    EXPECT_EQ(log.lines(), (Lines{"Loading Camera...\n", "  Camera eye at: 6.000000 4.000000 6.000000.\n",
                                   "  Camera COI at: -2.000000 4.000000 6.000000.\n", "Successful.\n"}));
}

TEST_F(CameraLightTest, LightStoresEachKindWithItsLogLines)
{
    struct Case {
        headless::LightKind kind;
        const char* name;
        int32_t type;
        const char* kindLine;
        bool logsDirection, nonAmbient, spot;
    } cases[] = {
        {headless::LightKind::Ambient, "ambient", 0, "  Unknown light type.\n", false, false, false},
        {headless::LightKind::Directional, "directional", 0, "  Loading directional light.\n", true, true, false},
        {headless::LightKind::Point, "point", 1, "  Loading point light.\n", false, true, false},
        {headless::LightKind::Spot, "spot", 2, "  Loading spot light.\n", true, true, true},
    };
    exportScale = 2.0f;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        // Turned a quarter turn about X, the light's -Z points down world -Y.
        MObject transform = headless::createTransform(std::string(c.name) + "Light1");
        headless::setTranslate(transform, 1, 2, 3);
        headless::setRotate(transform, -90, 0, 0);
        MObject shape = headless::createLight(c.kind, std::string(c.name) + "LightShape1", transform);
        ASSERT_TRUE(headless::setAttr(shape, "color", std::vector<double>{0.5, 0.25, 1.0}) &&
                    headless::setAttr(shape, "intensity", 2.0));
        // Every kind is given these; the kinds without them must read zero.
        headless::setAttr(shape, "decayRate", 2.0);
        headless::setAttr(shape, "coneAngle", 30.0);
        headless::setAttr(shape, "dropoff", 3.0);
        Light light = {};
        Model model = {};
        log.clear();
        EXPECT_EQ(loadLight(headless::pathTo(transform), light, model, UP_AXIS_Y), 1);

        EXPECT_EQ(light.type, c.type);
        expectNear3(light.position, {2, 4, 6});
        expectNear3(light.color, {0.5, 0.25, 1.0});
        EXPECT_EQ(light.intensity, 2.0f);
        expectNear3(light.direction, {0, -1, 0}); // world direction, never scaled
        EXPECT_EQ(light.decayRate, c.nonAmbient ? 2 : 0);
        EXPECT_NEAR(light.coneAngle, c.spot ? 30.0 * 3.14159265358979 / 180.0 : 0.0, 1e-6);
        EXPECT_EQ(light.dropOff, c.spot ? 3.0f : 0.0f);
        std::vector<std::string> expected = {"Loading Light...\n", "  Position: 2.000000 4.000000 6.000000.\n",
                                             "  Color: 0.500000 0.250000 1.000000\n", c.kindLine};
        if (c.logsDirection)
            expected.push_back(formatTriple("  Direction: %f %f %f\n", light.direction)); // -0 or 0, as stored
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

// A model as the driver leaves it before the misc walk, its patch array with room for `room` records.
struct NurbsModel : FrameModel {
    NurbsModel(int32_t room, const std::vector<std::string>& materialNames) : FrameModel(materialNames)
    {
        frame().numNURBS = room;
        frame().NURBS = allocateArray<Nurb>("frame->NURBS", static_cast<size_t>(room));
        frame().numNURBSCurves = 1;
        frame().NURBSCurves = allocateArray<Curve>("frame->NURBSCurves", 1);
    }
};

// World position of a local point under a moved transform: scale (2, 3, 4), then a quarter turn about
// Z, then translate (1, 2, 3).
headless::Vec3 worldOf(const headless::Vec3& p)
{
    return {1.0 - 3.0 * p.y, 2.0 + 2.0 * p.x, 3.0 + 4.0 * p.z};
}

MObject moved(const MObject& transform)
{
    headless::setTranslate(transform, 1, 2, 3);
    headless::setRotate(transform, 0, 0, 90);
    headless::setScale(transform, 2, 3, 4);
    return transform;
}

class NurbsCaptureTest : public CaptureTest {};

TEST_F(NurbsCaptureTest, SurfacesAreCutIntoPatchesSharingTheirBorders)
{
    struct Case {
        const char* name;
        int numCVsU, numCVsV, degree;
        bool bezier;
        int32_t room, firstFree;
        int32_t patches;      // result
        int32_t filled;       // records written, from firstFree on
    } cases[] = {
        {"single", 4, 4, 3, true, 1, 0, 1, 1},
        {"grid", 10, 7, 3, true, 6, 0, 6, 6},
        {"surplusCVs", 5, 6, 3, true, 1, 0, 1, 1},
        {"tooSmall", 3, 3, 2, false, 1, 0, 0, 0},
        {"noRoomForThird", 10, 4, 3, true, 2, 0, 3, 2},
        {"afterEarlierSurface", 7, 4, 3, true, 3, 1, 2, 2},
        {"notBezier", 7, 4, 3, false, 2, 0, 2, 2},
    };
    // Patch k takes control points 3 * (its U and V patch number) + (0..3) each way, so neighbouring
    // patches share their border row.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        log.clear();
        MObject shader = headless::createShader("blinn", "blinn1");
        // Control point (u, v) of makeSurface lies at (u, v, 0) in the shape's own space.
        MObject surface = makeSurface(c.name, c.numCVsU, c.numCVsV, c.bezier, c.degree);
        moved(headless::findNode(c.name));
        headless::assign(headless::createShadingGroup("blinn1SG", shader), surface);
        NurbsModel scene(c.room, {"lambert1", "BLINN1"});
        const int32_t before = liveAllocations();

        EXPECT_EQ(loadNURBS(headless::pathTo(surface), scene.frame().NURBS, c.firstFree, scene.model, UP_AXIS_Y),
                  c.patches);
        EXPECT_EQ(liveAllocations(), before + c.filled);
        const int numVPatches = (c.numCVsV - 1) / 3;
        for (int32_t k = 0; k < c.room; ++k) {
            SCOPED_TRACE("record " + std::to_string(k));
            const Nurb& patch = scene.frame().NURBS[k];
            const int filled = k - c.firstFree;
            if (filled < 0 || filled >= c.filled) { // records outside the ones filled stay zero
                EXPECT_EQ(patch.controlPoints, nullptr);
                EXPECT_EQ(patch.numCVsInU, 0);
                continue;
            }
            int pu = filled / numVPatches, pv = filled % numVPatches; // V patches inside U patches
            EXPECT_EQ(patch.degreeU, c.degree);
            EXPECT_EQ(patch.degreeV, c.degree);
            EXPECT_EQ(patch.numCVsInU, 4);
            EXPECT_EQ(patch.numCVsInV, 4);
            EXPECT_EQ(patch.materialIndex, 1);
            ASSERT_NE(patch.controlPoints, nullptr);
            for (int i = 0; i < 4; ++i)
                for (int j = 0; j < 4; ++j)
                    expectNear3(patch.controlPoints + (i * 4 + j) * 3, worldOf({3.0 * pu + i, 3.0 * pv + j, 0.0}),
                                1e-4);
        }

        std::vector<std::string> expected = {"Loading NURBS... '" + std::string(c.name) + "'\n"};
        if (!c.bezier)
            expected.push_back("  Warning: NURBS surface is not bezier.\n");
        for (int32_t k = 0; k < c.patches; ++k)
            expected.push_back(k < c.filled ? "  Found material: 'blinn1'\n"
                                            : "  Error: Trying to export too many NURBS\n");
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

// Names fill a fixed field: a trailing "Shape" is cut, and a name that does not fit is cut to the field, terminated
// inside it (also a name of exactly the field's size).
TEST_F(NurbsCaptureTest, CurvesKeepNameDegreeAndWorldControlPoints)
{
    struct Case {
        std::string hostName;
        std::string stored;
        int degree;
        int numCVs;
        bool warns;
    } cases[] = {
        {"curveShape", "curve", 3, 4, false},
        {"lineShape", "line", 1, 2, true},
        {"curveShape1", "curveShape1", 3, 4, false},
        {"ShapeShape", "ShapeShape", 3, 4, false}, // the first occurrence decides, and it does not end the name
        {"Shape", "", 3, 4, false},
        {std::string(40, 'n') + "Shape", std::string(31, 'n'), 3, 4, false},
        {std::string(32, 'c'), std::string(31, 'c'), 3, 4, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hostName);
        headless::emptyScene();
        log.clear();
        headless::NurbsCurveData data;
        data.degree = c.degree;
        for (int k = 0; k < c.numCVs; ++k)
            data.cvs.push_back({double(k), 0.5 * k * k, -double(k)});
        MObject curve = headless::createNurbsCurve(c.hostName, moved(headless::createTransform("curve1")), data);
        NurbsModel scene(0, {"lambert1"});
        const int32_t before = liveAllocations();
        Curve& record = scene.frame().NURBSCurves[0];

        EXPECT_EQ(loadNURBSCurve(headless::pathTo(curve), record, scene.model, UP_AXIS_Y), 1);

        EXPECT_EQ(std::string(record.name), c.stored);
        EXPECT_EQ(record.degree, c.degree);
        EXPECT_EQ(record.numCVs, c.numCVs);
        EXPECT_EQ(liveAllocations(), before + 1);
        ASSERT_NE(record.controlPoints, nullptr);
        for (int k = 0; k < c.numCVs; ++k) {
            SCOPED_TRACE(k);
            expectNear3(record.controlPoints + k * 3, worldOf(data.cvs[k]), 1e-4);
        }
        std::vector<std::string> expected = {"Loading NURBS curve... '" + c.stored + "'\n"};
        if (c.warns)
            expected.push_back("  Warning: NURBS curve is not bezier.\n");
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

} // namespace
