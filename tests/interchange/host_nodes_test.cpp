// What the library's node matrices, cameras and lights become in the host, the host's own transforms the
// reference for what the values mean.
#include "scene_readers/interchange/camera_light_conversion.h"
#include "scene_readers/interchange/transform_decomposition.h"

#include <assimp/camera.h>
#include <assimp/light.h>
#include <assimp/scene.h>

#include <headless/scene.h>
#include <maya/MDagPath.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MMatrix.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

using namespace interchange;

// The library's column-vector matrices (composed right to left), in double so that the round trip is exact to
// 1e-9.
using Matrix = aiMatrix4x4t<double>;
using Vector = aiVector3t<double>;

Matrix rotation(double x, double y, double z, double degrees)
{
    Matrix m;
    return Matrix::Rotation(degrees * 3.14159265358979323846 / 180.0, Vector(x, y, z).Normalize(), m);
}

Matrix scaling(double x, double y, double z)
{
    Matrix m;
    return Matrix::Scaling(Vector(x, y, z), m);
}

TEST(TransformDecomposition, PartsComposeBackToTheMatrixHereAndInTheHost)
{
    Matrix moved, sheared;
    Matrix::Translation(Vector(4, 5, 6), moved);
    sheared.a2 = 0.3; // x += 0.3 y, and so on
    sheared.a3 = -0.2;
    sheared.b3 = 0.7;
    const struct {
        const char* name;
        Matrix matrix;
    } cases[] = {
        {"identity", Matrix()},
        {"oblique rotation", rotation(1, 1, 1, 77)},
        {"rotation past 90 degrees", rotation(0, 0, 1, 170)},
        {"gimbal lock +90 y", rotation(0, 1, 0, 90) * rotation(1, 0, 0, 20)},
        {"gimbal lock -90 y", rotation(0, 1, 0, -90) * rotation(0, 0, 1, 35)},
        {"non-uniform scale, rotation, translation", moved * rotation(1, -1, 1, 40) * scaling(2, 0.5, 3)},
        {"mirror in x", rotation(0, 1, 0, 25) * scaling(-1, 1, 1)},
        {"mirror in z", scaling(1, 1, -2)},
        {"shear", rotation(0, 0, 1, 60) * sheared * scaling(1.5, 2, 0.5)},
        {"zero scale in y", rotation(1, 0, 0, 45) * scaling(1, 0, 2)},
    };
    for (const auto& c : cases) {
        double matrix[4][4]; // handed over in the row form p' = p * M
        for (unsigned i = 0; i < 4; ++i)
            for (unsigned j = 0; j < 4; ++j)
                matrix[i][j] = c.matrix[j][i];
        TransformParts parts;
        ASSERT_TRUE(decomposeMatrix(matrix, parts)) << c.name;
        double back[4][4];
        composeMatrix(parts, back);
        // The host's own transform, given the parts, is the reference for what they mean.
        headless::newScene();
        const MObject node = headless::createTransform("node");
        ASSERT_TRUE(headless::setAttr(node, "translate", std::vector<double>(parts.translate, parts.translate + 3)));
        ASSERT_TRUE(headless::setAttr(node, "rotate", std::vector<double>(parts.rotateDegrees, parts.rotateDegrees + 3)));
        ASSERT_TRUE(headless::setAttr(node, "scale", std::vector<double>(parts.scale, parts.scale + 3)));
        ASSERT_TRUE(headless::setAttr(node, "shear", std::vector<double>(parts.shear, parts.shear + 3)));
        const MMatrix host = headless::pathTo(node).inclusiveMatrix();
        for (unsigned i = 0; i < 4; ++i)
            for (unsigned j = 0; j < 3; ++j) {
                EXPECT_NEAR(back[i][j], matrix[i][j], 1e-9) << c.name << " [" << i << "][" << j << "]";
                EXPECT_NEAR(host(i, j), matrix[i][j], 1e-9) << c.name << " host [" << i << "][" << j << "]";
            }
    }
}

TEST(TransformDecomposition, NonFiniteMatricesAreRefused)
{
    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)})
        for (int cell = 0; cell < 12; ++cell) {
            double m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
            m[cell / 3][cell % 3] = bad;
            TransformParts parts;
            parts.scale[0] = 5;
            EXPECT_FALSE(decomposeMatrix(m, parts)) << cell;
            // Refused parts are the identity's, not what was there.
            EXPECT_EQ(parts.scale[0], 1.0);
            EXPECT_EQ(parts.translate[0], 0.0);
        }
}

const double kPi = 3.14159265358979323846;

// Where the host's -Z axis and origin of a shape end up in world space.
void worldFrame(const MObject& shape, double direction[3], double position[3])
{
    const MMatrix m = headless::pathTo(shape).inclusiveMatrix();
    for (int i = 0; i < 3; ++i) {
        direction[i] = -m(2, i);
        position[i] = m(3, i);
    }
}

double attribute(const MObject& node, const char* name)
{
    double value = std::numeric_limits<double>::quiet_NaN();
    headless::getAttr(node, name, value);
    return value;
}

TEST(CameraLightConversion, Cameras)
{
    struct Case {
        const char* name;
        float fov, aspect, nearClip, farClip, orthographicWidth;
        aiVector3D position, lookAt;
        ReaderQuirks quirks;
        bool ownChild;
        bool built;
        double focalLength, verticalAperture;
        bool framed;
    };
    ReaderQuirks gltf;
    gltf.cameraPositionIsNodeTranslation = true;
    const double aperture = 1.41732;
    const Case cases[] = {
        {"60 degrees, 3:2", float(kPi / 3), 1.5f, 0.1f, 1000.0f, 0.0f, {0, 0, 0}, {0, 0, -1}, {}, false, true,
         aperture * 25.4 / 2 / std::tan(kPi / 6), aperture / 1.5, false},
        {"placed inside its node", 1.0f, 1.0f, 1.0f, 10.0f, 0.0f, {0, 0, 5}, {0, 0, -1}, {}, false, true,
         aperture * 25.4 / 2 / std::tan(0.5), aperture, true},
        {"glTF position is the node's", 1.0f, 1.0f, 1.0f, 10.0f, 0.0f, {0, 0, 5}, {0, 0, -1}, gltf, false, true,
         aperture * 25.4 / 2 / std::tan(0.5), aperture, false},
        {"node with a mesh", 1.0f, 1.0f, 1.0f, 10.0f, 0.0f, {0, 0, 0}, {0, 0, -1}, {}, true, true,
         aperture * 25.4 / 2 / std::tan(0.5), aperture, true},
        {"orthographic", 0.0f, 0.0f, 1.0f, 10.0f, 4.0f, {0, 0, 0}, {0, 0, -1}, {}, false, true, 35.0, 0.94488, false},
        {"NaN field of view", NAN, 1.0f, 1.0f, 10.0f, 0.0f, {0, 0, 0}, {0, 0, -1}, {}, false, false, 0, 0, false},
        {"infinite position", 1.0f, 1.0f, 1.0f, 10.0f, 0.0f, {INFINITY, 0, 0}, {0, 0, -1}, {}, false, false, 0, 0, false},
    };
    for (const Case& c : cases) {
        headless::newScene();
        NameRegistry names;
        const MObject node = headless::createTransform("cam");
        names.reserve("cam");
        aiCamera camera;
        camera.mHorizontalFOV = c.fov;
        camera.mAspect = c.aspect;
        camera.mClipPlaneNear = c.nearClip;
        camera.mClipPlaneFar = c.farClip;
        camera.mOrthographicWidth = c.orthographicWidth;
        camera.mPosition = c.position;
        camera.mLookAt = c.lookAt;
        std::vector<std::string> warnings;
        const MObject shape = buildCamera(camera, "cam", node, c.ownChild, c.quirks, 2.0, names, warnings);
        EXPECT_EQ(!shape.isNull(), c.built) << c.name;
        EXPECT_EQ(warnings.size(), c.built ? 0u : 1u) << c.name;
        if (!c.built)
            continue;
        EXPECT_STREQ(MFnDependencyNode(shape).name().asChar(), "camShape");
        EXPECT_STREQ(MFnDependencyNode(MFnDagNode(shape).parent(0)).name().asChar(), c.framed ? "cam_frame" : "cam")
            << c.name;
        // The field of view arrives as a float.
        EXPECT_NEAR(attribute(shape, "focalLength"), c.focalLength, 1e-5) << c.name;
        EXPECT_NEAR(attribute(shape, "verticalFilmAperture"), c.verticalAperture, 1e-9) << c.name;
        EXPECT_NEAR(attribute(shape, "nearClipPlane"), 2.0 * c.nearClip, 1e-6) << c.name;
        EXPECT_NEAR(attribute(shape, "farClipPlane"), 2.0 * c.farClip, 1e-6) << c.name;
        EXPECT_EQ(attribute(shape, "orthographic"), c.orthographicWidth > 0 ? 1.0 : 0.0) << c.name;
        if (c.orthographicWidth > 0) {
            EXPECT_NEAR(attribute(shape, "orthographicWidth"), 2.0 * 2.0 * c.orthographicWidth, 1e-9) << c.name;
        }
        double direction[3], position[3];
        worldFrame(shape, direction, position);
        const aiVector3D expected = c.quirks.cameraPositionIsNodeTranslation ? aiVector3D(0, 0, 0) : c.position;
        EXPECT_NEAR(position[2], 2.0 * expected.z, 1e-9) << c.name;
        EXPECT_NEAR(direction[2], -1.0, 1e-9) << c.name;
    }
}

TEST(CameraLightConversion, Lights)
{
    struct Case {
        const char* name;
        aiLightSourceType type;
        aiColor3D colour;
        float linear, quadratic, inner, outer;
        aiVector3D position, direction;
        ReaderQuirks quirks;
        const char* hostType; // nullptr: skipped
        double intensity, red, decay, cone, penumbra;
    };
    ReaderQuirks gltf;
    gltf.spotAnglesAreHalfAngles = true;
    const Case cases[] = {
        {"point", aiLightSource_POINT, {2, 1, 0.5f}, 0, 1, 0, 0, {1, 2, 3}, {0, 0, 0}, {}, "pointLight", 2, 1, 2,
         0, 0},
        {"directional, linear", aiLightSource_DIRECTIONAL, {0.5f, 0.25f, 0}, 1, 0, 0, 0, {0, 0, 0}, {1, 0, 0}, {},
         "directionalLight", 0.5, 1, 1, 0, 0},
        // Facing the host's own -Z turned round, with the up vector along the direction: the frame picks another.
        {"directional along +z, up along it", aiLightSource_DIRECTIONAL, {1, 1, 1}, 0, 0, 0, 0, {0, 0, 0}, {0, 0, 1},
         {}, "directionalLight", 1, 1, 0, 0, 0},
        {"spot", aiLightSource_SPOT, {1, 1, 1}, 0, 0, float(kPi / 6), float(kPi / 3), {0, 0, 0}, {0, -1, 0}, {},
         "spotLight", 1, 1, 0, 30, 15},
        {"glTF spot half angles", aiLightSource_SPOT, {3, 3, 3}, 0, 1, 0.2f, 0.5f, {0, 0, 0}, {0, 0, -1}, gltf,
         "spotLight", 3, 1, 2, 0.4 * 180 / kPi, 0.3 * 180 / kPi},
        {"ambient", aiLightSource_AMBIENT, {0.2f, 0.2f, 0.2f}, 0, 0, 0, 0, {0, 0, 0}, {0, 0, 0}, {}, "ambientLight",
         0.2, 1, -1, 0, 0},
        {"black", aiLightSource_POINT, {0, 0, 0}, 0, 0, 0, 0, {0, 0, 0}, {0, 0, 0}, {}, "pointLight", 0, 0, 0, 0, 0},
        {"area", aiLightSource_AREA, {1, 1, 1}, 0, 0, 0, 0, {0, 0, 0}, {0, 0, -1}, {}, nullptr, 0, 0, 0, 0, 0},
        {"NaN colour", aiLightSource_POINT, {NAN, 1, 1}, 0, 0, 0, 0, {0, 0, 0}, {0, 0, 0}, {}, nullptr, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        headless::newScene();
        NameRegistry names;
        names.reserve("lamp");
        const MObject node = headless::createTransform("lamp");
        aiLight light;
        light.mType = c.type;
        light.mColorDiffuse = c.colour;
        light.mAttenuationLinear = c.linear;
        light.mAttenuationQuadratic = c.quadratic;
        light.mAngleInnerCone = c.inner;
        light.mAngleOuterCone = c.outer;
        light.mPosition = c.position;
        light.mDirection = c.direction;
        light.mUp = aiVector3D(0, 0, 1);
        std::vector<std::string> warnings;
        const MObject shape = buildLight(light, "lamp", node, false, c.quirks, 1.0, names, warnings);
        if (c.hostType == nullptr) {
            EXPECT_TRUE(shape.isNull()) << c.name;
            EXPECT_EQ(warnings.size(), 1u) << c.name;
            continue;
        }
        ASSERT_FALSE(shape.isNull()) << c.name;
        EXPECT_TRUE(warnings.empty()) << c.name;
        EXPECT_STREQ(MFnDependencyNode(shape).typeName().asChar(), c.hostType);
        EXPECT_NEAR(attribute(shape, "intensity"), c.intensity, 1e-6) << c.name;
        std::vector<double> colour;
        ASSERT_TRUE(headless::getAttr(shape, "color", colour));
        EXPECT_NEAR(colour[0], c.red, 1e-6) << c.name;
        if (c.decay >= 0) {
            EXPECT_EQ(attribute(shape, "decayRate"), c.decay) << c.name;
        }
        if (c.type == aiLightSource_SPOT) {
            // Angles read back in degrees, as they were set.
            EXPECT_NEAR(attribute(shape, "coneAngle"), c.cone, 1e-4) << c.name;
            EXPECT_NEAR(attribute(shape, "penumbraAngle"), c.penumbra, 1e-4) << c.name;
        }
        double direction[3], position[3];
        worldFrame(shape, direction, position);
        if (c.type == aiLightSource_POINT || c.type == aiLightSource_SPOT) {
            EXPECT_NEAR(position[1], c.position.y, 1e-9) << c.name;
        }
        if (c.type == aiLightSource_DIRECTIONAL || c.type == aiLightSource_SPOT) {
            const double length = c.direction.Length();
            for (int i = 0; i < 3; ++i)
                EXPECT_NEAR(direction[i], c.direction[i] / length, 1e-9) << c.name << " axis " << i;
        }
    }
}

} // namespace
