#pragma once
// Capture of one polygon mesh into a Mesh record: names, material, positions, texture coordinates,
// normals, face-vertex colours and one Polygon per face (at most 6 corners), turned to the wanted up axis.

#include <cstdint>

#include <maya/MDagPath.h>
#include <maya/MStatus.h>

#include "model/model.h"

// Fills mesh (zero-filled by the caller) from the mesh shape at path, whose material index is looked
// up in model's material table. upAxis: 0 Y up, 1 Z up, anything else no conversion. Positions are
// multiplied by exportScale. Returns 1 when captured; 0, after logging why and before any array is
// allocated, when the name is empty or MFnMesh or the mesh iterators cannot be set up (and, keeping
// the arrays taken so far in the record, when an allocation is refused). The arrays it allocates
// ("mesh->verts", ...) belong to the record and are released with the model.
int loadMesh(const MDagPath& path, Mesh& mesh, const Model& model, int32_t upAxis);

// Copies the name of the shape at (or below) path into buffer, cut so it stays terminated in
// maxLength bytes. status receives the result of attaching the node (may be null).
void getShapeName(MDagPath path, char* buffer, int maxLength, MStatus* status);

// Copies the name of the node at path into buffer (cut so it stays terminated in maxLength bytes),
// then removes the first "Shape" (exact case) from it: pCubeShape1 gives pCube1.
void getObjectName(MDagPath path, char* buffer, int maxLength, MStatus* status);
