#ifndef HEADLESS_POLY_MESH_H
#define HEADLESS_POLY_MESH_H
// A polygon mesh in the form the host's construction history hands from node to node, which is also the form a
// mesh node stores when its history is deleted: points, edges with their smoothing, faces as loops of signed
// edges, UV sets and colour sets with one id per face corner, and the faces each groupParts node tagged.

#include <headless/scene.h>

#include <map>
#include <string>
#include <vector>

namespace headless {

struct PolyEdge {
  int start = 0;
  int end = 0;
  bool smooth = true;  // false: a hard edge, which splits the normals of the faces meeting at it
};

struct PolyUVSet {
  std::string name = "map1";
  std::vector<TexCoord> uvs;
  std::vector<int> cornerUVs;  // one per face corner in face order, -1 unmapped; empty = no face is mapped
};

struct PolyColorSet {
  std::string name;
  int components = 4;  // 1 alpha, 3 RGB, 4 RGBA, as the set's representation says
  std::vector<Color4> colors;
  std::vector<int> cornerColors;  // one per face corner in face order, -1 uncoloured; empty = none coloured
};

struct PolyMesh {
  std::vector<Vec3> points;
  std::vector<PolyEdge> edges;
  std::vector<int> faceStart = {0};  // faces + 1 offsets into faceEdges, which are also the corner offsets
  std::vector<int> faceEdges;        // per corner: e walks edge e forward, -e-1 walks edge e backwards
  std::vector<PolyUVSet> uvSets;     // the host's default set "map1" is created with the mesh
  int currentUVSet = 0;
  std::vector<PolyColorSet> colorSets;
  int currentColorSet = -1;  // -1: no current colour set
  // Faces each face group holds, ascending, keyed by the caller's id of the group (a groupId node).
  std::map<int, std::vector<int>> faceGroups;

  int numFaces() const { return static_cast<int>(faceStart.size()) - 1; }
  int numCorners() const { return static_cast<int>(faceEdges.size()); }
  // The vertex a corner starts at: the start of its edge as walked.
  int cornerVertex(int corner) const {
    const int e = faceEdges[corner];
    return e >= 0 ? edges[e].start : edges[-e - 1].end;
  }
};

// What is wrong with a PolyMesh (vertex, edge and set ids out of range, per-corner lists of the wrong length,
// faces whose edges do not form a closed loop, faces of fewer than three corners); empty when it is consistent.
std::string validatePolyMesh(const PolyMesh& mesh);

// Creates a mesh shape under parentTransform from a PolyMesh: its current UV and colour sets, normals one per
// corner in face order or, when cornerNormals is empty, the host's own from the edges' smoothing. Null, with
// what is wrong in *problem, for an inconsistent mesh or a parent that is not a transform. A mesh passed with
// std::move gives the shape its per-corner lists without a copy.
MObject createMesh(const std::string& name, const MObject& parentTransform, PolyMesh mesh,
                   const std::vector<Vec3>& cornerNormals = {}, std::string* problem = nullptr);

// The mesh as the scene-building API takes it: the faces' vertex loops, the current UV set and colour set with
// their per-corner ids, and the hard edges; no normals (the host computes them).
MeshData toMeshData(const PolyMesh& mesh);

// A primitive as the host's generator node of that type ("polyCube", "polySphere", "polyPlane", ...) makes it,
// with the given attribute values by short name ({"w", 2}, {"sa", 8}) and the host's defaults for the rest.
// Empty (no points) for a type without a generator; warnings receives what the host would warn about.
PolyMesh primitiveMesh(const std::string& generatorType, const std::map<std::string, double>& attributes = {},
                       std::vector<std::string>* warnings = nullptr);

}  // namespace headless

#endif
