#pragma once
// One mesh of an interchange file as host mesh data: its polygons as the file has them, positions welded.

#include <headless/scene.h>

#include <string>
#include <vector>

struct aiMesh;

namespace interchange {

// The host's polygon capture keeps at most this many corners of a face; larger faces are cut here instead.
enum { kMaxCapturedCorners = 6 };

// What was changed while converting, summed over every mesh of a file so that each kind is reported once.
struct MeshTally {
    long long facesTriangulated = 0;   // faces of more than kMaxCapturedCorners corners cut into triangles
    long long trianglesFromLargeFaces = 0;
    long long degenerateFaces = 0;     // faces (or pieces of cut faces) without three distinct corners, dropped
    long long pointsAndLines = 0;      // primitives of one or two corners, dropped
    long long outOfRangeFaces = 0;     // faces naming a vertex the mesh does not have, dropped
};

// Converts mesh (its positions times scale) into data, which is replaced. Positions that are exactly equal
// become one host vertex; each face corner keeps its own texture coordinate (first set), normal and colour
// (first set) through per-corner ids into arrays of the mesh's vertex count. Faces of more than
// kMaxCapturedCorners corners are cut with the conversion's triangulation, keeping each corner's values.
// Normals, texture coordinates or colours holding a value that is not finite are left out, each with a note in
// warnings naming meshName. Returns false with the reason in problem when the mesh cannot become a host mesh:
// a position that is not finite (also after scaling), or no face of three corners.
bool convertMesh(const aiMesh& mesh, const std::string& meshName, double scale, headless::MeshData& data,
                 MeshTally& tally, std::vector<std::string>& warnings, std::string& problem);

} // namespace interchange
