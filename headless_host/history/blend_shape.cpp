// blendShape: adds each target's offsets, scaled by the target's weight (".w[t]"), to the points. A target is
// stored as items at weight (i - 5000) / 1000 (".it[k].itg[t].iti[i]"), each either offsets for listed
// vertices (".ipt" with ".ict") or a live target mesh connected to ".igt"; between items the offsets are
// interpolated linearly, from none at weight 0.
#include "modifiers.h"

#include <algorithm>
#include <cstdlib>

namespace headless {

namespace {

struct TargetItem {
  double weight = 1.0;
  std::vector<Vec3> offsets;  // one per vertex of the mesh
};

// The item indices the file sets or connects for target group "it[k].itg[t].iti[".
std::vector<int> itemIndices(const HistoryNode& blend, int node, const HistoryContext& context, const std::string& prefix) {
  std::vector<int> items;
  auto add = [&](const std::string& key) {
    if (key.compare(0, prefix.size(), prefix) != 0) return;
    const int index = std::atoi(key.c_str() + prefix.size());
    if (std::find(items.begin(), items.end(), index) == items.end()) items.push_back(index);
  };
  for (const auto& entry : blend.attributes) add(entry.first);
  for (const HistoryConnection& c : context.connections.allInto(node)) add(c.destinationPlug);
  std::sort(items.begin(), items.end());
  return items;
}

// The offsets of one item, from its stored points and components or its live target mesh.
bool readItem(const HistoryNode& blend, int node, const std::string& key, const PolyMesh& mesh,
              const HistoryContext& context, std::vector<Vec3>& offsets) {
  offsets.assign(mesh.points.size(), Vec3{});
  if (const HistoryConnection* live = context.connections.into(node, key + ".igt")) {
    const HistoryNode& target = context.graph.nodes[size_t(live->source)];
    if (target.type != "mesh") return context.unsupported(target.type);
    if (!target.hasMesh)
      return context.fail(blend, "its target " + target.name + " has construction history of its own, which is not evaluated", 0);
    if (target.mesh.points.size() != mesh.points.size())
      return context.fail(blend, "its target " + target.name + " has " + std::to_string(target.mesh.points.size()) +
                                     " vertices, the mesh " + std::to_string(mesh.points.size()), 0);
    for (size_t i = 0; i < offsets.size(); ++i)
      offsets[i] = {target.mesh.points[i].x - mesh.points[i].x, target.mesh.points[i].y - mesh.points[i].y,
                    target.mesh.points[i].z - mesh.points[i].z};
    return true;
  }
  const HistoryAttribute* points = findHistoryAttribute(blend, key + ".ipt");
  if (points == nullptr || !points->hasPlain) return true;
  const size_t count = points->numbers.size() / 4;
  std::vector<int> vertices;
  if (const HistoryAttribute* components = findHistoryAttribute(blend, key + ".ict")) {
    std::string problem;
    if (!componentIndices(components->strings, "vtx", int(mesh.points.size()), vertices, problem))
      return context.fail(blend, "." + key + ".ict " + problem, components->line);
  } else {
    for (size_t i = 0; i < count && i < mesh.points.size(); ++i) vertices.push_back(int(i));
  }
  if (vertices.size() != count)
    return context.fail(blend, "." + key + ".ipt holds " + std::to_string(count) + " offsets for " +
                                   std::to_string(vertices.size()) + " vertices",
                        points->line);
  for (size_t i = 0; i < count; ++i)
    offsets[size_t(vertices[i])] = {points->numbers[4 * i], points->numbers[4 * i + 1], points->numbers[4 * i + 2]};
  return true;
}

}  // namespace

bool applyBlendShape(int node, int geometry, const HistoryContext& context, PolyMesh& mesh) {
  const HistoryNode& blend = context.graph.nodes[size_t(node)];
  std::map<std::int64_t, double> weights;
  for (const auto& element : historyElements(blend, "w", 1)) weights[element.first] = element.second[0];
  // A weight may be driven (an animation curve, another blend shape's weight): what drives it decides.
  for (const HistoryConnection& c : context.connections.allInto(node)) {
    if (c.destinationPlug.compare(0, 2, "w[") != 0) continue;
    double value = 0;
    if (!context.plugValue(node, c.destinationPlug, 0, value)) return false;
    weights[std::atoll(c.destinationPlug.c_str() + 2)] = value;
  }
  const std::string group = "it[" + std::to_string(geometry) + "].itg[";
  std::vector<std::int64_t> targets;
  for (const auto& entry : weights) targets.push_back(entry.first);

  const double envelope = deformerEnvelope(blend);
  const std::vector<Vec3> base = mesh.points;
  std::vector<Vec3> sum(mesh.points.size());
  for (std::int64_t t : targets) {
    const double weight = weights[t] * envelope;
    if (weight == 0.0) continue;
    const std::string prefix = group + std::to_string(t) + "].iti[";
    std::vector<TargetItem> items;
    for (int index : itemIndices(blend, node, context, prefix)) {
      TargetItem item;
      item.weight = (index - 5000) / 1000.0;
      if (!readItem(blend, node, prefix + std::to_string(index) + "]", mesh, context, item.offsets)) return false;
      if (item.weight != 0.0) items.push_back(std::move(item));
    }
    if (items.empty()) continue;
    // The segment of the item weights that holds the weight, from none at 0; past either end the nearest
    // segment goes on.
    TargetItem none;
    none.weight = 0.0;
    none.offsets.assign(mesh.points.size(), Vec3{});
    items.insert(items.begin(), std::move(none));
    size_t upper = 1;
    while (upper + 1 < items.size() && items[upper].weight < weight) ++upper;
    const TargetItem& a = items[upper - 1];
    const TargetItem& b = items[upper];
    const double f = (weight - a.weight) / (b.weight - a.weight);
    std::vector<double> perVertex;
    for (const auto& element : historyElements(blend, group + std::to_string(t) + "].tw", 1))
      if (element.first >= 0 && size_t(element.first) < mesh.points.size()) {
        perVertex.resize(mesh.points.size(), 1.0);
        perVertex[size_t(element.first)] = element.second[0];
      }
    for (size_t i = 0; i < sum.size(); ++i) {
      const double w = perVertex.empty() ? 1.0 : perVertex[i];
      sum[i].x += w * (a.offsets[i].x + f * (b.offsets[i].x - a.offsets[i].x));
      sum[i].y += w * (a.offsets[i].y + f * (b.offsets[i].y - a.offsets[i].y));
      sum[i].z += w * (a.offsets[i].z + f * (b.offsets[i].z - a.offsets[i].z));
    }
  }
  std::vector<double> baseWeights(mesh.points.size(), 1.0);
  for (const auto& element : historyElements(blend, "it[" + std::to_string(geometry) + "].bw", 1))
    if (element.first >= 0 && size_t(element.first) < mesh.points.size()) baseWeights[size_t(element.first)] = element.second[0];
  for (size_t i = 0; i < mesh.points.size(); ++i)
    mesh.points[i] = {double(float(base[i].x + baseWeights[i] * sum[i].x)),
                      double(float(base[i].y + baseWeights[i] * sum[i].y)),
                      double(float(base[i].z + baseWeights[i] * sum[i].z))};
  return true;
}

}  // namespace headless
