// skinCluster: linear blend skinning with the weights, bind-pre-matrices and geometry matrix the file stores and
// the world matrices of the joints connected to ".ma[j]", as the host evaluates it: each point is carried into
// bind space by ".gm" and ".pm[j]", out again by the joint's world matrix, and the results are summed by weight.
#include "modifiers.h"

#include <cstdlib>

namespace headless {

namespace {

struct Weight {
  int influence;
  double value;
};

// Parses "wl[i].w" / "wl[i:j].w" keys.
bool weightListRange(const std::string& key, std::int64_t& first, std::int64_t& last) {
  if (key.compare(0, 3, "wl[") != 0) return false;
  char* end = nullptr;
  first = std::strtoll(key.c_str() + 3, &end, 10);
  last = first;
  if (*end == ':') last = std::strtoll(end + 1, &end, 10);
  return std::string(end) == "].w" && first >= 0 && last >= first;
}

// The weights of each vertex. Elements are written either as "wl[i].w[j:k]" chunks (dense influences), or as one
// value over "wl[i:j].w" that lists, per vertex, the count of its weights and then influence-weight pairs.
bool readWeights(const HistoryNode& skin, std::size_t vertexCount, const HistoryContext& context,
                 std::vector<std::vector<Weight>>& weights) {
  weights.assign(vertexCount, {});
  for (const auto& entry : skin.attributes) {
    std::int64_t first = 0, last = 0;
    if (!weightListRange(entry.first, first, last)) continue;
    const HistoryAttribute& attribute = entry.second;
    if (last >= std::int64_t(vertexCount))
      return context.fail(skin,
                          "it weights vertex " + std::to_string(last) + ", but the mesh has " +
                              std::to_string(vertexCount) + " vertices",
                          attribute.line);
    if (attribute.hasPlain) {
      const std::vector<double>& n = attribute.numbers;
      size_t at = 0;
      for (std::int64_t vertex = first; vertex <= last; ++vertex) {
        if (at >= n.size()) return context.fail(skin, "." + entry.first + " ends before its last vertex", attribute.line);
        const auto count = std::size_t(n[at++]);
        if (n[at - 1] < 0 || at + 2 * count > n.size())
          return context.fail(skin, "." + entry.first + " lists more weights than it holds", attribute.line);
        std::vector<Weight>& list = weights[std::size_t(vertex)];
        list.clear();
        for (std::size_t i = 0; i < count; ++i, at += 2) list.push_back({int(n[at]), n[at + 1]});
      }
    }
    for (const HistoryChunk& chunk : attribute.chunks) {
      std::vector<Weight>& list = weights[std::size_t(first)];
      for (std::int64_t i = 0; i < chunk.count && std::size_t(i) < chunk.numbers.size(); ++i) {
        const int influence = int(chunk.first + i);
        bool replaced = false;
        for (Weight& w : list)
          if (w.influence == influence) w.value = chunk.numbers[std::size_t(i)], replaced = true;
        if (!replaced) list.push_back({influence, chunk.numbers[std::size_t(i)]});
      }
    }
  }
  return true;
}

}  // namespace

bool applySkinCluster(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  (void)geometry;
  const HistoryNode& skin = context.graph.nodes[size_t(node)];
  if (historyNumber(skin, "skm", 0) != 0)
    return context.fail(skin, "its skinning method (.skm) is not linear, which is not evaluated", 0);
  std::vector<std::vector<Weight>> weights;
  if (!readWeights(skin, mesh.points.size(), context, weights)) return false;

  const std::vector<double> gmValues = historyNumbers(skin, "gm", {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
  double geometryMatrix[16];
  for (int i = 0; i < 16; ++i) geometryMatrix[i] = gmValues[size_t(i)];
  const auto bindPre = historyElements(skin, "pm", 16);

  // Per influence: geometry matrix, bind-pre-matrix, then the joint's world matrix.
  std::map<int, std::vector<double>> influences;
  for (const HistoryConnection& c : context.connections.allInto(node)) {
    if (c.destinationPlug.compare(0, 3, "ma[") != 0) continue;
    const int j = std::atoi(c.destinationPlug.c_str() + 3);
    const HistoryNode& joint = context.graph.nodes[size_t(c.source)];
    if (!joint.hasWorldMatrix) return context.unsupported(joint.type);
    double m[16];
    multiplyMatrices(geometryMatrix, joint.worldMatrix, m);
    auto pm = bindPre.find(j);
    if (pm != bindPre.end()) {
      double pre[16];
      for (int i = 0; i < 16; ++i) pre[i] = pm->second[size_t(i)];
      multiplyMatrices(geometryMatrix, pre, m);
      multiplyMatrices(m, joint.worldMatrix, m);
    }
    influences[j].assign(m, m + 16);
  }

  const double envelope = deformerEnvelope(skin);
  for (std::size_t v = 0; v < mesh.points.size(); ++v) {
    const Vec3 p = mesh.points[v];
    Vec3 sum;
    for (const Weight& w : weights[v]) {
      if (w.value == 0.0) continue;
      auto found = influences.find(w.influence);
      if (found == influences.end())
        return context.fail(skin, "vertex " + std::to_string(v) + " is weighted to influence " +
                                      std::to_string(w.influence) + ", which no joint drives (.ma)",
                            0);
      double m[16];
      for (int i = 0; i < 16; ++i) m[i] = found->second[size_t(i)];
      const Vec3 moved = transformPoint(m, p);
      sum.x += w.value * moved.x;
      sum.y += w.value * moved.y;
      sum.z += w.value * moved.z;
    }
    if (weights[v].empty()) sum = p;
    mesh.points[v] = {double(float(p.x + envelope * (sum.x - p.x))), double(float(p.y + envelope * (sum.y - p.y))),
                      double(float(p.z + envelope * (sum.z - p.z)))};
  }
  return true;
}

}  // namespace headless
