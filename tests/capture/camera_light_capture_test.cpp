#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <headless/scene.h>
#include <maya/MDagPath.h>

#include "capture/camera_light_capture.h"
#include "capture_scenes.h"

using namespace capturetest;

namespace {

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
    MDagPath path = headless::pathTo(shape);
    exportScale = 2.0f;
    EXPECT_EQ(loadCamera(path, camera, model, UP_AXIS_Y), 1);

    EXPECT_EQ(newAllocations(), 0);
    expectNear3(camera.eyePoint, 6, 4, 6);
    expectNear3(camera.centerOfInterest, -2, 4, 6);
    expectNear3(camera.upDirection, 0, 1, 0);
    // 36 x 24 mm at 50 mm: 39.60 x 26.99 degrees, in radians.
    EXPECT_NEAR(camera.horizontalFov, 0.69111, 1e-5);
    EXPECT_NEAR(camera.verticalFov, 0.47109, 1e-5);
    EXPECT_EQ(camera.focalLength, 50.0f);
    EXPECT_EQ(camera.depthOfField, 1);
    EXPECT_EQ(log.lines(), lines({"Loading Camera...\n", "  Camera eye at: 6.000000 4.000000 6.000000.\n",
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
        if (c.nonAmbient) {
            ASSERT_TRUE(headless::setAttr(shape, "decayRate", 2.0));
        }
        if (c.spot) {
            ASSERT_TRUE(headless::setAttr(shape, "coneAngle", 30.0) && headless::setAttr(shape, "dropoff", 3.0));
        }
        Light light = {};
        Model model = {};
        log.clear();
        EXPECT_EQ(loadLight(headless::pathTo(transform), light, model, UP_AXIS_Y), 1);

        EXPECT_EQ(light.type, c.type);
        expectNear3(light.position, 2, 4, 6);
        expectNear3(light.color, 0.5, 0.25, 1.0);
        EXPECT_EQ(light.intensity, 2.0f);
        expectNear3(light.direction, 0, -1, 0); // world direction, never scaled
        EXPECT_EQ(light.decayRate, c.nonAmbient ? 2 : 0);
        EXPECT_NEAR(light.coneAngle, c.spot ? 30.0 * 3.14159265358979 / 180.0 : 0.0, 1e-6);
        EXPECT_EQ(light.dropOff, c.spot ? 3.0f : 0.0f);
        std::vector<std::string> expected = {"Loading Light...\n", "  Position: 2.000000 4.000000 6.000000.\n",
                                             "  Color: 0.500000 0.250000 1.000000\n", c.kindLine};
        if (c.logsDirection)
            expected.push_back(formatLine("  Direction: %f %f %f\n", light.direction)); // -0 or 0, as stored
        expected.push_back("Successful.\n");
        EXPECT_EQ(log.lines(), expected);
    }
}

} // namespace
