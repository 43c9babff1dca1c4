#pragma once
// The scene scan: counts what the capture loops will capture, so that the frame's arrays can be sized
// before they are filled. It walks the scene with walkScene and types nodes with classifyNode
// (capture/scene_walk.h), exactly as the loops do.

#include <cstdint>

#include <maya/MDagPath.h>

// Sets the six counters to 0, then counts over the walk of captureMode (2: the active selection,
// otherwise the whole scene) every node that is neither intermediate nor hidden, by its kind:
// meshes, NURBS patches (countBezierPatches per surface), NURBS curves, lattices, cameras and lights
// (at their transforms). In whole-scene mode each such node's type tests are logged at level 5.
// Returns false after "Error: Failure in DAG iterator setup.\n" or "Error: Nothing is selected.\n";
// the counters then hold partial values and must not be used.
bool countSceneObjects(int32_t captureMode, int32_t& numMeshes, int32_t& numNURBS, int32_t& numNURBSCurves,
                       int32_t& numLattices, int32_t& numCameras, int32_t& numLights);

// Number of bicubic Bezier patches of the NURBS surface at path: ((cvsInU - 1) / 3) * ((cvsInV - 1) / 3).
// 0, with "Error: Failure in MFnNurbsSurface initialization.\n" or "Warning: NURBS surface is not
// bezier.\n", when the surface cannot be attached or is not a Bezier surface.
int32_t countBezierPatches(const MDagPath& path);
