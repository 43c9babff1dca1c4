#pragma once
// Duplicate removal in a mesh: each of the four value arrays loses the entries whose value equals an
// earlier entry, and every polygon corner that used a removed entry is pointed at the one that stays.

#include <cstdint>

#include "model/records.h"

// The four index arrays of a Polygon, one per value array of its mesh.
enum PolygonIndexArray { VERT_INDICES, COLOR_INDICES, UV_INDICES, NORMAL_INDICES };

// Each removes duplicate entries (exact float equality in every component: 0.0 equals -0.0, a NaN
// equals nothing) from one array of mesh, leaving the array, its count and the matching polygon
// indices exactly as removing them pairwise would: for every entry in turn, each later equal entry is
// replaced by the array's last entry, which is compared again. The array is then re-allocated to its
// new count under its label. Returns the number of entries removed; 0, with nothing changed, when
// scratch memory runs out (logged). Corner indices that were -1 or out of range stay as they were.
int32_t removeDuplicateVerts(Mesh& mesh);   // verts, vertIndices, "mesh->verts"
int32_t removeDuplicateColors(Mesh& mesh);  // colors, colorIndices, "mesh->colors"
int32_t removeDuplicateUVs(Mesh& mesh);     // UVs, uvIndices, "mesh->UVs"
int32_t removeDuplicateNormals(Mesh& mesh); // normals, normalIndices, "mesh->normals"

// In every polygon of mesh, every stored corner (slots 0 to numVerts - 1) whose index in array `which`
// equals from is set to to. Slots beyond a polygon's numVerts are not touched.
void remapPolygonIndices(Mesh& mesh, PolygonIndexArray which, int32_t from, int32_t to);
