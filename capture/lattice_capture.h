#pragma once
// Lattice capture: divisions, every lattice point scaled by exportScale (no up-axis conversion), their
// bounding box, and the captured meshes the lattice deforms. Runs after the meshes are captured so that
// deformed shapes can be matched against them by name.

#include <cstdint>

#include <maya/MDagPath.h>

#include "model/model.h"

// Fills lattice from the lattice shape at path: point (a, b, c) at (a * t + b) * u + c, and attached[]
// with the index of the captured mesh of each deformed mesh (-1 when none), at most 10. Returns true;
// false when the lattice cannot be opened (record untouched) or its point array cannot be allocated
// (latticePoints null). upAxis is not used.
bool loadLattice(const MDagPath& path, Lattice& lattice, Model& model, int32_t upAxis);

// Index of the first mesh of the first frame whose shapeName equals name ignoring ASCII case, or -1
// (also when the model has no frame or no mesh).
int32_t findMeshByShapeName(const Model& model, const char* name);

// Smallest and largest x, y, z over count points (3 floats each), starting from 100000.0 and
// -100000.0, so that points beyond those values cannot move the bound inwards. Logs both.
void computeBounds(const float* points, int32_t count, float mins[3], float maxs[3]);
