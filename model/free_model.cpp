#include "log/log.h"
#include "model/allocation.h"
#include "model/model.h"

void freeMeshArrays(Mesh& mesh)
{
    releaseArray(mesh.verts);
    releaseArray(mesh.UVs);
    releaseArray(mesh.normals);
    releaseArray(mesh.colors);
    releaseArray(mesh.polygons);
}

void freeFrameMeshes(Frame& frame)
{
    if (frame.meshes)
        for (int32_t i = 0; i < frame.numMeshes; ++i)
            freeMeshArrays(frame.meshes[i]);
    releaseArray(frame.meshes);
    frame.numMeshes = 0;
}

void freeFrameMisc(Frame& frame)
{
    if (frame.lattices)
        for (int32_t i = 0; i < frame.numLattices; ++i)
            releaseArray(frame.lattices[i].latticePoints);
    releaseArray(frame.lattices);
    if (frame.NURBS)
        for (int32_t i = 0; i < frame.numNURBS; ++i)
            releaseArray(frame.NURBS[i].controlPoints);
    releaseArray(frame.NURBS);
    if (frame.NURBSCurves)
        for (int32_t i = 0; i < frame.numNURBSCurves; ++i)
            releaseArray(frame.NURBSCurves[i].controlPoints);
    releaseArray(frame.NURBSCurves);
    releaseArray(frame.cameras);
    releaseArray(frame.lights);
    frame.numLattices = 0;
    frame.numNURBS = 0;
    frame.numNURBSCurves = 0;
    frame.numCameras = 0;
    frame.numLights = 0;
}

void freeModel(Model& model)
{
    releaseArray(model.materials);
    model.numMaterials = 0;
    if (model.numFrames < 1 || !model.frames) {
        logPrint(0, "No frames found.\n");
        releaseArray(model.frames);
        model.numFrames = 0;
        return;
    }
    freeFrameMeshes(model.frames[0]);
    freeFrameMisc(model.frames[0]);
    releaseArray(model.frames);
    model.numFrames = 0;
}
