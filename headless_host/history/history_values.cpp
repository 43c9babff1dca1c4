// The values and connections of history nodes as the evaluation reads them.
#include "history_values.h"

#include <algorithm>
#include <cstdlib>

namespace headless {

const HistoryAttribute* findHistoryAttribute(const HistoryNode& node, const std::string& key) {
  auto found = node.attributes.find(key);
  return found == node.attributes.end() ? nullptr : &found->second;
}

double historyNumber(const HistoryNode& node, const std::string& key, double fallback) {
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  return attribute != nullptr && attribute->hasPlain && !attribute->numbers.empty() ? attribute->numbers[0] : fallback;
}

std::vector<double> historyNumbers(const HistoryNode& node, const std::string& key,
                                   const std::vector<double>& fallback) {
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  if (attribute == nullptr || !attribute->hasPlain || attribute->numbers.size() < fallback.size()) return fallback;
  return attribute->numbers;
}

std::vector<std::string> historyStrings(const HistoryNode& node, const std::string& key) {
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  return attribute != nullptr && attribute->hasPlain ? attribute->strings : std::vector<std::string>();
}

std::map<std::int64_t, std::vector<double>> historyElements(const HistoryNode& node, const std::string& key,
                                                            size_t width) {
  std::map<std::int64_t, std::vector<double>> elements;
  const HistoryAttribute* attribute = findHistoryAttribute(node, key);
  if (attribute == nullptr || width == 0) return elements;
  auto take = [&](std::int64_t first, const std::vector<double>& numbers) {
    for (size_t i = 0; (i + 1) * width <= numbers.size(); ++i)
      elements[first + std::int64_t(i)].assign(numbers.begin() + std::ptrdiff_t(i * width),
                                               numbers.begin() + std::ptrdiff_t((i + 1) * width));
  };
  if (attribute->hasPlain) take(0, attribute->numbers);
  for (const HistoryChunk& chunk : attribute->chunks) take(chunk.first, chunk.numbers);
  return elements;
}

std::vector<std::int64_t> historyElementIndices(const HistoryNode& node, const std::string& prefix) {
  std::vector<std::int64_t> indices;
  const std::string open = prefix + "[";
  for (auto it = node.attributes.lower_bound(open); it != node.attributes.end(); ++it) {
    const std::string& key = it->first;
    if (key.compare(0, open.size(), open) != 0) break;
    char* end = nullptr;
    const long long index = std::strtoll(key.c_str() + open.size(), &end, 10);
    if (end != nullptr && *end == ']' && (indices.empty() || indices.back() != index)) indices.push_back(index);
  }
  // Keys sort as text ("wl[10]" before "wl[2]"): put the indices in numeric order.
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  return indices;
}

bool componentIndices(const std::vector<std::string>& entries, const std::string& kind, int count,
                      std::vector<int>& indices, std::string& problem, int* others) {
  std::vector<char> named(size_t(std::max(count, 0)), 0);
  for (const std::string& entry : entries) {
    const size_t open = entry.find('[');
    if (open == std::string::npos || entry.back() != ']') {
      problem = "\"" + entry + "\" is not a component";
      return false;
    }
    if (entry.compare(0, open, kind) != 0 || open != kind.size()) {
      if (others != nullptr) ++*others;
      continue;
    }
    const std::string range = entry.substr(open + 1, entry.size() - open - 2);
    long long first = 0, last = count - 1;
    if (range != "*") {
      char* end = nullptr;
      first = std::strtoll(range.c_str(), &end, 10);
      last = first;
      if (end != nullptr && *end == ':') last = std::strtoll(end + 1, &end, 10);
      if (end == range.c_str() || end == nullptr || *end != '\0' || first < 0 || last < first) {
        problem = "\"" + entry + "\" is not a component";
        return false;
      }
      if (last >= count) {
        problem = "\"" + entry + "\" names " + (kind == "f" ? "face " : kind == "vtx" ? "vertex " : "component ") +
                  std::to_string(last) + ", but the mesh has " + std::to_string(count);
        return false;
      }
    }
    for (long long i = first; i <= last; ++i) named[size_t(i)] = 1;
  }
  indices.clear();
  for (size_t i = 0; i < named.size(); ++i)
    if (named[i]) indices.push_back(int(i));
  return true;
}

std::string shortPlugName(const std::string& plug) {
  static const std::map<std::string, std::string> names = {
      {"inMesh", "i"},           {"outMesh", "o"},          {"worldMesh", "w"},        {"output", "out"},
      {"inputPolymesh", "ip"},   {"input", "ip"},           {"inputGeometry", "ig"},   {"outputGeometry", "og"},
      {"groupId", "gi"},         {"inputComponents", "ic"}, {"instObjGroups", "iog"},  {"objectGroups", "og"},
      {"objectGroupId", "gid"},  {"worldMatrix", "wm"},     {"matrix", "ma"},          {"inputTarget", "it"}};
  std::string out;
  size_t start = 0;
  while (start <= plug.size()) {
    size_t dot = plug.find('.', start);
    if (dot == std::string::npos) dot = plug.size();
    const std::string segment = plug.substr(start, dot - start);
    const size_t bracket = segment.find('[');
    const std::string name = segment.substr(0, bracket);
    auto found = names.find(name);
    if (!out.empty()) out += '.';
    out += (found == names.end() ? name : found->second) + (bracket == std::string::npos ? "" : segment.substr(bracket));
    start = dot + 1;
  }
  return out;
}

HistoryConnections::HistoryConnections(const HistoryGraph& graph) {
  for (const HistoryConnection& c : graph.connections) {
    HistoryConnection normal = c;
    normal.sourcePlug = shortPlugName(c.sourcePlug);
    normal.destinationPlug = shortPlugName(c.destinationPlug);
    into_[c.destination].push_back(normal);
    from_[c.source].push_back(normal);
  }
}

const HistoryConnection* HistoryConnections::into(int node, const std::string& plug) const {
  auto found = into_.find(node);
  if (found == into_.end()) return nullptr;
  // A later connection into the same plug replaces an earlier one, as in the host.
  const HistoryConnection* match = nullptr;
  for (const HistoryConnection& c : found->second)
    if (c.destinationPlug == plug) match = &c;
  return match;
}

const std::vector<HistoryConnection>& HistoryConnections::allInto(int node) const {
  static const std::vector<HistoryConnection> none;
  auto found = into_.find(node);
  return found == into_.end() ? none : found->second;
}

const std::vector<HistoryConnection>& HistoryConnections::allFrom(int node) const {
  static const std::vector<HistoryConnection> none;
  auto found = from_.find(node);
  return found == from_.end() ? none : found->second;
}

void HistoryContext::warn(const HistoryNode& node, const std::string& what) const {
  result.warnings.push_back(node.name + " (" + node.type + "): " + what);
}

bool HistoryContext::fail(const HistoryNode& node, const std::string& what, int line) const {
  if (result.error.empty()) {
    result.error = node.name + " (" + node.type + "): " + what;
    result.errorLine = line;
  }
  return false;
}

bool HistoryContext::plugValue(int node, std::string plug, double fallback, double& value) const {
  // A chain of plain connections ends at a value; the bound keeps a loop in a broken file from running on.
  for (int step = 0; step < 64; ++step) {
    const HistoryNode& at = graph.nodes[size_t(node)];
    if (const HistoryConnection* driver = connections.into(node, plug)) {
      node = driver->source;
      plug = driver->sourcePlug;
      continue;
    }
    if (at.type.compare(0, 9, "animCurve") == 0 && plug == "o") {
      if (!animCurveValue(at, graph.currentTime, value)) return unsupported(at.type);
      return true;
    }
    // Past the first node only a plug that holds the file's value (an input, such as another blend shape's
    // weight) can be read; any other output is computed by its node, which is not evaluated here.
    const bool storedInput = at.type == "blendShape" && plug.compare(0, 2, "w[") == 0;
    if (step > 0 && !storedInput) return unsupported(at.type);
    const size_t open = plug.find('[');
    if (open != std::string::npos && plug.back() == ']' && plug.find('.') == std::string::npos) {
      const auto elements = historyElements(at, plug.substr(0, open), 1);
      auto found = elements.find(std::atoll(plug.c_str() + open + 1));
      value = found == elements.end() ? fallback : found->second[0];
    } else {
      value = historyNumber(at, plug, fallback);
    }
    return true;
  }
  return unsupported(graph.nodes[size_t(node)].type);
}

bool HistoryContext::unsupported(const std::string& type) const {
  if (std::find(result.unsupportedTypes.begin(), result.unsupportedTypes.end(), type) == result.unsupportedTypes.end())
    result.unsupportedTypes.push_back(type);
  return false;
}

}  // namespace headless
