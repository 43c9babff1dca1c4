// The generic scene-building layer of headless/scene.h: scene settings, nodes by type name, attributes by name,
// connections, instancing, paths and the selection.
#include "scene_model.h"

#include <headless/scene.h>
#include <maya/MSelectionList.h>
#include <maya/MString.h>

#include <algorithm>
#include <unordered_set>

namespace headless {

namespace {

Node* dagParentFor(const MObject& parent, bool& ok) {
  ok = true;
  if (parent.isNull()) return scene().world;
  Node* node = nodeFrom(parent);
  ok = node != nullptr && node->isDag();
  return node;
}

// Whether candidate is node or lies above it, visiting each ancestor once (instancing makes the DAG a lattice of
// paths, so following every path could take exponential time).
bool isAncestor(const Node* candidate, const Node* node) {
  std::vector<const Node*> pending{node};
  std::unordered_set<const Node*> seen{node};
  while (!pending.empty()) {
    const Node* n = pending.back();
    pending.pop_back();
    if (n == candidate) return true;
    for (const Node* p : n->parents) {
      if (seen.insert(p).second) pending.push_back(p);
    }
  }
  return false;
}

// The DAG node to place under newParent (a null object for the world), with that parent; null when it cannot go
// there: the world itself, anything under a shape, a shape under anything but a transform, a node under itself
// or its own descendant.
Node* nodeToPlace(const MObject& node, const MObject& newParent, Node*& parent) {
  Node* n = nodeFrom(node);
  bool ok = false;
  parent = dagParentFor(newParent, ok);
  if (n == nullptr || !ok || !n->isDag() || n == scene().world || parent->isShape()) return nullptr;
  if (n->isShape() && !parent->isTransform()) return nullptr;
  if (isAncestor(n, parent)) return nullptr;
  return n;
}

}  // namespace

HostBehaviour& hostBehaviour() { return scene().behaviour; }

void resetHostBehaviour() { scene().behaviour = HostBehaviour(); }

void emptyScene() { clearScene(); }

void setUpAxis(UpAxis axis) { scene().upAxis = axis; }
UpAxis upAxis() { return scene().upAxis; }
void setWorkspaceRoot(const std::string& directory) { scene().workspaceRoot = directory; }
void setCurrentFile(const std::string& path) { scene().currentFile = path; }

MObject createNode(const std::string& typeName, const std::string& name, const MObject& parent) {
  const NodeType* type = findNodeType(typeName);
  if (type == nullptr || typeName == "world") type = unknownNodeType(!parent.isNull());
  Node* parentNode = nullptr;
  if (type->isDag) {
    bool ok = false;
    parentNode = dagParentFor(parent, ok);
    if (!ok) return MObject();
    // Shapes live under transforms, not under the world or other shapes.
    if (type->isShape && !parentNode->isTransform()) return MObject();
    if (parentNode->isShape()) return MObject();
  } else if (!parent.isNull()) {
    return MObject();
  }
  Node* node = newNode(type, typeName, name);
  if (type->isDag) {
    node->parents.push_back(parentNode);
    parentNode->children.push_back(node);
  }
  return ObjectAccess::make(node);
}

MObject findNode(const std::string& nameOrPath) {
  Node* node = findNodeByName(nameOrPath);
  return node != nullptr ? ObjectAccess::make(node) : MObject();
}

std::vector<MObject> allNodes() {
  std::vector<MObject> nodes;
  for (Node* n : scene().nodes) nodes.push_back(ObjectAccess::make(n));
  return nodes;
}

bool hasAttribute(const MObject& node, const std::string& attribute) {
  Node* n = nodeFrom(node);
  std::vector<PlugSegment> segments;
  return n != nullptr && resolvePlug(n, attribute, segments, false);
}

namespace {

// Angle attributes take degrees here and keep radians.
std::vector<double> toStored(Node* node, const std::string& attribute, std::vector<double> values) {
  std::vector<PlugSegment> segments;
  if (resolvePlug(node, attribute, segments, false) && segments.back().definition->angle) {
    for (double& v : values) v = degreesToRadians(v);
  }
  return values;
}

}  // namespace

bool setAttr(const MObject& node, const std::string& attribute, double value) {
  Node* n = nodeFrom(node);
  return n != nullptr && writeNumbers(n, attribute, toStored(n, attribute, {value}));
}

bool setAttr(const MObject& node, const std::string& attribute, const std::vector<double>& values) {
  Node* n = nodeFrom(node);
  return n != nullptr && writeNumbers(n, attribute, toStored(n, attribute, values));
}

bool setAttr(const MObject& node, const std::string& attribute, const std::string& value) {
  Node* n = nodeFrom(node);
  return n != nullptr && writeText(n, attribute, value);
}

bool setAttr(const MObject& node, const std::string& attribute, const char* value) {
  return setAttr(node, attribute, std::string(value != nullptr ? value : ""));
}

bool getAttr(const MObject& node, const std::string& attribute, std::vector<double>& values) {
  Node* n = nodeFrom(node);
  if (n == nullptr || !readNumbers(n, attribute, values)) return false;
  std::vector<PlugSegment> segments;
  if (resolvePlug(n, attribute, segments, false) && segments.back().definition->angle) {
    for (double& v : values) v = radiansToDegrees(v);
  }
  return true;
}

bool getAttr(const MObject& node, const std::string& attribute, double& value) {
  std::vector<double> values;
  if (!getAttr(node, attribute, values) || values.size() != 1) return false;
  value = values[0];
  return true;
}

bool getAttr(const MObject& node, const std::string& attribute, std::string& value) {
  Node* n = nodeFrom(node);
  return n != nullptr && readText(n, attribute, value);
}

bool addAttribute(const MObject& node, const std::string& longName, const std::string& shortName, AttributeKind kind,
                  bool isArray) {
  Node* n = nodeFrom(node);
  if (n == nullptr || longName.empty()) return false;
  const std::string shortOrLong = shortName.empty() ? longName : shortName;
  if (n->findAttribute(longName) != nullptr || n->findAttribute(shortOrLong) != nullptr) return false;
  AttributeSpec definition;
  definition.longName = longName;
  definition.shortName = shortOrLong;
  definition.kind = kind;
  definition.isArray = isArray;
  definition.angle = kind == AttributeKind::Angle;
  std::vector<AttributeSpec> specs;
  addAttributeSpec(specs, definition);
  for (const AttributeSpec& s : specs) n->dynamicAttributes.push_back(s);
  return true;
}

bool connect(const MObject& source, const std::string& sourcePlug, const MObject& destination,
             const std::string& destinationPlug) {
  return connectPlugs(nodeFrom(source), sourcePlug, nodeFrom(destination), destinationPlug);
}

bool disconnect(const MObject& source, const std::string& sourcePlug, const MObject& destination,
                const std::string& destinationPlug) {
  Node* from = nodeFrom(source);
  Node* to = nodeFrom(destination);
  std::vector<PlugSegment> a, b;
  if (from == nullptr || to == nullptr || !resolvePlug(from, sourcePlug, a, false) ||
      !resolvePlug(to, destinationPlug, b, false)) {
    return false;
  }
  const Connection* c = incomingConnection(to, canonicalPlug(b));
  if (c == nullptr || c->source != from || c->sourcePlug != canonicalPlug(a)) return false;
  removeConnection(c);
  return true;
}

bool addInstance(const MObject& node, const MObject& newParent) {
  Node* parent = nullptr;
  Node* n = nodeToPlace(node, newParent, parent);
  if (n == nullptr) return false;
  for (Node* p : n->parents) {
    if (p == parent) return false;
  }
  n->parents.push_back(parent);
  parent->children.push_back(n);
  return true;
}

bool reparent(const MObject& node, const MObject& newParent) {
  Node* parent = nullptr;
  Node* n = nodeToPlace(node, newParent, parent);
  if (n == nullptr) return false;
  for (Node* p : n->parents) {
    p->children.erase(std::remove(p->children.begin(), p->children.end(), n), p->children.end());
  }
  n->parents.assign(1, parent);
  parent->children.push_back(n);
  return true;
}

bool rename(const MObject& node, const std::string& newName) {
  Node* n = nodeFrom(node);
  if (n == nullptr || n == scene().world || newName.empty()) return false;
  for (const Node* other : nodesNamed(newName)) {
    if (other != n && !(n->isDag() && other->isDag())) return false;
  }
  renameNode(n, newName);
  return true;
}

MDagPath pathTo(const MObject& node, unsigned instance) {
  Node* n = nodeFrom(node);
  if (n == nullptr || !n->isDag()) return MDagPath();
  std::vector<Node*> path;
  if (!pathOfInstance(n, instance, path)) return MDagPath();
  return makePath(path);
}

// "|a|b" from the world down; "a|b" or "b" as the tail of exactly one path.
MDagPath pathTo(const std::string& nameOrPath) {
  std::vector<std::string> names;
  size_t start = 0;
  const bool absolute = !nameOrPath.empty() && nameOrPath[0] == '|';
  if (absolute) start = 1;
  while (start <= nameOrPath.size()) {
    size_t bar = nameOrPath.find('|', start);
    names.push_back(nameOrPath.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) break;
    start = bar + 1;
  }
  for (const std::string& n : names) {
    if (n.empty()) return MDagPath();
  }
  if (names.empty()) return MDagPath();
  std::vector<std::vector<Node*>> matches;
  for (Node* node : nodesNamed(names.back())) {
    if (!node->isDag() || node == scene().world) continue;
    for (std::vector<Node*>& path : allPaths(node)) {
      if (path.size() < names.size() || (absolute && path.size() != names.size())) continue;
      bool same = true;
      for (size_t i = 0; i < names.size() && same; ++i) {
        same = path[path.size() - names.size() + i]->name == names[i];
      }
      if (same) matches.push_back(std::move(path));
    }
  }
  if (matches.size() != 1) return MDagPath();
  return makePath(matches.front());
}

// ---- selection

bool select(const std::vector<std::string>& namesOrPaths) {
  MSelectionList list;
  for (const std::string& name : namesOrPaths) {
    if (!list.add(MString(name.c_str()))) return false;
  }
  scene().selection = SelectionAccess::data(list);
  return true;
}

void select(const std::vector<MObject>& nodes) {
  MSelectionList list;
  for (const MObject& node : nodes) list.add(node);
  scene().selection = SelectionAccess::data(list);
}

void selectPaths(const std::vector<MDagPath>& paths) {
  MSelectionList list;
  for (const MDagPath& path : paths) list.add(path);
  scene().selection = SelectionAccess::data(list);
}

void clearSelection() { scene().selection.clear(); }

}  // namespace headless
