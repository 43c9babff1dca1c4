#include "capture/nurbs_capture.h"

#include <cstring>

#include <maya/MFnDagNode.h>
#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MPoint.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"
#include "materials/material_assignment.h"
#include "model/allocation.h"
#include "model/fixed_text.h"
#include "plugin/settings.h"

namespace {

const int32_t kPatchSide = 4; // control points of a bicubic Bezier patch in each direction
const int32_t kPatchStep = 3; // neighbouring patches share their border row or column

void storeScaled(float* target, const MPoint& point)
{
    // Scaled in double, then narrowed, so that a scale of 1.0 keeps the host's value exactly.
    target[0] = static_cast<float>(point.x * exportScale);
    target[1] = static_cast<float>(point.y * exportScale);
    target[2] = static_cast<float>(point.z * exportScale);
}

} // namespace

void copyNurbsName(char* field, size_t capacity, const char* hostName)
{
    size_t length = strlen(hostName);
    const char* shape = strstr(hostName, "Shape");
    if (shape && static_cast<size_t>(shape - hostName) + 5 == length)
        length -= 5;
    if (length >= capacity)
        length = capacity - 1;
    memcpy(field, hostName, length);
    field[length] = '\0';
}

int32_t loadNURBS(const MDagPath& path, Nurb* patches, int32_t firstFree, Model& model, int32_t /*upAxis*/)
{
    MFnDagNode dagNode(path);
    char name[NAME_SIZE];
    copyNurbsName(name, sizeof(name), dagNode.name().asChar());
    logPrint(0, "Loading NURBS... '%s'\n", name);
    pushLogIndent();

    MStatus status;
    MFnNurbsSurface surface(path, &status);
    if (!status) {
        logPrint(0, "Error: Failure in MFnNurbsSurface initialization.\n");
        popLogIndent();
        return 0;
    }
    if (!surface.isBezier())
        logPrint(0, "Warning: NURBS surface is not bezier.\n");

    int32_t numCVsInU = surface.numCVsInU();
    int32_t numCVsInV = surface.numCVsInV();
    // A surface has at least two control points each way; anything less gives no patch either.
    int32_t numUPatches = numCVsInU > 1 ? (numCVsInU - 1) / kPatchStep : 0;
    int32_t numVPatches = numCVsInV > 1 ? (numCVsInV - 1) / kPatchStep : 0;
    int32_t numPatches = numUPatches * numVPatches;
    // The surface capture computes no texture coordinates: the last value of the summary is always 0.
    logPrint(2, "NURBS: numCVsInU %i, numCVsInV %i, numUPatches %i, numVPatches %i, numPatches %i, numUVs %i\n",
             numCVsInU, numCVsInV, numUPatches, numVPatches, numPatches, 0);

    int32_t capacity = model.numFrames > 0 && model.frames ? model.frames[0].numNURBS : 0;
    int32_t index = firstFree;
    for (int32_t pu = 0; pu < numUPatches; ++pu) {
        for (int32_t pv = 0; pv < numVPatches; ++pv) {
            if (index >= capacity || !patches) {
                logPrint(0, "Error: Trying to export too many NURBS\n");
                continue;
            }
            Nurb& patch = patches[index];
            patch.materialIndex = getMaterialIndexForPath(path, model);
            patch.degreeU = surface.degreeU();
            patch.degreeV = surface.degreeV();
            patch.numCVsInU = kPatchSide;
            patch.numCVsInV = kPatchSide;
            patch.controlPoints = allocateArray<float>("nurb->controlPoints", kPatchSide * kPatchSide * 3);
            if (patch.controlPoints) {
                for (int32_t i = 0; i < kPatchSide; ++i) {
                    for (int32_t j = 0; j < kPatchSide; ++j) {
                        MPoint point;
                        surface.getCV(static_cast<unsigned>(kPatchStep * pu + i),
                                      static_cast<unsigned>(kPatchStep * pv + j), point, MSpace::kWorld);
                        float* stored = patch.controlPoints + (i * kPatchSide + j) * 3;
                        storeScaled(stored, point);
                        logPrint(2, "%i CV %f %f %f\n", i * kPatchSide + j, stored[0], stored[1], stored[2]);
                    }
                }
            }
            ++index;
        }
    }

    popLogIndent();
    logPrint(0, "Successful.\n");
    return numPatches;
}

int32_t loadNURBSCurve(const MDagPath& path, Curve& curve, Model& /*model*/, int32_t /*upAxis*/)
{
    MFnDagNode dagNode(path);
    copyNurbsName(curve.name, sizeof(curve.name), dagNode.name().asChar());
    logPrint(0, "Loading NURBS curve... '%s'\n", curve.name);
    pushLogIndent();

    MStatus status;
    MFnNurbsCurve fnCurve(path, &status);
    if (!status) {
        logPrint(0, "Error: Failure in MFnNurbsCurve initialization.\n");
        popLogIndent();
        return 0;
    }
    int32_t numCVs = fnCurve.numCVs();
    if (numCVs < 0)
        numCVs = 0;
    curve.numCVs = numCVs;
    curve.degree = fnCurve.degree();
    if (curve.degree != 3)
        logPrint(0, "Warning: NURBS curve is not bezier.\n");

    curve.controlPoints = allocateArray<float>("curve->controlPoints", static_cast<size_t>(numCVs) * 3);
    if (!curve.controlPoints) {
        // The allocator has logged why; a curve without its points is not captured.
        curve.numCVs = 0;
        popLogIndent();
        return 0;
    }
    for (int32_t k = 0; k < numCVs; ++k) {
        MPoint point;
        fnCurve.getCV(static_cast<unsigned>(k), point, MSpace::kWorld);
        float* stored = curve.controlPoints + k * 3;
        storeScaled(stored, point);
        logPrint(2, "%i CV %f %f %f\n", k, stored[0], stored[1], stored[2]);
    }

    popLogIndent();
    logPrint(0, "Successful.\n");
    return 1;
}
