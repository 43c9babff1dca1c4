// The scene itself: counted objects, node creation with unique names, lookup by name or path, scene reset.
#include "scene_model.h"

#include <algorithm>

namespace headless {

void retain(Object* object) {
  if (object != nullptr) ++object->references;
}

void release(Object* object) {
  if (object != nullptr && --object->references == 0) delete object;
}

MObject ObjectAccess::make(Object* object) {
  MObject handle;
  retain(object);
  handle.object_ = object;
  return handle;
}

bool StringData::hasFn(MFn::Type type) const {
  return type == MFn::kBase || type == MFn::kData || type == MFn::kStringData;
}

MFn::Type AttributeObject::apiType() const {
  switch (definition.kind) {
    case AttributeKind::Message:
      return definition.isCompound ? MFn::kCompoundAttribute : MFn::kMessageAttribute;
    case AttributeKind::String:
    case AttributeKind::Matrix:
      return MFn::kTypedAttribute;
    default:
      return definition.isCompound ? MFn::kCompoundAttribute : MFn::kNumericAttribute;
  }
}

bool AttributeObject::hasFn(MFn::Type type) const {
  return type == MFn::kBase || type == MFn::kAttribute || type == apiType();
}

const AttributeSpec* Node::findAttribute(const std::string& attributeName, const std::string& parentName) const {
  if (const AttributeSpec* definition = type->find(attributeName, parentName)) return definition;
  for (const AttributeSpec& a : dynamicAttributes) {
    if ((a.longName == attributeName || a.shortName == attributeName) &&
        (a.parent == parentName || (parentName.empty() && a.component >= 0))) {
      return &a;
    }
  }
  return nullptr;
}

bool Node::ownsAttribute(const AttributeSpec* definition) const {
  for (const AttributeSpec& a : dynamicAttributes) {
    if (&a == definition) return true;
  }
  return false;
}

namespace {

Node* makeWorld(Scene& s) {
  Node* world = new Node;
  world->id = s.nextId++;
  world->name = "world";
  world->typeName = "world";
  world->type = worldNodeType();
  retain(world);
  s.nodes.push_back(world);
  s.byName[world->name].push_back(world);
  return world;
}

bool nameTaken(const std::string& name, bool dag) {
  // DAG nodes may repeat a name under different parents; a dependency node's name is unique.
  for (const Node* n : nodesNamed(name)) {
    if (!dag || !n->isDag()) return true;
  }
  return false;
}

std::string uniqueName(const std::string& requested, const std::string& typeName, bool dag) {
  std::string base = requested;
  if (base.empty()) base = typeName;
  if (!requested.empty() && !nameTaken(base, dag)) return base;
  // Strip trailing digits and count up, as the host does ("pCube" -> "pCube1").
  while (!base.empty() && base.back() >= '0' && base.back() <= '9') base.pop_back();
  for (int i = 1;; ++i) {
    std::string candidate = base + std::to_string(i);
    if (nodesNamed(candidate).empty()) return candidate;
  }
}

}  // namespace

// The scene lives on the heap and is never destroyed: the plug-in module, handles in static objects and the
// registry may all still point into it while the process exits, and it stays reachable for leak checkers.
Scene& scene() {
  static Scene* theScene = nullptr;
  if (theScene == nullptr) {
    theScene = new Scene;
    theScene->world = makeWorld(*theScene);
  }
  return *theScene;
}

void clearScene() {
  Scene& s = scene();
  s.selection.clear();
  std::vector<Node*> old;
  old.swap(s.nodes);
  s.byName.clear();
  for (Node* n : old) {
    n->alive = false;
    n->parents.clear();
    n->children.clear();
    n->inputs.clear();
    n->memberInputs.clear();
    n->outputs.clear();
    n->inputByPlug.clear();
    n->arrayIndices.clear();
  }
  s.connections.clear();
  for (Node* n : old) release(n);
  s.world = makeWorld(s);
  s.upAxis = UpAxis::Y;
  s.workspaceRoot.clear();
  s.currentFile.clear();
}

Node* newNode(const NodeType* type, const std::string& typeName, const std::string& requestedName) {
  Scene& s = scene();
  Node* node = new Node;
  node->id = s.nextId++;
  node->type = type;
  node->typeName = typeName;
  node->name = uniqueName(requestedName, typeName, type->isDag);
  retain(node);
  s.nodes.push_back(node);
  s.byName[node->name].push_back(node);
  return node;
}

const std::vector<Node*>& nodesNamed(const std::string& name) {
  static const std::vector<Node*> none;
  const Scene& s = scene();
  auto it = s.byName.find(name);
  return it == s.byName.end() ? none : it->second;
}

void renameNode(Node* node, const std::string& newName) {
  Scene& s = scene();
  std::vector<Node*>& old = s.byName[node->name];
  old.erase(std::find(old.begin(), old.end(), node));
  if (old.empty()) s.byName.erase(node->name);
  node->name = newName;
  // Keep creation order among nodes of one name.
  std::vector<Node*>& named = s.byName[newName];
  named.insert(std::find_if(named.begin(), named.end(), [&](const Node* n) { return n->id > node->id; }), node);
}

Node* nodeFrom(const MObject& handle) {
  Node* node = asNode(ObjectAccess::get(handle));
  return node != nullptr && node->alive ? node : nullptr;
}

Node* findNodeByName(const std::string& nameOrPath) {
  Scene& s = scene();
  if (nameOrPath.empty()) return nullptr;
  if (nameOrPath.find('|') != std::string::npos) {
    MDagPath path = pathTo(nameOrPath);
    return endNode(PathAccess::get(path));
  }
  Node* found = nullptr;
  for (Node* n : nodesNamed(nameOrPath)) {
    if (n == s.world) continue;
    if (found != nullptr) return nullptr;  // ambiguous
    found = n;
  }
  return found;
}

}  // namespace headless
