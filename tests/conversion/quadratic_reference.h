#pragma once
// Pairwise (quadratic) versions of the welding, pair counting, duplicate removal and conversion,
// written step by step as the algorithms read, with the same fixes for missing indices, faces of more
// than three corners and 16-bit indices. They exist only to check the hashed versions against.

#include <cstdint>

#include "model/model.h"
#include "output/qax_model.h"

namespace reference {

// The first vertex of object that holds the values of stored corner `corner` of polygon polygonIndex,
// found by walking the vertices in order; -1 (with the same warnings) when there is none.
int32_t getQAXIndexForVertex(const qaxObject* object, const Mesh* mesh, int32_t polygonIndex, int32_t corner,
                             uint8_t includeColors);

// Distinct index combinations, searched entry by entry in a table big enough for every corner.
int32_t countUniquePairs(const Mesh* mesh, uint8_t includeColors);

// Pairwise removal: each later equal entry is replaced by the last one, which is compared again.
int32_t removeDuplicateVerts(Mesh& mesh);
int32_t removeDuplicateColors(Mesh& mesh);
int32_t removeDuplicateUVs(Mesh& mesh);
int32_t removeDuplicateNormals(Mesh& mesh);

// The whole conversion with the pairwise index search; same output model and log lines.
bool convertToQAX(const Model& model, qaxModel& output);

} // namespace reference
