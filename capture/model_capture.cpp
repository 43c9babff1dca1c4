#include "capture/model_capture.h"

#include <maya/MDagPath.h>

#include "capture/camera_light_capture.h"
#include "capture/lattice_capture.h"
#include "capture/mesh_capture.h"
#include "capture/nurbs_capture.h"
#include "capture/scene_scan.h"
#include "capture/scene_walk.h"
#include "log/log.h"
#include "materials/material_capture.h"
#include "model/allocation.h"
#include "optimise/duplicates.h"
#include "plugin/settings.h"

namespace {

// State of one capture loop: where the next record of each kind goes.
struct CaptureWalk {
    Model* model;
    int32_t upAxis;
    int32_t meshesFilled;
    int32_t patchIndex; // running NURBS patch index: dropped patches count too
    int32_t curvesFilled;
    int32_t latticesFilled;
    int32_t camerasFilled;
    int32_t lightsFilled;
};

// Logs why a node the walk reports is passed over; true for a node whose type is to be tested.
bool acceptNode(SceneNodeState state)
{
    if (state == SCENE_NODE_INTERMEDIATE) {
        logPrint(0, "Node is intermidiate object\n");
        return false;
    }
    if (state == SCENE_NODE_HIDDEN) {
        logPrint(0, "Node is not visible\n");
        return false;
    }
    return true;
}

// True while a kind has a record left to fill; a node past the counted number is logged and passed
// over, and the walk goes on.
bool hasRoom(int32_t filled, int32_t count, const char* tooManyMessage)
{
    if (filled < count)
        return true;
    logPrint(0, "%s", tooManyMessage);
    return false;
}

// Takes the next record of a kind once it is loaded; a failed load is logged and stops the walk.
bool countLoaded(bool loaded, int32_t& filled, const char* failedMessage)
{
    if (!loaded) {
        logPrint(0, "%s", failedMessage);
        return false;
    }
    ++filled;
    return true;
}

bool visitMeshNode(const MDagPath& path, SceneNodeState state, void* context)
{
    CaptureWalk& walk = *static_cast<CaptureWalk*>(context);
    if (!acceptNode(state) || classifyNode(path) != SCENE_KIND_MESH)
        return true;
    Frame& frame = walk.model->frames[0];
    if (!hasRoom(walk.meshesFilled, frame.numMeshes, "Error: Tried to load more meshes than model->numMeshes.\n"))
        return true;
    return countLoaded(loadMesh(path, frame.meshes[walk.meshesFilled], *walk.model, walk.upAxis), walk.meshesFilled,
                       "Error: Could not load mesh.\n");
}

bool visitMiscNode(const MDagPath& path, SceneNodeState state, void* context)
{
    CaptureWalk& walk = *static_cast<CaptureWalk*>(context);
    if (!acceptNode(state))
        return true;
    Model& model = *walk.model;
    Frame& frame = model.frames[0];
    switch (classifyNode(path)) {
    case SCENE_KIND_NURBS_SURFACE:
        if (hasRoom(walk.patchIndex, frame.numNURBS, "Error: Tried to load more NURBS than model->numNURBS.\n"))
            walk.patchIndex += loadNURBS(path, frame.NURBS, walk.patchIndex, model, walk.upAxis);
        return true;
    case SCENE_KIND_NURBS_CURVE:
        if (!hasRoom(walk.curvesFilled, frame.numNURBSCurves,
                     "Error: Tried to load more NURBS curves than model->numNURBSCurves.\n"))
            return true;
        return countLoaded(loadNURBSCurve(path, frame.NURBSCurves[walk.curvesFilled], model, walk.upAxis),
                           walk.curvesFilled, "Error: Could not load NURBS curve.\n");
    case SCENE_KIND_LATTICE:
        if (!hasRoom(walk.latticesFilled, frame.numLattices,
                     "Error: Tried to load more lattices than model->numLattices.\n"))
            return true;
        return countLoaded(loadLattice(path, frame.lattices[walk.latticesFilled], model, walk.upAxis),
                           walk.latticesFilled, "Error: Could not load lattice.\n");
    case SCENE_KIND_CAMERA:
        if (!hasRoom(walk.camerasFilled, frame.numCameras,
                     "Error: Tried to load more cameras than model->numCameras.\n"))
            return true;
        return countLoaded(loadCamera(path, frame.cameras[walk.camerasFilled], model, walk.upAxis),
                           walk.camerasFilled, "Error: Could not load camera.\n");
    case SCENE_KIND_LIGHT:
        if (!hasRoom(walk.lightsFilled, frame.numLights, "Error: Tried to load more lights than model->numLights.\n"))
            return true;
        return countLoaded(loadLight(path, frame.lights[walk.lightsFilled], model, walk.upAxis), walk.lightsFilled,
                           "Error: Could not load light.\n");
    case SCENE_KIND_MESH: // the mesh walk's
    case SCENE_KIND_NONE:
        return true;
    }
    return true;
}

// Shared by both loops: the frame check, then the walk with the loop's node rule.
bool runCaptureWalk(Model& model, int32_t captureMode, int32_t upAxis, SceneNodeVisitor visitor)
{
    if (model.numFrames < 1 || !model.frames) {
        logPrint(0, "Error: No frames found.\n");
        return false;
    }
    CaptureWalk walk = {&model, upAxis, 0, 0, 0, 0, 0, 0};
    return walkScene(captureMode, visitor, &walk);
}

// Releases everything a failed capture allocated, silently, leaving an empty model behind.
void releaseCapture(Model& model)
{
    releaseArray(model.materials);
    model.numMaterials = 0;
    if (model.frames) {
        freeFrameMeshes(model.frames[0]);
        freeFrameMisc(model.frames[0]);
    }
    releaseArray(model.frames);
    model.numFrames = 0;
}

struct SceneCounts {
    int32_t meshes = 0, NURBS = 0, NURBSCurves = 0, lattices = 0, cameras = 0, lights = 0;
};

// The opening both capture stages share: their log line, the frame check and the count of every kind.
// On failure the stage's indentation is closed again.
bool openCountingStage(const Model& model, int32_t captureMode, SceneCounts& counts)
{
    logPrint(0, "Getting meshes from maya data...\n");
    pushLogIndent();
    if (model.numFrames < 1 || !model.frames) {
        logPrint(0, "No frames found.\n");
        popLogIndent();
        return false;
    }
    if (!countSceneObjects(captureMode, counts.meshes, counts.NURBS, counts.NURBSCurves, counts.lattices,
                           counts.cameras, counts.lights)) {
        logPrint(0, "Error: Failed to retrieve the number of geometries in the scene.\n");
        popLogIndent();
        return false;
    }
    return true;
}

void optimizeMeshes(Frame& frame)
{
    for (int32_t i = 0; i < frame.numMeshes; ++i) {
        Mesh& mesh = frame.meshes[i];
        logPrint(0, "Optimizing mesh %i: %s\n", i, mesh.name);
        int32_t numVerts = mesh.numVerts;
        int32_t removedVerts = removeDuplicateVerts(mesh);
        int32_t numColors = mesh.numColors;
        int32_t removedColors = removeDuplicateColors(mesh);
        int32_t numUVs = mesh.numUVs;
        int32_t removedUVs = removeDuplicateUVs(mesh);
        int32_t numNormals = mesh.numNormals;
        int32_t removedNormals = removeDuplicateNormals(mesh);
        pushLogIndent();
        logPrint(0, "Number of duplicate vertices: %i / %i\n", removedVerts, numVerts);
        logPrint(0, "Number of duplicate colors: %i / %i\n", removedColors, numColors);
        logPrint(0, "Number of duplicate UVs: %i / %i\n", removedUVs, numUVs);
        logPrint(0, "Number of duplicate normals: %i / %i\n", removedNormals, numNormals);
        popLogIndent();
        logPrint(0, "Successful.\n");
    }
}

} // namespace

bool getMayaModelData(Model& model, int32_t captureMode, int32_t optimize, int32_t upAxis)
{
    pushLogIndent();
    if (!getMayaMaterials(model, captureMode)) {
        logPrint(0, "getMayaMaterials failed.\n");
        releaseCapture(model);
        popLogIndent();
        return false;
    }

    model.frames = allocateArray<Frame>("model->frames", 1);
    if (!model.frames) {
        // The allocator has logged why.
        releaseCapture(model);
        popLogIndent();
        return false;
    }
    model.numFrames = 1;

    if (!getMayaMeshes(model, captureMode, upAxis)) {
        logPrint(0, "getMayaMeshes failed.\n");
        releaseCapture(model);
        popLogIndent();
        return false;
    }
    if (!getMayaMisc(model, captureMode, upAxis)) {
        logPrint(0, "getMayaMisc failed.\n");
        releaseCapture(model);
        popLogIndent();
        return false;
    }
    if (optimize)
        optimizeMeshes(model.frames[0]);

    popLogIndent();
    logPrint(0, "Successful.\n");
    return true;
}

bool getMayaMeshes(Model& model, int32_t captureMode, int32_t upAxis)
{
    // The other kinds are counted again, and their arrays sized, by getMayaMisc: until then their
    // counts stay 0 beside their null arrays.
    SceneCounts counts;
    if (!openCountingStage(model, captureMode, counts))
        return false;
    Frame& frame = model.frames[0];
    if (counts.meshes < 1)
        logPrint(0, "Warning: No meshes found!\n");
    logPrint(0, "Found: %i meshes.\n", counts.meshes);

    freeFrameMeshes(frame); // nothing, unless the stage runs twice on one model
    frame.meshes = allocateArray<Mesh>("frame->meshes", static_cast<size_t>(counts.meshes));
    if (!frame.meshes) {
        popLogIndent();
        return false;
    }
    frame.numMeshes = counts.meshes;

    if (!loadMeshNodes(model, captureMode, upAxis)) {
        logPrint(0, "Could not load any meshes.\n");
        freeFrameMeshes(frame);
        popLogIndent();
        return false;
    }
    popLogIndent();
    logPrint(0, "Successful.\n");
    return true;
}

bool getMayaMisc(Model& model, int32_t captureMode, int32_t upAxis)
{
    SceneCounts counts;
    if (!openCountingStage(model, captureMode, counts))
        return false;
    Frame& frame = model.frames[0];
    logPrint(0, "Found: %i NURBS, %i NURBS Curves, %i lattices, %i cameras, %i lights.\n", counts.NURBS,
             counts.NURBSCurves, counts.lattices, counts.cameras, counts.lights);

    freeFrameMisc(frame); // nothing, unless the stage runs twice on one model
    frame.lattices = allocateArray<Lattice>("frame->lattices", static_cast<size_t>(counts.lattices));
    frame.NURBS = allocateArray<Nurb>("frame->NURBS", static_cast<size_t>(counts.NURBS));
    frame.NURBSCurves = allocateArray<Curve>("frame->NURBSCurves", static_cast<size_t>(counts.NURBSCurves));
    frame.cameras = allocateArray<Camera>("frame->cameras", static_cast<size_t>(counts.cameras));
    frame.lights = allocateArray<Light>("frame->lights", static_cast<size_t>(counts.lights));
    if (!frame.lattices || !frame.NURBS || !frame.NURBSCurves || !frame.cameras || !frame.lights) {
        freeFrameMisc(frame);
        popLogIndent();
        return false;
    }
    frame.numLattices = counts.lattices;
    frame.numNURBS = counts.NURBS;
    frame.numNURBSCurves = counts.NURBSCurves;
    frame.numCameras = counts.cameras;
    frame.numLights = counts.lights;

    if (!loadMiscNodes(model, captureMode, upAxis)) {
        logPrint(0, "Could not load any geometries.\n");
        // All five counts go back to 0 with their arrays, the lights' included.
        freeFrameMisc(frame);
        popLogIndent();
        return false;
    }
    popLogIndent();
    logPrint(0, "Successful.\n");
    return true;
}

bool loadMeshNodes(Model& model, int32_t captureMode, int32_t upAxis)
{
    logPrint(0, captureMode == CAPTURE_SELECTION ? "Loading meshes using current selection.\n" : "Loading all meshes.\n");
    pushLogIndent();
    bool walked = runCaptureWalk(model, captureMode, upAxis, visitMeshNode);
    popLogIndent();
    if (walked)
        logPrint(0, "Successful.\n");
    return walked;
}

bool loadMiscNodes(Model& model, int32_t captureMode, int32_t upAxis)
{
    logPrint(0, captureMode == CAPTURE_SELECTION ? "Loading misc geometry using current selection.\n"
                                                 : "Loading all misc geometry.\n");
    pushLogIndent();
    bool walked = runCaptureWalk(model, captureMode, upAxis, visitMiscNode);
    popLogIndent();
    if (walked)
        logPrint(0, "Successful.\n");
    return walked;
}
