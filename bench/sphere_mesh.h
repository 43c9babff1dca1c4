#pragma once
// Scene models for the benchmarks: one UV sphere of a chosen triangle count, shaped like what the mesh
// capture produces for a real model.

#include <cstdint>

#include "model/model.h"

// Fills model with one material and one frame holding a UV sphere of exactly `triangles` triangles
// (quads between the rings, triangle fans at the poles; triangles must be even and have a divisor
// near its square root). Positions are shared between faces, with the exact duplicates a capture
// gives at the seam and the poles; texture coordinates, normals and colours are stored per face
// corner, as a capture without welding stores them: normals smooth but split along the equator, UVs
// split along the seam, colours in eight bands. Release with freeModel.
void buildSphereScene(Model& model, int32_t triangles);

// A copy of a captured mesh with arrays of its own (registered under the capture's labels), for a run that
// changes it; release its arrays with freeMeshArrays.
void copyMesh(Mesh& to, const Mesh& from);
