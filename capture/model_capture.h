#pragma once
// The model capture driver: fills a scene model from the host scene (materials, one frame, its meshes,
// then its NURBS patches, curves, lattices, cameras and lights) and optionally thins every mesh.
// Each stage logs its own lines and failures; the caller adds one line when a stage fails.

#include <cstdint>

#include "model/model.h"

// Captures the whole scene (captureMode != 2) or the active selection (captureMode 2) into an empty
// model: material table, one frame, meshes, the other kinds, then duplicate removal when optimize is
// non-zero. upAxis is handed to every loader. On failure everything it allocated is released again and
// the model is left empty (numMaterials and numFrames 0, arrays null).
bool getMayaModelData(Model& model, int32_t captureMode, int32_t optimize, int32_t upAxis);

// Sizes the first frame's mesh array with the scene scan and fills it with loadMeshNodes. On a failed
// loop the mesh arrays are released and numMeshes is 0. The model must hold a frame.
bool getMayaMeshes(Model& model, int32_t captureMode, int32_t upAxis);

// Sizes the first frame's lattice, patch, curve, camera and light arrays with the scene scan and fills
// them with loadMiscNodes. On a failed loop those arrays are released and their counts are 0.
bool getMayaMisc(Model& model, int32_t captureMode, int32_t upAxis);

// The mesh walk: hands every visible, non-intermediate mesh shape of the walk to loadMesh, filling the
// first frame's meshes from index 0 and never beyond numMeshes. False when the walk cannot run or a
// mesh cannot be loaded.
bool loadMeshNodes(Model& model, int32_t captureMode, int32_t upAxis);

// The walk of the other kinds: hands every accepted NURBS surface, curve, lattice, camera and light to
// its loader, never beyond the counts of the first frame. False when the walk cannot run or a curve,
// lattice, camera or light cannot be loaded.
bool loadMiscNodes(Model& model, int32_t captureMode, int32_t upAxis);
