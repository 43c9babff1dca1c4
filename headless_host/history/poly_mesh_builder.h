#ifndef HEADLESS_POLY_MESH_BUILDER_H
#define HEADLESS_POLY_MESH_BUILDER_H
// Building a PolyMesh the way the host's generators do: points, then edges in the host's order, then faces
// walking them.

#include <headless/poly_mesh.h>

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace headless {

class PolyMeshBuilder {
 public:
  explicit PolyMeshBuilder(PolyMesh& mesh);

  // Appends a point (rounded to the host's single precision) and returns its id.
  int addPoint(double x, double y, double z);
  // Appends a UV to set 0 ("map1") and returns its id.
  int addUV(double u, double v);
  // Appends the edge start -> end and returns its id.
  int addEdge(int start, int end, bool smooth = true);
  // Appends a face from its corner vertices in winding order: each side walks the edge between its two
  // vertices, forward or backwards, appending a new edge (smooth) where none joins them yet. uvs: one UV id
  // of set 0 per corner, or empty for an unmapped face.
  void addFace(const std::vector<int>& vertices, const std::vector<int>& uvs = {});
  // The edge joining two vertices, either way round, or -1.
  int findEdge(int a, int b) const;

 private:
  static std::uint64_t key(int a, int b);
  PolyMesh& mesh_;
  std::unordered_map<std::uint64_t, int> edgeIndex_;
};

}  // namespace headless

#endif
