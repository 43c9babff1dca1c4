#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnCamera.h>

#include "capture/camera_light_capture.h"
#include "log/log.h"
#include "model/allocation.h"
#include "model/model.h"
#include "plugin/settings.h"
#include "support/test_support.h"

namespace {

const double kPi = 3.14159265358979323846;

std::string formatLine(const char* format, const float v[3])
{
    char text[256];
    snprintf(text, sizeof(text), format, v[0], v[1], v[2]);
    return text;
}

void expectNear3(const float stored[3], double x, double y, double z)
{
    EXPECT_NEAR(stored[0], x, 1e-5);
    EXPECT_NEAR(stored[1], y, 1e-5);
    EXPECT_NEAR(stored[2], z, 1e-5);
}

} // namespace

TEST(LoadCamera, StoresWorldEyeAndCentreOfInterestUnderAMovedParent)
{
    const float savedScale = exportScale;
    const float scales[] = {1.0f, 2.0f};
    for (float scale : scales) {
        SCOPED_TRACE(scale);
        headless::emptyScene();
        // The rig turns a quarter turn about Y and moves to (1, 2, 3); the camera sits 2 along the rig's Z,
        // so it ends at (3, 2, 3) looking down world -X.
        MObject rig = headless::createTransform("rig");
        headless::setTranslate(rig, 1, 2, 3);
        headless::setRotate(rig, 0, 90, 0);
        MObject cameraTransform = headless::createTransform("camera1", rig);
        headless::setTranslate(cameraTransform, 0, 0, 2);
        MObject shape = headless::createCamera("cameraShape1", cameraTransform);
        ASSERT_TRUE(headless::setAttr(shape, "centerOfInterest", 4.0));
        ASSERT_TRUE(headless::setAttr(shape, "focalLength", 50.0));
        ASSERT_TRUE(headless::setAttr(shape, "depthOfField", 1.0));
        Camera camera = {};
        Model model = {};
        testsupport::LogCapture log;
        const int32_t before = liveAllocations();

        MDagPath path = headless::pathTo(shape);
        exportScale = scale;
        int32_t result = loadCamera(path, camera, model, UP_AXIS_Y);
        exportScale = savedScale;

        EXPECT_EQ(result, 1);
        EXPECT_EQ(liveAllocations(), before);
        expectNear3(camera.eyePoint, 3 * scale, 2 * scale, 3 * scale);
        expectNear3(camera.centerOfInterest, -1 * scale, 2 * scale, 3 * scale);
        expectNear3(camera.upDirection, 0, 1, 0); // never scaled
        MFnCamera fnCamera(path);
        EXPECT_EQ(camera.horizontalFov, static_cast<float>(fnCamera.horizontalFieldOfView()));
        EXPECT_EQ(camera.verticalFov, static_cast<float>(fnCamera.verticalFieldOfView()));
        EXPECT_NE(camera.horizontalFov, camera.verticalFov);
        EXPECT_EQ(camera.focalLength, 50.0f);
        EXPECT_EQ(camera.depthOfField, 1);
        EXPECT_EQ(camera.verticalLock, fnCamera.isVerticalLock() ? 1 : 0);
        EXPECT_EQ(log.lines(), (std::vector<std::string>{
                                   "Loading Camera...\n", formatLine("  Camera eye at: %f %f %f.\n", camera.eyePoint),
                                   formatLine("  Camera COI at: %f %f %f.\n", camera.centerOfInterest),
                                   "Successful.\n"}));
    }
}

TEST(LoadCamera, RefusesAPathThatIsNotACamera)
{
    headless::emptyScene();
    MObject transform = headless::createTransform("persp");
    MObject light = headless::createLight(headless::LightKind::Point, "pointLightShape1", transform);
    Camera camera = {};
    Model model = {};
    testsupport::LogCapture log;

    MDagPath path = headless::pathTo(light);
    EXPECT_EQ(loadCamera(path, camera, model, UP_AXIS_Y), 0);
    const Camera untouched = {};
    EXPECT_EQ(memcmp(&camera, &untouched, sizeof(Camera)), 0);
    EXPECT_EQ(log.lines(), (std::vector<std::string>{"Loading Camera...\n",
                                                     "  Error: Failure in MFnCamera initialization.\n"}));
    EXPECT_EQ(std::string(logIndent), "");
}

TEST(LoadLight, StoresEachKindWithItsLogLines)
{
    struct Case {
        headless::LightKind kind;
        const char* name;
        int32_t type;
        const char* kindLine; // null: none
        bool logsDirection;
        bool nonAmbient;
        bool spot;
    } cases[] = {
        {headless::LightKind::Ambient, "ambient", 0, "  Unknown light type.\n", false, false, false},
        {headless::LightKind::Directional, "directional", 0, "  Loading directional light.\n", true, true, false},
        {headless::LightKind::Point, "point", 1, "  Loading point light.\n", false, true, false},
        {headless::LightKind::Spot, "spot", 2, "  Loading spot light.\n", true, true, true},
    };
    const float savedScale = exportScale;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        // Turned a quarter turn about X, the light's -Z points down world -Y.
        MObject transform = headless::createTransform(std::string(c.name) + "Light1");
        headless::setTranslate(transform, 1, 2, 3);
        headless::setRotate(transform, -90, 0, 0);
        MObject shape = headless::createLight(c.kind, std::string(c.name) + "LightShape1", transform);
        ASSERT_TRUE(headless::setAttr(shape, "color", std::vector<double>{0.5, 0.25, 1.0}));
        ASSERT_TRUE(headless::setAttr(shape, "intensity", 2.0));
        if (c.nonAmbient) {
            ASSERT_TRUE(headless::setAttr(shape, "decayRate", 2.0));
        }
        if (c.spot) {
            ASSERT_TRUE(headless::setAttr(shape, "coneAngle", 30.0));
            ASSERT_TRUE(headless::setAttr(shape, "dropoff", 3.0));
        }
        Light light = {};
        Model model = {};
        testsupport::LogCapture log;

        MDagPath path = headless::pathTo(transform);
        exportScale = 2.0f;
        int32_t result = loadLight(path, light, model, UP_AXIS_Y);
        exportScale = savedScale;

        EXPECT_EQ(result, 1);
        EXPECT_EQ(light.type, c.type);
        expectNear3(light.position, 2, 4, 6);
        expectNear3(light.color, 0.5, 0.25, 1.0);
        EXPECT_EQ(light.intensity, 2.0f);
        expectNear3(light.direction, 0, -1, 0); // world direction, never scaled
        EXPECT_EQ(light.decayRate, c.nonAmbient ? 2 : 0);
        EXPECT_NEAR(light.coneAngle, c.spot ? 30.0 * kPi / 180.0 : 0.0, 1e-6);
        EXPECT_EQ(light.dropOff, c.spot ? 3.0f : 0.0f);

        std::vector<std::string> expected = {"Loading Light...\n",
                                             formatLine("  Position: %f %f %f.\n", light.position),
                                             formatLine("  Color: %f %f %f\n", light.color), c.kindLine};
        if (c.logsDirection)
            expected.push_back(formatLine("  Direction: %f %f %f\n", light.direction));
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

TEST(LoadLight, HandlesPathsWithoutTransformOrLight)
{
    struct Case {
        const char* name;
        bool lightShapePath; // the light's own shape instead of its transform
        bool isLight;
        int32_t result;
        std::vector<std::string> lines;
    } cases[] = {
        {"shapePath", true, true, 1,
         {"Loading Light...\n", "  Has no kTransform Fn.\n", "  Color: 1.000000 1.000000 1.000000\n",
          "  Loading point light.\n", "Successful.\n"}},
        {"notALight", false, false, 0,
         {"Loading Light...\n", "  Position: 4.000000 5.000000 6.000000.\n",
          "  Error: Failure in MFnLight initialization.\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        headless::emptyScene();
        MObject transform = headless::createTransform("thing1");
        headless::setTranslate(transform, 4, 5, 6);
        MObject shape;
        if (c.isLight) {
            shape = headless::createLight(headless::LightKind::Point, "pointLightShape1", transform);
        } else {
            headless::MeshData data;
            data.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
            data.faces = {{0, 1, 2}};
            shape = headless::createMesh("thingShape1", transform, data);
        }
        Light light = {};
        Model model = {};
        testsupport::LogCapture log;

        MDagPath path = headless::pathTo(c.lightShapePath ? shape : transform);
        EXPECT_EQ(loadLight(path, light, model, UP_AXIS_Y), c.result);
        EXPECT_EQ(log.lines(), c.lines);
        EXPECT_EQ(std::string(logIndent), "");
        if (c.lightShapePath)
            expectNear3(light.position, 0, 0, 0);
    }
}
