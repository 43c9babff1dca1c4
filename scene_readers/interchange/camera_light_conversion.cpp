#include "scene_readers/interchange/camera_light_conversion.h"

#include <assimp/camera.h>
#include <assimp/light.h>

#include <headless/scene.h>

#include <algorithm>
#include <cmath>

namespace interchange {

namespace {

const double kPi = 3.14159265358979323846;
// The host's default horizontal film aperture, in inches; focal lengths are in millimetres.
const double kFilmApertureInches = 1.41732;
const double kTolerance = 1e-6;

bool finite(const aiVector3D& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool near(double a, double b)
{
    return std::fabs(a - b) <= kTolerance;
}

// The transform a shape goes under: the node's own, or a new child holding the shape's frame.
MObject shapeParent(const MObject& nodeTransform, const std::string& name, bool ownChild, bool framed,
                    const TransformParts& frame, NameRegistry& names)
{
    if (!framed && !ownChild)
        return nodeTransform;
    MObject child = headless::createTransform(names.claim(name + "_frame", "frame"), nodeTransform);
    headless::setAttr(child, "translate", std::vector<double>(frame.translate, frame.translate + 3));
    headless::setAttr(child, "rotate", std::vector<double>(frame.rotateDegrees, frame.rotateDegrees + 3));
    return child;
}

} // namespace

bool shapeFrame(const aiVector3D& position, const aiVector3D& direction, const aiVector3D& up, double scale,
                TransformParts& parts)
{
    parts = TransformParts();
    if (!finite(position) || !finite(direction) || !finite(up))
        return false;
    double forward[3] = {direction.x, direction.y, direction.z};
    const double length = std::sqrt(forward[0] * forward[0] + forward[1] * forward[1] + forward[2] * forward[2]);
    if (length < 1e-12)
        return false;
    for (double& f : forward)
        f /= length;
    // Host axes in the node's space: z = -forward, x = up x z, y = z x x.
    const double z[3] = {-forward[0], -forward[1], -forward[2]};
    double upHint[3] = {up.x, up.y, up.z};
    double x[3] = {upHint[1] * z[2] - upHint[2] * z[1], upHint[2] * z[0] - upHint[0] * z[2],
                   upHint[0] * z[1] - upHint[1] * z[0]};
    double xLength = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    if (xLength < 1e-9) {
        // No usable up vector: take the world axis least along the direction.
        upHint[0] = upHint[1] = upHint[2] = 0.0;
        upHint[std::fabs(z[1]) < 0.9 ? 1 : 0] = 1.0;
        x[0] = upHint[1] * z[2] - upHint[2] * z[1];
        x[1] = upHint[2] * z[0] - upHint[0] * z[2];
        x[2] = upHint[0] * z[1] - upHint[1] * z[0];
        xLength = std::sqrt(x[0] * x[0] + x[1] * x[1] + x[2] * x[2]);
    }
    for (double& c : x)
        c /= xLength;
    const double y[3] = {z[1] * x[2] - z[2] * x[1], z[2] * x[0] - z[0] * x[2], z[0] * x[1] - z[1] * x[0]};
    const double matrix[4][4] = {
        {x[0], x[1], x[2], 0},
        {y[0], y[1], y[2], 0},
        {z[0], z[1], z[2], 0},
        {position.x * scale, position.y * scale, position.z * scale, 1},
    };
    if (!decomposeMatrix(matrix, parts))
        return false;
    const bool identity = near(x[0], 1) && near(y[1], 1) && near(z[2], 1) && near(matrix[3][0], 0) &&
                          near(matrix[3][1], 0) && near(matrix[3][2], 0);
    return !identity;
}

MObject buildCamera(const aiCamera& camera, const std::string& name, const MObject& nodeTransform, bool ownChild,
                    const ReaderQuirks& quirks, double scale, NameRegistry& names, std::vector<std::string>& warnings)
{
    const double fov = camera.mHorizontalFOV, aspect = camera.mAspect;
    const double nearClip = camera.mClipPlaneNear * scale, farClip = camera.mClipPlaneFar * scale;
    const double orthographicWidth = double(camera.mOrthographicWidth) * 2.0 * scale;
    if (!std::isfinite(fov) || !std::isfinite(aspect) || !std::isfinite(nearClip) || !std::isfinite(farClip) ||
        !std::isfinite(orthographicWidth) || !finite(camera.mPosition) || !finite(camera.mLookAt) ||
        !finite(camera.mUp)) {
        warnings.push_back("camera " + name + " has values that are not finite numbers; skipped");
        return MObject();
    }
    const aiVector3D origin(0, 0, 0);
    TransformParts frame;
    const bool framed = shapeFrame(quirks.cameraPositionIsNodeTranslation ? origin : camera.mPosition,
                                   camera.mLookAt, camera.mUp, scale, frame);
    const MObject parent = shapeParent(nodeTransform, name, ownChild, framed, frame, names);
    const MObject shape = headless::createCamera(names.claim(name + "Shape", "cameraShape"), parent);
    if (shape.isNull())
        return shape;
    headless::setAttr(shape, "horizontalFilmAperture", kFilmApertureInches);
    headless::setAttr(shape, "filmFit", 1.0);
    if (fov > 0.0 && fov < kPi)
        headless::setAttr(shape, "focalLength", kFilmApertureInches * 25.4 / 2.0 / std::tan(fov / 2.0));
    if (aspect > 0.0)
        headless::setAttr(shape, "verticalFilmAperture", kFilmApertureInches / aspect);
    if (nearClip > 0.0 && farClip > nearClip) {
        headless::setAttr(shape, "nearClipPlane", nearClip);
        headless::setAttr(shape, "farClipPlane", farClip);
    }
    if (orthographicWidth > 0.0) {
        headless::setAttr(shape, "orthographic", 1.0);
        headless::setAttr(shape, "orthographicWidth", orthographicWidth);
    }
    return shape;
}

MObject buildLight(const aiLight& light, const std::string& name, const MObject& nodeTransform, bool ownChild,
                   const ReaderQuirks& quirks, double scale, NameRegistry& names, std::vector<std::string>& warnings)
{
    headless::LightKind kind;
    switch (light.mType) {
    case aiLightSource_AMBIENT:
        kind = headless::LightKind::Ambient;
        break;
    case aiLightSource_DIRECTIONAL:
        kind = headless::LightKind::Directional;
        break;
    case aiLightSource_POINT:
        kind = headless::LightKind::Point;
        break;
    case aiLightSource_SPOT:
        kind = headless::LightKind::Spot;
        break;
    default:
        warnings.push_back("light " + name + " is of a kind the host has no light for (area or unknown); skipped");
        return MObject();
    }
    aiColor3D colour = light.mColorDiffuse;
    if (kind == headless::LightKind::Ambient && colour.IsBlack())
        colour = light.mColorAmbient;
    double inner = light.mAngleInnerCone, outer = light.mAngleOuterCone;
    if (quirks.spotAnglesAreHalfAngles) {
        inner *= 2.0;
        outer *= 2.0;
    }
    if (!std::isfinite(colour.r) || !std::isfinite(colour.g) || !std::isfinite(colour.b) ||
        !finite(light.mPosition) || !finite(light.mDirection) || !finite(light.mUp) || !std::isfinite(inner) ||
        !std::isfinite(outer) || !std::isfinite(light.mAttenuationLinear) ||
        !std::isfinite(light.mAttenuationQuadratic)) {
        warnings.push_back("light " + name + " has values that are not finite numbers; skipped");
        return MObject();
    }

    // Only what the kind uses decides the frame: a direction for directional and spot lights, a position for
    // point and spot lights.
    const bool directed = kind == headless::LightKind::Directional || kind == headless::LightKind::Spot;
    const bool placed = kind == headless::LightKind::Point || kind == headless::LightKind::Spot;
    const aiVector3D origin(0, 0, 0), down(0, 0, -1), up(0, 1, 0);
    const bool hasDirection = light.mDirection.SquareLength() > 0.0f;
    TransformParts frame;
    const bool framed = shapeFrame(placed ? light.mPosition : origin,
                                   directed && hasDirection ? light.mDirection : down,
                                   directed && hasDirection ? light.mUp : up, scale, frame);
    const MObject parent = shapeParent(nodeTransform, name, ownChild, framed, frame, names);
    const MObject shape = headless::createLight(kind, names.claim(name + "Shape", "lightShape"), parent);
    if (shape.isNull())
        return shape;

    const double intensity = std::max({double(colour.r), double(colour.g), double(colour.b), 0.0});
    if (intensity > 0.0)
        headless::setAttr(shape, "color",
                          std::vector<double>{colour.r / intensity, colour.g / intensity, colour.b / intensity});
    else
        headless::setAttr(shape, "color", std::vector<double>{0.0, 0.0, 0.0});
    headless::setAttr(shape, "intensity", intensity);
    if (kind != headless::LightKind::Ambient) {
        const double decay = light.mAttenuationQuadratic > 0.0f ? 2.0 : light.mAttenuationLinear > 0.0f ? 1.0 : 0.0;
        headless::setAttr(shape, "decayRate", decay);
    }
    if (kind == headless::LightKind::Spot && inner > 0.0 && inner < 2.0 * kPi) {
        const double cone = std::min(inner, kPi * 179.0 / 180.0);
        headless::setAttr(shape, "coneAngle", cone * 180.0 / kPi);
        if (outer > inner && outer < 2.0 * kPi)
            headless::setAttr(shape, "penumbraAngle", (outer - inner) / 2.0 * 180.0 / kPi);
    }
    return shape;
}

} // namespace interchange
