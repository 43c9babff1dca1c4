#pragma once
// Conversion of the captured scene model into the output model: one output material per material
// record, and per mesh of the first frame a triangle list with parallel vertex arrays, 16-bit indices
// that weld identical corners, and one burst.

#include <cstdint>

#include "model/model.h"
#include "output/qax_model.h"
#include "output/vertex_hash.h"

// Output indices are 16 bits wide: an object holds at most this many triangles (3 vertices each), and
// a mesh with more is written as several consecutive objects.
enum { QAX_MAX_OBJECT_TRIANGLES = 21845 };

// Fills output (expected zeroed) from model: every material, and every mesh of the first frame as one
// object, or as several of at most QAX_MAX_OBJECT_TRIANGLES triangles each. Faces of 3 to 6 corners
// become corners - 2 triangles; reads includeVertexColors and useProjectRelativePaths from the
// settings. Returns false, output untouched, when model has no frame, and false when scratch memory
// runs out (what was built so far stays in output for freeQAXModel).
bool convertToQAX(const Model& model, qaxModel& output);

// Finds output vertices by exact value: position, normal, texture coordinate and, when colours take
// part, colour. Built over one object's filled vertex arrays.
struct VertexWeldTable {
    const qaxObject* object;
    uint8_t includeColors;
    ExactHashTable table;
};

// Indexes the vertices of object (vertex arrays filled; vertexColors too when includeColors is set),
// keeping the first vertex of every value; vertices holding a NaN are left out as they match nothing.
// Returns false when memory runs out. Release with releaseVertexWeldTable.
bool buildVertexWeldTable(VertexWeldTable& weld, const qaxObject& object, uint8_t includeColors);
void releaseVertexWeldTable(VertexWeldTable& weld);

// Returns the first vertex of weld's object that holds exactly the values of stored corner `corner`
// (0 to the polygon's numVerts - 1) of polygon polygonIndex of mesh: position, normal, texture
// coordinate and, when the table was built with colours, colour. Returns -1 with a warning logged when
// mesh is null, the polygon or corner is out of range, an index of the corner is at or above its
// array's count (the colour index is checked even without colours), or nothing matches; returns -1
// silently when an index that takes part is negative (the corner has no such value to weld by).
int32_t getQAXIndexForVertex(const VertexWeldTable& weld, const Mesh* mesh, int32_t polygonIndex,
                             int32_t corner);

// Number of distinct (vertex, normal, UV) index combinations, with the colour index as a fourth member
// when includeColors is set, over every stored corner of every polygon of mesh. 0 for a null mesh, -1
// (logged) when scratch memory runs out.
int32_t countUniquePairs(const Mesh* mesh, uint8_t includeColors);

// Rewrites a texture path (a terminated text of at most 260 bytes) in place to its file name, lower-cased,
// when it holds a slash or backslash; a path without either is left exactly as it was.
void stripTexturePath(char* path);
