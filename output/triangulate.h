#pragma once
// Splitting one polygon face into triangles of its own corners.

#include <cstdint>

// Splits a face of count corners (points: count positions, x y z each) into count - 2 triangles,
// written to triangles as 3 local corner numbers each (room for 3 * (count - 2) values). Every
// triangle keeps the face's winding. A convex face gives the fan (0, i, i + 1); a concave one is cut
// into ears in its best-fit plane (Newell normal) so that every triangle stays inside it; a face
// without area (collinear or coincident corners, non-finite values) falls back to the fan.
// Returns the number of triangles written: count - 2, or 0 when count < 3.
int32_t triangulateFace(const float* points, int32_t count, int32_t* triangles);
