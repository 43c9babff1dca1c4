// Evaluating the history of a mesh shape: walk upstream from its inMesh to a generator or a baked mesh, then
// apply the nodes met on the way, the most upstream first, as the host's dependency graph does.
#include "generators.h"
#include "modifiers.h"

#include <cstdlib>
#include <set>

namespace headless {

namespace {

// The plug an unknown node most likely takes its mesh in by, so that the walk can go on to name every node
// type the chain holds; nothing of such a chain is evaluated.
std::string guessedInputPlug(const std::string& outputPlug) {
  if (outputPlug.compare(0, 3, "og[") == 0) return "ip[" + outputPlug.substr(3, outputPlug.size() - 4) + "].ig";
  if (outputPlug == "og") return "ig";
  return "ip";
}

}  // namespace

HistoryResult evaluateMeshHistory(const HistoryGraph& graph, int shape) {
  HistoryResult result;
  HistoryConnections connections(graph);
  HistoryContext context{graph, connections, result};
  if (shape < 0 || shape >= static_cast<int>(graph.nodes.size())) {
    result.error = "no such shape";
    return result;
  }
  const HistoryNode& shapeNode = graph.nodes[size_t(shape)];

  struct Step {
    int node;
    int geometry;  // k of a deformer's "og[k]" the mesh leaves by
  };
  std::vector<Step> chain;  // nodes between the source and the shape, the shape's input first
  std::set<int> visited = {shape};
  std::set<std::string> unsupported;
  int source = -1;
  int node = shape;
  std::string plug = "i";
  for (;;) {
    const HistoryConnection* input = connections.into(node, plug);
    if (input == nullptr) {
      if (unsupported.empty())
        context.fail(graph.nodes[size_t(node)], "nothing feeds its ." + plug + " (the history ends here)", 0);
      break;
    }
    const int from = input->source;
    if (from < 0 || from >= static_cast<int>(graph.nodes.size()) || !visited.insert(from).second) {
      context.fail(graph.nodes[size_t(node)], "its history loops back on itself", 0);
      break;
    }
    const HistoryNode& upstream = graph.nodes[size_t(from)];
    if (upstream.type == "mesh") {
      if (upstream.hasMesh) {
        source = from;
        break;
      }
      // A mesh without geometry of its own (an ...Orig shape) passes on its input, with its own tweaks.
      chain.push_back({from, 0});
      node = from;
      plug = "i";
      continue;
    }
    if (findGenerator(upstream.type) != nullptr) {
      source = from;
      break;
    }
    if (findModifier(upstream.type) != nullptr) {
      const std::string& out = input->sourcePlug;
      chain.push_back({from, out.compare(0, 3, "og[") == 0 ? std::atoi(out.c_str() + 3) : 0});
      plug = modifierInputPlug(upstream.type, input->sourcePlug);
    } else {
      unsupported.insert(upstream.type);
      plug = guessedInputPlug(input->sourcePlug);
    }
    node = from;
  }
  if (!unsupported.empty()) {
    result.unsupportedTypes.assign(unsupported.begin(), unsupported.end());
    result.error.clear();
    return result;
  }
  if (source < 0) return result;

  const HistoryNode& sourceNode = graph.nodes[size_t(source)];
  PolyMesh mesh;
  if (sourceNode.type == "mesh")
    mesh = sourceNode.mesh;
  else if (!findGenerator(sourceNode.type)(sourceNode, context, mesh))
    return result;
  for (auto step = chain.rbegin(); step != chain.rend(); ++step) {
    const HistoryNode& stepNode = graph.nodes[size_t(step->node)];
    const bool applied = stepNode.type == "mesh" ? applyPointTweaks(stepNode, context, mesh)
                                                 : findModifier(stepNode.type)(step->node, step->geometry, context, mesh);
    if (!applied) {
      // What a node depends on but cannot be evaluated skips the shape by name, like an unknown node type.
      if (!result.unsupportedTypes.empty()) result.error.clear();
      return result;
    }
  }
  if (!applyPointTweaks(shapeNode, context, mesh)) return result;
  const std::string problem = validatePolyMesh(mesh);
  if (!problem.empty()) {
    context.fail(shapeNode, "its history makes an inconsistent mesh: " + problem, 0);
    return result;
  }
  result.mesh = std::move(mesh);
  result.evaluated = true;
  return result;
}

}  // namespace headless
