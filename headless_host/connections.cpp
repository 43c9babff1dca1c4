// Plug-level connections between nodes, kept in creation order.
#include "scene_model.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace headless {

namespace {

bool startsWithElement(const std::string& plug, const std::string& arrayPath, int& index) {
  if (plug.compare(0, arrayPath.size(), arrayPath) != 0 || plug.size() <= arrayPath.size() ||
      plug[arrayPath.size()] != '[') {
    return false;
  }
  index = std::atoi(plug.c_str() + arrayPath.size() + 1);
  return true;
}

}  // namespace

int nextFreeIndex(const Node* node, const std::string& arrayPath) {
  std::set<int> used;
  for (const Connection& c : scene().connections) {
    int index = 0;
    if (c.destination == node && startsWithElement(c.destinationPlug, arrayPath, index)) used.insert(index);
    if (c.source == node && startsWithElement(c.sourcePlug, arrayPath, index)) used.insert(index);
  }
  int free = 0;
  while (used.count(free) != 0) ++free;
  return free;
}

bool connectPlugs(Node* source, const std::string& sourceText, Node* destination, const std::string& destinationText) {
  std::vector<PlugSegment> from, to;
  if (source == nullptr || destination == nullptr) return false;
  if (!resolvePlug(source, sourceText, from, true) || !resolvePlug(destination, destinationText, to, true)) {
    return false;
  }
  // An array plug without an index: element 0 as a source, the next free element as a destination.
  if (from.back().index < 0 && from.back().spec->isArray) from.back().index = 0;
  if (to.back().index < 0 && to.back().spec->isArray) to.back().index = nextFreeIndex(destination, canonicalPlug(to));
  const std::string sourcePlug = canonicalPlug(from);
  const std::string destinationPlug = canonicalPlug(to);
  if (source == destination && sourcePlug == destinationPlug) return false;
  std::vector<Connection>& all = scene().connections;
  // A destination plug is fed by one source: a new connection replaces the old one.
  all.erase(std::remove_if(all.begin(), all.end(),
                           [&](const Connection& c) {
                             return c.destination == destination && c.destinationPlug == destinationPlug;
                           }),
            all.end());
  all.push_back(Connection{source, sourcePlug, destination, destinationPlug});
  return true;
}

const Connection* incomingConnection(const Node* node, const std::string& canonicalPath) {
  for (const Connection& c : scene().connections) {
    if (c.destination == node && c.destinationPlug == canonicalPath) return &c;
  }
  return nullptr;
}

}  // namespace headless
