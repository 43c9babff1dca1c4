#ifndef HEADLESS_HISTORY_H
#define HEADLESS_HISTORY_H
// Construction history as the host evaluates it: the nodes a scene file stores upstream of a mesh shape (a
// generator such as polyCube, then modifiers and deformers), with the values the file sets on them and their
// connections, evaluated into the mesh the host hands to a plug-in.

#include <headless/poly_mesh.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace headless {

// Values written for elements first..first+count-1 of an array attribute, `numbers` holding them in a row.
struct HistoryChunk {
  std::int64_t first = 0;
  std::int64_t count = 0;
  std::vector<double> numbers;
  std::vector<std::string> strings;
  int line = 0;
};

// One attribute as the file sets it: a plain value (".w", ".ax", ".ics", ".txf") and element values (".tk[0:7]").
// Lengths are in centimetres, angles in degrees; matrices are 16 numbers, row-major, translation last.
struct HistoryAttribute {
  bool hasPlain = false;
  std::vector<double> numbers;
  std::vector<std::string> strings;  // string and componentList values ("f[0:3]", "vtx[7]")
  std::vector<HistoryChunk> chunks;
  int line = 0;
};

struct HistoryNode {
  std::string type;  // "polyCube", "groupParts", "tweak", "mesh", ...
  std::string name;
  int line = 0;
  // By attribute path as the file writes it, with the element indices of enclosing arrays: "w", "ax", "tk",
  // "wl[3].w", "it[0].itg[0].iti[6000].ipt", "iog[0].og[1].gcl".
  std::map<std::string, HistoryAttribute> attributes;
  bool hasMesh = false;  // a mesh node with baked geometry (an ...Orig shape): its mesh
  PolyMesh mesh;
  bool hasWorldMatrix = false;  // a DAG node (a joint): its world matrix, row-major, translation last
  double worldMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

// A connection source.sourcePlug -> destination.destinationPlug, plugs as the file writes them ("out", "i",
// "ip[0].ig", "og[0]", "iog.og[2].gid"), nodes by index into HistoryGraph::nodes.
struct HistoryConnection {
  int source = -1;
  std::string sourcePlug;
  int destination = -1;
  std::string destinationPlug;
};

struct HistoryGraph {
  std::vector<HistoryNode> nodes;
  std::vector<HistoryConnection> connections;
  double currentTime = 1;  // the scene's time (time1's ".o"), at which animation curves driving values are read
  int hostVersion = 0;     // the host version that wrote the file (2018), 0 unknown: older files keep older layouts
};

struct HistoryResult {
  bool evaluated = false;
  PolyMesh mesh;
  // Node types on the chain that the host's evaluation here does not know; non-empty means nothing was
  // evaluated.
  std::vector<std::string> unsupportedTypes;
  std::vector<std::string> warnings;  // clamped values and the like; the mesh is still evaluated
  // Why nothing was evaluated: a value the chain cannot take (a component the mesh does not have), with the
  // line of that value in the file, or a chain that is not whole (line 0).
  std::string error;
  int errorLine = 0;
};

// Evaluates the history feeding the inMesh (".i") of mesh node `shape`, then the shape's own tweaks (".pt").
// Face groups in the result are keyed by the index of their groupId node.
HistoryResult evaluateMeshHistory(const HistoryGraph& graph, int shape);

}  // namespace headless

#endif
