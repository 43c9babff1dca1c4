#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/nurbs_capture.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

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

// Names fill a fixed field: a trailing "Shape" is cut, and a name that does not fit is cut to the field,
// terminated inside it (also a name of exactly the field's size).
TEST(NurbsName, CutsOnlyATrailingShapeAndFitsTheField)
{
    const std::string longHostName = std::string(40, 'n') + "Shape";
    struct Case {
        std::string hostName;
        std::string stored;
    } cases[] = {
        {"curveShape", "curve"},
        {"curveShape1", "curveShape1"},
        {"ShapeShape", "ShapeShape"}, // the first occurrence decides, and it does not end the name
        {"Shape", ""},
        {longHostName, std::string(31, 'n')},
        {std::string(32, 'c'), std::string(31, 'c')},
    };
    for (const Case& c : cases) {
        char field[NAME_SIZE + 1];
        memset(field, 'x', sizeof(field));
        field[NAME_SIZE] = '\0';
        copyNurbsName(field, NAME_SIZE, c.hostName.c_str());
        EXPECT_EQ(std::string(field), c.stored) << c.hostName;
    }
}

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
        for (int32_t k = 0; k < c.filled; ++k) {
            const Nurb& patch = scene.frame().NURBS[c.firstFree + k];
            int pu = k / numVPatches, pv = k % numVPatches; // V patches inside U patches
            EXPECT_EQ(patch.degreeU, c.degree);
            EXPECT_EQ(patch.degreeV, c.degree);
            EXPECT_EQ(patch.numCVsInU, 4);
            EXPECT_EQ(patch.numCVsInV, 4);
            EXPECT_EQ(patch.materialIndex, 1);
            ASSERT_NE(patch.controlPoints, nullptr);
            for (int i = 0; i < 4; ++i) {
                for (int j = 0; j < 4; ++j) {
                    headless::Vec3 expected = worldOf({3.0 * pu + i, 3.0 * pv + j, 0.0});
                    const float* stored = patch.controlPoints + (i * 4 + j) * 3;
                    EXPECT_NEAR(stored[0], expected.x, 1e-4) << k << " " << i << " " << j;
                    EXPECT_NEAR(stored[1], expected.y, 1e-4) << k << " " << i << " " << j;
                    EXPECT_NEAR(stored[2], expected.z, 1e-4) << k << " " << i << " " << j;
                }
            }
        }
        // Records outside the ones filled stay zero.
        for (int32_t k = 0; k < c.room; ++k) {
            if (k >= c.firstFree && k < c.firstFree + c.filled)
                continue;
            EXPECT_EQ(scene.frame().NURBS[k].controlPoints, nullptr);
            EXPECT_EQ(scene.frame().NURBS[k].numCVsInU, 0);
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

TEST_F(NurbsCaptureTest, CurvesKeepNameDegreeAndWorldControlPoints)
{
    struct Case {
        const char* hostName;
        const char* stored;
        int degree;
        int numCVs;
        bool warns;
    } cases[] = {
        {"curveShape", "curve", 3, 4, false},
        {"lineShape", "line", 1, 2, true},
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

        EXPECT_STREQ(record.name, c.stored);
        EXPECT_EQ(record.degree, c.degree);
        EXPECT_EQ(record.numCVs, c.numCVs);
        EXPECT_EQ(liveAllocations(), before + 1);
        ASSERT_NE(record.controlPoints, nullptr);
        for (int k = 0; k < c.numCVs; ++k) {
            headless::Vec3 expected = worldOf(data.cvs[k]);
            EXPECT_NEAR(record.controlPoints[k * 3 + 0], expected.x, 1e-4) << k;
            EXPECT_NEAR(record.controlPoints[k * 3 + 1], expected.y, 1e-4) << k;
            EXPECT_NEAR(record.controlPoints[k * 3 + 2], expected.z, 1e-4) << k;
        }
        std::vector<std::string> expected = {"Loading NURBS curve... '" + std::string(c.stored) + "'\n"};
        if (c.warns)
            expected.push_back("  Warning: NURBS curve is not bezier.\n");
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

} // namespace
