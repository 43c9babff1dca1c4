#ifndef HEADLESS_MESH_NORMALS_H
#define HEADLESS_MESH_NORMALS_H
// Per-face-vertex normals of a polygon mesh as the host computes them when a scene stores none.

#include <utility>
#include <vector>

namespace headless {

// points: x y z per vertex (numVertices of them); faceStart: first face-vertex of each face plus the total at the
// end; faceVertices: the vertex of each face-vertex. hardEdges holds vertex pairs, either way round. Faces that
// meet at a vertex across a soft edge share one normal there (the normalised sum of their face normals); a hard
// edge splits it. Normal ids are given vertex by vertex, so a mesh without hard edges has normal id = vertex id
// for every used vertex. Fills normals (x y z per normal, summed and normalised in double precision) and
// faceVertexNormal (an id per face-vertex).
void computeVertexNormals(const float* points, int numVertices, const std::vector<int>& faceStart,
                          const std::vector<int>& faceVertices, const std::vector<std::pair<int, int>>& hardEdges,
                          std::vector<float>& normals, std::vector<int>& faceVertexNormal);

}  // namespace headless

#endif
