#pragma once
// The material table: one Material record per lambert-family shader upstream of any set that a shape
// of the scene belongs to, filled in walk order before any geometry is captured.

#include <cstdint>

#include <maya/MFnDependencyNode.h>

#include "model/model.h"

// Counts the shaders, allocates model.materials ("model->materials", at least one record, zero-filled)
// and fills it. captureMode does not restrict the walk: shaders of every shape are captured. Returns 1;
// 0 after "Could not load any materials.\n" with the table released and numMaterials 0.
int getMayaMaterials(Model& model, int32_t captureMode);

// Number of lambert-family nodes upstream of the sets of all shapes, counted once per set that reaches
// them. 0 also when the DAG walk fails or no shape is in any set (each logged).
int countMayaShaders();

// Repeats the walk of countMayaShaders and reads the nodes found into model.materials (allocated,
// zero-filled, numMaterials records), in walk order, never past numMaterials. Returns 1 when the walk
// ran, 0 when the DAG walk failed or no shape is in any set.
int loadMayaShaders(Model& model);

// Reads the shader that shader is attached to into record with the reader for its type name ("blinn",
// "phong", "reflect", "lambert"). Returns 1; 0 (record untouched) for any other type name.
int loadShader(MFnDependencyNode& shader, Material& record);
