#pragma once
// NURBS capture: a NURBS surface is cut into bicubic Bezier patches of 4 x 4 control points (one Nurb
// record each), a NURBS curve is copied into one Curve record. Control points are taken in world space
// and multiplied by exportScale; no up-axis conversion is applied to them.

#include <cstddef>
#include <cstdint>

#include <maya/MDagPath.h>

#include "model/model.h"

// Copies a node name into a field of `capacity` bytes (always terminated) and cuts off "Shape" when its
// first occurrence ends the name: curveShape gives curve, curveShape1 and nurbsPlaneShape1 stay whole.
// The cut is decided on the whole host name; a longer name is then cut to capacity - 1 characters.
void copyNurbsName(char* field, size_t capacity, const char* hostName);

// Cuts the NURBS surface at path into patches and fills patches[firstFree], patches[firstFree + 1], ...
// while the index stays below the first frame's numNURBS; a patch beyond that logs
// "Error: Trying to export too many NURBS\n" and is dropped. Returns the surface's patch count
// ((numCVsInU - 1) / 3 * (numCVsInV - 1) / 3), dropped patches included; 0 when the surface cannot be
// opened. upAxis is not used.
int32_t loadNURBS(const MDagPath& path, Nurb* patches, int32_t firstFree, Model& model, int32_t upAxis);

// Fills curve with the name, degree and control points of the NURBS curve at path. Returns 1, or 0
// (nothing allocated) when the curve cannot be opened. A degree other than 3 only warns. model and
// upAxis are not used.
int32_t loadNURBSCurve(const MDagPath& path, Curve& curve, Model& model, int32_t upAxis);
