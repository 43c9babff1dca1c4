#pragma once
// Releases the output model once the file is written (or a reader is done with it).

#include "output/qax_model.h"

// Releases every array the model points to: each material's textures and, recursively, its
// sub-materials (only the reader allocates those), the materials array, each object's index, vertex,
// colour, texture-coordinate, normal and four burst arrays, and the objects array. Each array is
// unregistered, freed and its pointer cleared; arrays that are not set are skipped. Counts and
// lengths keep their values, so a model may be freed twice.
void freeQAXModel(qaxModel& model);
