#include "capture/scene_scan.h"

#include <maya/MFn.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MStatus.h>

#include "capture/scene_walk.h"
#include "log/log.h"

namespace {

struct SceneCounts {
    int32_t* numMeshes;
    int32_t* numNURBS;
    int32_t* numNURBSCurves;
    int32_t* numLattices;
    int32_t* numCameras;
    int32_t* numLights;
    bool wholeScene;
};

struct DiagnosticType {
    MFn::Type type;
    const char* name;
};

const DiagnosticType diagnosticTypes[] = {
    {MFn::kTransform, "kTransform"},
    {MFn::kAttribute, "kAttribute"},
    {MFn::kMesh, "kMesh"},
    {MFn::kMeshVarGroup, "kMeshVarGroup"},
    {MFn::kGeometric, "kGeometric"},
    {MFn::kLattice, "kLattice"},
    {MFn::kLatticeData, "kLatticeData"},
    {MFn::kLatticeGeom, "kLatticeGeom"},
    {MFn::kLatticeComponent, "kLatticeComponent"},
    {MFn::kMeshGeom, "kMeshGeom"},
    {MFn::kGeometryData, "kGeometryData"},
    {MFn::kMaterial, "kMaterial"},
    {MFn::kLambert, "kLambert"},
    {MFn::kCamera, "kCamera"},
    {MFn::kNurbsSurface, "kNurbsSurface"},
    {MFn::kDummy, "kDummy"},
    {MFn::kSurface, "kSurface"},
    {MFn::kAimConstraint, "kAimConstraint"},
    {MFn::kFFD, "kFFD"},
    {MFn::kFfdDualBase, "kFfdDualBase"},
    {MFn::kLightSource, "kLightSource"},
    {MFn::kLight, "kLight"},
    {MFn::kDirectionalLight, "kDirectionalLight"},
    {MFn::kPointLight, "kPointLight"},
    {MFn::kSpotLight, "kSpotLight"},
    {MFn::kLookAt, "kLookAt"},
    {MFn::kNurbsPlane, "kNurbsPlane"},
    {MFn::kGeometryVarGroup, "kGeometryVarGroup"},
    {MFn::kBaseLattice, "kBaseLattice"},
};

void logTypeDiagnostics(const MDagPath& path)
{
    // Level 5 is above the fixed threshold: skip the 29 host queries per node unless it would be written.
    if (logVerbosity < 5)
        return;
    for (const DiagnosticType& diagnostic : diagnosticTypes)
        if (path.hasFn(diagnostic.type))
            logPrint(5, "hasFn: %s.\n", diagnostic.name);
    logPrint(5, "\n");
}

bool countNode(const MDagPath& path, SceneNodeState state, void* context)
{
    SceneCounts& counts = *static_cast<SceneCounts*>(context);
    if (state != SCENE_NODE_ACCEPTED)
        return true;
    if (counts.wholeScene)
        logTypeDiagnostics(path);
    switch (classifyNode(path)) {
    case SCENE_KIND_NURBS_SURFACE:
        *counts.numNURBS += countBezierPatches(path);
        break;
    case SCENE_KIND_NURBS_CURVE:
        *counts.numNURBSCurves += 1;
        break;
    case SCENE_KIND_LATTICE:
        *counts.numLattices += 1;
        break;
    case SCENE_KIND_CAMERA:
        *counts.numCameras += 1;
        break;
    case SCENE_KIND_LIGHT:
        *counts.numLights += 1;
        break;
    case SCENE_KIND_MESH:
        *counts.numMeshes += 1;
        break;
    case SCENE_KIND_NONE:
        break;
    }
    return true;
}

} // namespace

bool countSceneObjects(int32_t captureMode, int32_t& numMeshes, int32_t& numNURBS, int32_t& numNURBSCurves,
                       int32_t& numLattices, int32_t& numCameras, int32_t& numLights)
{
    numMeshes = numNURBS = numNURBSCurves = numLattices = numCameras = numLights = 0;
    SceneCounts counts = {&numMeshes,  &numNURBS,   &numNURBSCurves, &numLattices,
                          &numCameras, &numLights,  captureMode != 2};
    return walkScene(captureMode, countNode, &counts);
}

int32_t countBezierPatches(const MDagPath& path)
{
    MStatus status;
    MFnNurbsSurface surface(path, &status);
    if (!status) {
        logPrint(0, "Error: Failure in MFnNurbsSurface initialization.\n");
        return 0;
    }
    if (!surface.isBezier()) {
        logPrint(0, "Warning: NURBS surface is not bezier.\n");
        return 0;
    }
    return ((surface.numCVsInU() - 1) / 3) * ((surface.numCVsInV() - 1) / 3);
}
