#pragma once
// The scene model: the plug-in's own copy of the host scene for one export.

#include <cstdint>

#include "model/material.h"
#include "model/records.h"

// The captured objects of one frame. Counts are set by the scene scan before their arrays are
// allocated; arrays hold exactly that many records.
struct Frame {
    int32_t numMeshes;
    Mesh* meshes; // "frame->meshes"
    int32_t numLattices;
    Lattice* lattices; // "frame->lattices"
    int32_t numCameras;
    Camera* cameras; // "frame->cameras"
    int32_t numNURBS; // patches, not surfaces
    Nurb* NURBS;      // "frame->NURBS"
    int32_t numNURBSCurves;
    Curve* NURBSCurves; // "frame->NURBSCurves"
    int32_t numLights;
    Light* lights; // "frame->lights"
};

struct Model {
    int32_t numMaterials;
    Material* materials; // "model->materials"
    int32_t numFrames;   // the capture always sets 1
    Frame* frames;       // "model->frames"
};

// Releases every array of a mesh record (verts, UVs, normals, colors, polygons).
void freeMeshArrays(Mesh& mesh);
// Releases the arrays of the first frame's meshes, then the mesh array; numMeshes becomes 0.
void freeFrameMeshes(Frame& frame);
// Releases the lattices, patches, curves, cameras and lights of a frame with their arrays.
void freeFrameMisc(Frame& frame);
// Releases everything the scene model owns. Logs "No frames found." when it has no frame.
void freeModel(Model& model);
