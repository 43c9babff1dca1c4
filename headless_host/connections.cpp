// Plug-level connections between nodes: each node lists its own, in creation order, and keeps the element indices
// in use on its array plugs, so that connecting and asking cost what the node's own connections cost.
#include "scene_model.h"

#include <algorithm>
#include <cstdlib>

namespace headless {

namespace {

// "a[3]" -> ("a", 3); false for a plug that is not an array element.
bool splitElement(const std::string& plug, std::string& arrayPath, int& index) {
  if (plug.empty() || plug.back() != ']') return false;
  const size_t bracket = plug.rfind('[');
  if (bracket == std::string::npos) return false;
  arrayPath = plug.substr(0, bracket);
  index = std::atoi(plug.c_str() + bracket + 1);
  return true;
}

void useIndex(Node* node, const std::string& plug) {
  std::string arrayPath;
  int index = 0;
  if (!splitElement(plug, arrayPath, index)) return;
  ArrayIndices& indices = node->arrayIndices[arrayPath];
  indices.used.insert(index);
  while (indices.used.count(indices.lowestFree) != 0) ++indices.lowestFree;
}

void freeIndex(Node* node, const std::string& plug) {
  std::string arrayPath;
  int index = 0;
  if (!splitElement(plug, arrayPath, index)) return;
  // Another connection of the node may still use the element (an element can be both source and destination).
  for (const std::vector<Connection*>* list : {&node->inputs, &node->memberInputs, &node->outputs}) {
    for (const Connection* c : *list) {
      if ((c->destination == node && c->destinationPlug == plug) || (c->source == node && c->sourcePlug == plug)) {
        return;
      }
    }
  }
  if (node->values.count(plug) != 0) return;
  ArrayIndices& indices = node->arrayIndices[arrayPath];
  indices.used.erase(index);
  indices.lowestFree = std::min(indices.lowestFree, index);
}

bool isMembership(const std::string& destinationPlug) { return destinationPlug.compare(0, 14, "dagSetMembers[") == 0; }

void eraseFrom(std::vector<Connection*>& list, const Connection* connection) {
  list.erase(std::remove(list.begin(), list.end(), connection), list.end());
}

}  // namespace

int nextFreeIndex(const Node* node, const std::string& arrayPath) {
  auto it = node->arrayIndices.find(arrayPath);
  int free = it == node->arrayIndices.end() ? 0 : it->second.lowestFree;
  // Elements that only hold values count as used too.
  const std::string prefix = arrayPath + "[";
  while (node->values.count(prefix + std::to_string(free) + "]") != 0 ||
         (it != node->arrayIndices.end() && it->second.used.count(free) != 0)) {
    ++free;
  }
  return free;
}

std::vector<int> usedIndices(const Node* node, const std::string& arrayPath) {
  std::set<int> indices;
  auto it = node->arrayIndices.find(arrayPath);
  if (it != node->arrayIndices.end()) indices = it->second.used;
  const std::string prefix = arrayPath + "[";
  for (auto v = node->values.lower_bound(prefix); v != node->values.end() && v->first.compare(0, prefix.size(), prefix) == 0;
       ++v) {
    indices.insert(std::atoi(v->first.c_str() + prefix.size()));
  }
  return std::vector<int>(indices.begin(), indices.end());
}

void removeConnection(const Connection* connection) {
  Node* source = connection->source;
  Node* destination = connection->destination;
  eraseFrom(source->outputs, connection);
  eraseFrom(destination->inputs, connection);
  eraseFrom(destination->memberInputs, connection);
  destination->inputByPlug.erase(connection->destinationPlug);
  const std::string sourcePlug = connection->sourcePlug;
  const std::string destinationPlug = connection->destinationPlug;
  scene().connections.erase(connection);
  freeIndex(source, sourcePlug);
  freeIndex(destination, destinationPlug);
}

bool connectPlugs(Node* source, const std::string& sourceText, Node* destination, const std::string& destinationText) {
  std::vector<PlugSegment> from, to;
  if (source == nullptr || destination == nullptr) return false;
  if (!resolvePlug(source, sourceText, from, true) || !resolvePlug(destination, destinationText, to, true)) {
    return false;
  }
  // An array plug without an index: element 0 as a source, the next free element as a destination.
  if (from.back().index < 0 && from.back().definition->isArray) from.back().index = 0;
  if (to.back().index < 0 && to.back().definition->isArray) to.back().index = nextFreeIndex(destination, canonicalPlug(to));
  const std::string sourcePlug = canonicalPlug(from);
  const std::string destinationPlug = canonicalPlug(to);
  if (source == destination && sourcePlug == destinationPlug) return false;
  // A destination plug is fed by one source: a new connection replaces the old one.
  if (const Connection* old = incomingConnection(destination, destinationPlug)) removeConnection(old);
  std::unique_ptr<Connection> connection(new Connection{source, sourcePlug, destination, destinationPlug});
  Connection* c = connection.get();
  scene().connections[c] = std::move(connection);
  source->outputs.push_back(c);
  (isMembership(destinationPlug) ? destination->memberInputs : destination->inputs).push_back(c);
  destination->inputByPlug[destinationPlug] = c;
  useIndex(source, sourcePlug);
  useIndex(destination, destinationPlug);
  return true;
}

const Connection* incomingConnection(const Node* node, const std::string& canonicalPath) {
  auto it = node->inputByPlug.find(canonicalPath);
  return it == node->inputByPlug.end() ? nullptr : it->second;
}

}  // namespace headless
