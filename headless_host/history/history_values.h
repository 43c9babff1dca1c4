#ifndef HEADLESS_HISTORY_VALUES_H
#define HEADLESS_HISTORY_VALUES_H
// Reading the values a scene file set on a history node, and the connections between history nodes, for the
// generators and modifiers that evaluate them.

#include <headless/history.h>

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace headless {

// The attribute of a node by key ("w", "tk", "wl[3].w"); null when the file did not set it.
const HistoryAttribute* findHistoryAttribute(const HistoryNode& node, const std::string& key);
// The first number of a plain value, or fallback when the file sets none.
double historyNumber(const HistoryNode& node, const std::string& key, double fallback);
// The numbers of a plain value (a double3, a matrix), or fallback when the file sets none or fewer than
// fallback.size() of them.
std::vector<double> historyNumbers(const HistoryNode& node, const std::string& key, const std::vector<double>& fallback);
// The strings of a plain value (a string, a componentList); empty when none.
std::vector<std::string> historyStrings(const HistoryNode& node, const std::string& key);

// The element values of an array attribute, `width` numbers per element, by element index; a later statement
// overrides an earlier one, as in the file. A plain value counts as elements 0, 1, ... in a row.
std::map<std::int64_t, std::vector<double>> historyElements(const HistoryNode& node, const std::string& key,
                                                            size_t width);
// The element indices k for which the file sets some attribute "prefix[k]..." ("wl" -> 0, 1, ... for "wl[0].w").
std::vector<std::int64_t> historyElementIndices(const HistoryNode& node, const std::string& prefix);

// The indices of one kind ("f", "vtx", "e", "map") that a componentList names, ascending and without repeats,
// "[*]" naming all `count` of them; entries of other kinds are left out and counted in *others. False, with
// problem set, for an index past count or an entry not of the form kind[i], kind[i:j] or kind[*].
bool componentIndices(const std::vector<std::string>& entries, const std::string& kind, int count,
                      std::vector<int>& indices, std::string& problem, int* others = nullptr);

// The value of animation curve node `curve` (animCurveTU, animCurveTL, ...) at `time`: a key's value on a key,
// the first or last value before the first or after the last key when the curve holds constant there (the
// host's default). False between keys or past an end that is not constant, where the curve's tangents decide.
bool animCurveValue(const HistoryNode& curve, double time, double& value);

// A plug name in the short form the evaluation compares ("inMesh" -> "i", "outputGeometry[0]" -> "og[0]").
std::string shortPlugName(const std::string& plug);

// The connections of a graph by destination node, plugs in their short form.
class HistoryConnections {
 public:
  explicit HistoryConnections(const HistoryGraph& graph);
  // The connection into node's plug (short form, "i", "ip[0].ig"), or null.
  const HistoryConnection* into(int node, const std::string& plug) const;
  // Every connection into node, in file order.
  const std::vector<HistoryConnection>& allInto(int node) const;
  // Every connection out of node, in file order.
  const std::vector<HistoryConnection>& allFrom(int node) const;

 private:
  std::unordered_map<int, std::vector<HistoryConnection>> into_;
  std::unordered_map<int, std::vector<HistoryConnection>> from_;
};

// What a generator or modifier can see: the graph, its connections, and the result it reports warnings and
// errors into.
struct HistoryContext {
  const HistoryGraph& graph;
  const HistoryConnections& connections;
  HistoryResult& result;
  void warn(const HistoryNode& node, const std::string& what) const;
  // Sets the error (node, what, and the line of the file's value at fault, 0 when no value is); returns false
  // for the caller to return.
  bool fail(const HistoryNode& node, const std::string& what, int line) const;
  // Notes a node type the chain depends on that is not evaluated (an animation curve driving a weight), so that
  // the shape is skipped naming it; returns false for the caller to return.
  bool unsupported(const std::string& type) const;
  // The number at node's plug ("w[0]", "en", an animation curve's "o"): what drives it, else what the file sets,
  // else fallback. False, with the driving node's type noted as unsupported, when a driver cannot be read.
  bool plugValue(int node, std::string plug, double fallback, double& value) const;
};

}  // namespace headless

#endif
