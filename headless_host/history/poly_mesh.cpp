// Checking a PolyMesh and handing it to the scene-building API.
#include <headless/poly_mesh.h>

#include <headless/history.h>

namespace headless {

std::string validatePolyMesh(const PolyMesh& mesh) {
  const int numPoints = static_cast<int>(mesh.points.size());
  const int numEdges = static_cast<int>(mesh.edges.size());
  for (int e = 0; e < numEdges; ++e) {
    const PolyEdge& edge = mesh.edges[e];
    if (edge.start < 0 || edge.start >= numPoints || edge.end < 0 || edge.end >= numPoints)
      return "edge " + std::to_string(e) + " joins a vertex the mesh does not have";
  }
  if (mesh.faceStart.empty() || mesh.faceStart[0] != 0 || mesh.faceStart.back() != mesh.numCorners())
    return "the face offsets do not cover the corners";
  for (int f = 0; f < mesh.numFaces(); ++f) {
    const int first = mesh.faceStart[f];
    const int last = mesh.faceStart[f + 1];
    if (last - first < 3) return "face " + std::to_string(f) + " has fewer than three corners";
    for (int c = first; c < last; ++c) {
      const int e = mesh.faceEdges[c];
      if ((e >= 0 ? e : -e - 1) >= numEdges) return "face " + std::to_string(f) + " uses an edge the mesh does not have";
    }
    for (int c = first; c < last; ++c) {
      const int e = mesh.faceEdges[c];
      const int end = e >= 0 ? mesh.edges[e].end : mesh.edges[-e - 1].start;
      if (end != mesh.cornerVertex(c + 1 < last ? c + 1 : first))
        return "the edges of face " + std::to_string(f) + " do not form a loop";
    }
  }
  for (const PolyUVSet& set : mesh.uvSets) {
    if (!set.cornerUVs.empty() && set.cornerUVs.size() != mesh.faceEdges.size())
      return "UV set " + set.name + " does not give one id per face corner";
    for (int id : set.cornerUVs)
      if (id < -1 || id >= static_cast<int>(set.uvs.size())) return "UV set " + set.name + " uses a UV it does not have";
  }
  for (const PolyColorSet& set : mesh.colorSets) {
    if (!set.cornerColors.empty() && set.cornerColors.size() != mesh.faceEdges.size())
      return "colour set " + set.name + " does not give one id per face corner";
    for (int id : set.cornerColors)
      if (id < -1 || id >= static_cast<int>(set.colors.size()))
        return "colour set " + set.name + " uses a colour it does not have";
  }
  return std::string();
}

MeshData toMeshData(const PolyMesh& mesh) {
  MeshData data;
  data.points = mesh.points;
  data.faces.resize(size_t(mesh.numFaces()));
  for (int f = 0; f < mesh.numFaces(); ++f)
    for (int c = mesh.faceStart[f]; c < mesh.faceStart[f + 1]; ++c) data.faces[f].push_back(mesh.cornerVertex(c));
  for (const PolyEdge& edge : mesh.edges)
    if (!edge.smooth) data.hardEdges.emplace_back(edge.start, edge.end);
  auto perFace = [&](const std::vector<int>& flat, std::vector<std::vector<int>>& out) {
    out.resize(size_t(mesh.numFaces()));
    for (int f = 0; f < mesh.numFaces(); ++f)
      out[f].assign(flat.begin() + mesh.faceStart[f], flat.begin() + mesh.faceStart[f + 1]);
  };
  if (mesh.currentUVSet >= 0 && mesh.currentUVSet < static_cast<int>(mesh.uvSets.size())) {
    const PolyUVSet& set = mesh.uvSets[mesh.currentUVSet];
    data.uvs = set.uvs;
    if (!set.cornerUVs.empty()) perFace(set.cornerUVs, data.faceUVs);
  }
  if (mesh.currentColorSet >= 0 && mesh.currentColorSet < static_cast<int>(mesh.colorSets.size())) {
    const PolyColorSet& set = mesh.colorSets[mesh.currentColorSet];
    data.colors = set.colors;
    if (!set.cornerColors.empty()) perFace(set.cornerColors, data.faceColors);
  }
  return data;
}

PolyMesh primitiveMesh(const std::string& generatorType, const std::map<std::string, double>& attributes,
                       std::vector<std::string>* warnings) {
  HistoryGraph graph;
  HistoryNode generator;
  generator.type = generatorType;
  generator.name = generatorType + "1";
  for (const auto& entry : attributes) {
    HistoryAttribute& attribute = generator.attributes[entry.first];
    attribute.hasPlain = true;
    attribute.numbers = {entry.second};
  }
  HistoryNode shape;
  shape.type = "mesh";
  shape.name = generatorType + "Shape1";
  graph.nodes = {generator, shape};
  graph.connections.push_back({0, "out", 1, "i"});
  HistoryResult result = evaluateMeshHistory(graph, 1);
  if (warnings != nullptr) *warnings = result.warnings;
  return result.evaluated ? result.mesh : PolyMesh();
}

}  // namespace headless
