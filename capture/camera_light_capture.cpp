#include "capture/camera_light_capture.h"

#include <maya/MColor.h>
#include <maya/MFloatVector.h>
#include <maya/MFn.h>
#include <maya/MFnCamera.h>
#include <maya/MFnLight.h>
#include <maya/MFnNonAmbientLight.h>
#include <maya/MFnSpotLight.h>
#include <maya/MFnTransform.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MVector.h>

#include "log/log.h"
#include "plugin/settings.h"

namespace {

enum { LIGHT_DIRECTIONAL = 0, LIGHT_POINT = 1, LIGHT_SPOT = 2 };

// Scaled in double, then narrowed, so that a scale of 1.0 keeps the host's value exactly.
void storeScaled(float* target, double x, double y, double z)
{
    target[0] = static_cast<float>(x * exportScale);
    target[1] = static_cast<float>(y * exportScale);
    target[2] = static_cast<float>(z * exportScale);
}

} // namespace

int32_t loadCamera(const MDagPath& path, Camera& camera, Model& /*model*/, int32_t /*upAxis*/)
{
    logPrint(0, "Loading Camera...\n");
    pushLogIndent();

    MStatus status;
    MFnCamera fnCamera(path, &status);
    if (!status) {
        logPrint(0, "Error: Failure in MFnCamera initialization.\n");
        popLogIndent();
        return 0;
    }
    MPoint eye = fnCamera.eyePoint(MSpace::kWorld);
    MPoint centre = fnCamera.centerOfInterestPoint(MSpace::kWorld);
    MVector up = fnCamera.upDirection(MSpace::kWorld);
    storeScaled(camera.eyePoint, eye.x, eye.y, eye.z);
    storeScaled(camera.centerOfInterest, centre.x, centre.y, centre.z);
    camera.upDirection[0] = static_cast<float>(up.x);
    camera.upDirection[1] = static_cast<float>(up.y);
    camera.upDirection[2] = static_cast<float>(up.z);

    camera.horizontalFov = static_cast<float>(fnCamera.horizontalFieldOfView());
    camera.verticalFov = static_cast<float>(fnCamera.verticalFieldOfView());
    camera.focalLength = static_cast<float>(fnCamera.focalLength());
    camera.depthOfField = fnCamera.isDepthOfField() ? 1 : 0;
    camera.verticalLock = fnCamera.isVerticalLock() ? 1 : 0;

    logPrint(0, "Camera eye at: %f %f %f.\n", camera.eyePoint[0], camera.eyePoint[1], camera.eyePoint[2]);
    logPrint(0, "Camera COI at: %f %f %f.\n", camera.centerOfInterest[0], camera.centerOfInterest[1],
             camera.centerOfInterest[2]);

    popLogIndent();
    logPrint(0, "Successful.\n");
    return 1;
}

int32_t loadLight(const MDagPath& path, Light& light, Model& /*model*/, int32_t /*upAxis*/)
{
    logPrint(0, "Loading Light...\n");
    pushLogIndent();

    MStatus status;
    if (path.hasFn(MFn::kTransform)) {
        MFnTransform transform(path, &status);
        if (!status) {
            logPrint(0, "Error: Failure in MFnTransform initialization.\n");
            popLogIndent();
            return 0;
        }
        MVector translation = transform.translation(MSpace::kWorld);
        storeScaled(light.position, translation.x, translation.y, translation.z);
        logPrint(0, "Position: %f %f %f.\n", light.position[0], light.position[1], light.position[2]);
    } else {
        logPrint(0, "Has no kTransform Fn.\n");
    }

    MFnLight fnLight(path, &status);
    if (!status) {
        logPrint(0, "Error: Failure in MFnLight initialization.\n");
        popLogIndent();
        return 0;
    }
    MColor color = fnLight.color();
    light.color[0] = color.r;
    light.color[1] = color.g;
    light.color[2] = color.b;
    // The world direction the light points in. The argument-less query only reports a render-time
    // attribute, which is zero outside rendering.
    MFloatVector direction = fnLight.lightDirection(0, MSpace::kWorld);
    light.direction[0] = direction.x;
    light.direction[1] = direction.y;
    light.direction[2] = direction.z;
    logPrint(0, "Color: %f %f %f\n", light.color[0], light.color[1], light.color[2]);
    light.intensity = fnLight.intensity();

    if (path.hasFn(MFn::kNonAmbientLight)) {
        MFnNonAmbientLight nonAmbient(path, &status);
        if (!status) {
            logPrint(0, "Error: Failure in MFnNonAmbientLight initialization.\n");
            popLogIndent();
            return 0;
        }
        light.decayRate = nonAmbient.decayRate();
    }

    if (path.hasFn(MFn::kDirectionalLight)) {
        logPrint(0, "Loading directional light.\n");
        light.type = LIGHT_DIRECTIONAL;
        logPrint(0, "Direction: %f %f %f\n", light.direction[0], light.direction[1], light.direction[2]);
    } else if (path.hasFn(MFn::kPointLight)) {
        logPrint(0, "Loading point light.\n");
        light.type = LIGHT_POINT;
    } else if (path.hasFn(MFn::kSpotLight)) {
        logPrint(0, "Loading spot light.\n");
        light.type = LIGHT_SPOT;
        MFnSpotLight spot(path, &status);
        if (!status) {
            logPrint(0, "Error: Failure in MFnSpotLight initialization.\n");
            popLogIndent();
            return 0;
        }
        light.coneAngle = static_cast<float>(spot.coneAngle());
        light.dropOff = static_cast<float>(spot.dropOff());
        logPrint(0, "Direction: %f %f %f\n", light.direction[0], light.direction[1], light.direction[2]);
    } else {
        logPrint(0, "Unknown light type.\n");
    }

    popLogIndent();
    logPrint(0, "Successful.\n");
    return 1;
}
