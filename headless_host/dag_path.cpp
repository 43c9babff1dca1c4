// DAG paths: one instance of a DAG node as the chain of nodes from the world down to it.
#include "scene_model.h"

#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MMatrix.h>
#include <maya/MString.h>

namespace headless {

PathData& PathAccess::data(MDagPath& path) {
  if (path.data_ == nullptr) path.data_ = new PathData;
  return *path.data_;
}

Node* endNode(const PathData* path) {
  if (path == nullptr || !path->valid) return nullptr;
  if (!pathIsAlive(path)) return nullptr;
  return path->nodes.empty() ? scene().world : path->nodes.back().get();
}

bool pathIsAlive(const PathData* path) {
  if (path == nullptr || !path->valid) return false;
  for (const Ref<Node>& n : path->nodes) {
    if (!n->alive) return false;
  }
  return true;
}

MDagPath makePath(const std::vector<Node*>& nodes) {
  MDagPath path;
  PathData& data = PathAccess::data(path);
  data.valid = true;
  for (Node* n : nodes) data.nodes.push_back(Ref<Node>(n));
  return path;
}

std::vector<std::vector<Node*>> allPaths(Node* node) {
  std::vector<std::vector<Node*>> result;
  if (node == nullptr || !node->alive || !node->isDag()) return result;
  if (node == scene().world) {
    result.push_back({});
    return result;
  }
  for (Node* parent : node->parents) {
    for (std::vector<Node*>& path : allPaths(parent)) {
      path.push_back(node);
      result.push_back(std::move(path));
    }
  }
  return result;
}

Node* firstShapeChild(const Node* transform) {
  if (transform == nullptr || !transform->isTransform()) return nullptr;
  for (Node* child : transform->children) {
    if (child->isShape()) return child;
  }
  return nullptr;
}

std::string fullPathName(const std::vector<Ref<Node>>& nodes) {
  std::string text;
  for (const Ref<Node>& n : nodes) text += "|" + n->name;
  return text;
}

namespace {

std::vector<Node*> rawNodes(const PathData* path) {
  std::vector<Node*> nodes;
  if (path != nullptr) {
    for (const Ref<Node>& n : path->nodes) nodes.push_back(n.get());
  }
  return nodes;
}

int shapeCount(const Node* transform) {
  int count = 0;
  for (const Node* child : transform->children) count += child->isShape() ? 1 : 0;
  return count;
}

}  // namespace

}  // namespace headless

using headless::Node;
using headless::PathAccess;
using headless::PathData;
using headless::setStatus;

MDagPath::MDagPath() : data_(nullptr) {}

MDagPath::MDagPath(const MDagPath& src) : data_(src.data_ != nullptr ? new PathData(*src.data_) : nullptr) {}

MDagPath::~MDagPath() { delete data_; }

MDagPath& MDagPath::operator=(const MDagPath& src) {
  if (this != &src) {
    PathData* copy = src.data_ != nullptr ? new PathData(*src.data_) : nullptr;
    delete data_;
    data_ = copy;
  }
  return *this;
}

MStatus MDagPath::set(const MDagPath& src) {
  *this = src;
  return MStatus::kSuccess;
}

MStatus MDagPath::getAllPathsTo(const MObject& entity, MDagPathArray& pathArray) {
  pathArray.clear();
  Node* node = headless::nodeFrom(entity);
  if (node == nullptr || !node->isDag()) return MStatus::kInvalidParameter;
  for (const std::vector<Node*>& nodes : headless::allPaths(node)) pathArray.append(headless::makePath(nodes));
  return MStatus::kSuccess;
}

MStatus MDagPath::getAPathTo(const MObject& entity, MDagPath& path) {
  Node* node = headless::nodeFrom(entity);
  if (node == nullptr || !node->isDag()) return MStatus::kInvalidParameter;
  path = headless::makePath(headless::allPaths(node).front());
  return MStatus::kSuccess;
}

// The transform of a path also answers for the shape below it. With several shapes, the first in child order
// is the one asked (the host's choice there is not documented).
bool MDagPath::hasFn(MFn::Type type, MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  if (node == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return false;
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  if (node->hasFn(type)) return true;
  Node* shape = headless::firstShapeChild(node);
  return shape != nullptr && shape->hasFn(type);
}

MFn::Type MDagPath::apiType(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? node->apiType() : MFn::kInvalid;
}

bool MDagPath::isValid(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::endNode(data_) != nullptr;
}

MObject MDagPath::node(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? headless::ObjectAccess::make(node) : MObject();
}

MObject MDagPath::transform(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  if (node == nullptr || data_->nodes.empty()) {
    setStatus(ReturnStatus, node == nullptr ? MStatus::kFailure : MStatus::kInvalidParameter);
    return MObject();
  }
  for (size_t i = data_->nodes.size(); i-- > 0;) {
    if (data_->nodes[i]->isTransform()) {
      setStatus(ReturnStatus, MStatus::kSuccess);
      return headless::ObjectAccess::make(data_->nodes[i].get());
    }
  }
  setStatus(ReturnStatus, MStatus::kInvalidParameter);
  return MObject();
}

unsigned int MDagPath::length(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? static_cast<unsigned int>(data_->nodes.size()) : 0u;
}

// A path already at a shape stays as it is and succeeds; a transform with several shapes extends to the first.
// Both are the recommended stand-in choices where the host's documents disagree; hostBehaviour() switches them.
MStatus MDagPath::extendToShape() {
  Node* node = headless::endNode(data_);
  if (node == nullptr) return MStatus::kFailure;
  const headless::HostBehaviour& behaviour = headless::hostBehaviour();
  if (node->isShape()) {
    return behaviour.extendToShapeFailsOnShape ? MStatus::kInvalidParameter : MStatus::kSuccess;
  }
  Node* shape = headless::firstShapeChild(node);
  if (shape == nullptr) return MStatus::kInvalidParameter;
  if (behaviour.extendToShapeFailsWithSeveralShapes && headless::shapeCount(node) > 1) {
    return MStatus::kInvalidParameter;
  }
  data_->nodes.push_back(headless::Ref<Node>(shape));
  return MStatus::kSuccess;
}

MStatus MDagPath::push(const MObject& child) {
  Node* node = headless::endNode(data_);
  Node* childNode = headless::nodeFrom(child);
  if (node == nullptr || childNode == nullptr) return MStatus::kInvalidParameter;
  for (Node* c : node->children) {
    if (c == childNode) {
      data_->nodes.push_back(headless::Ref<Node>(childNode));
      return MStatus::kSuccess;
    }
  }
  return MStatus::kInvalidParameter;
}

MStatus MDagPath::pop(unsigned num) {
  if (headless::endNode(data_) == nullptr) return MStatus::kFailure;
  if (num > data_->nodes.size()) return MStatus::kInvalidParameter;
  data_->nodes.resize(data_->nodes.size() - num);
  return MStatus::kSuccess;
}

unsigned MDagPath::childCount(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? static_cast<unsigned>(node->children.size()) : 0u;
}

MObject MDagPath::child(unsigned i, MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  if (node == nullptr || i >= node->children.size()) {
    setStatus(ReturnStatus, node == nullptr ? MStatus::kFailure : MStatus::kInvalidParameter);
    return MObject();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::ObjectAccess::make(node->children[i]);
}

MMatrix MDagPath::inclusiveMatrix(MStatus* ReturnStatus) const {
  if (headless::endNode(data_) == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MMatrix();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::inclusiveMatrix(*data_);
}

MMatrix MDagPath::exclusiveMatrix(MStatus* ReturnStatus) const {
  if (headless::endNode(data_) == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MMatrix();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::exclusiveMatrix(*data_);
}

MMatrix MDagPath::inclusiveMatrixInverse(MStatus* ReturnStatus) const {
  return inclusiveMatrix(ReturnStatus).inverse();
}

MMatrix MDagPath::exclusiveMatrixInverse(MStatus* ReturnStatus) const {
  return exclusiveMatrix(ReturnStatus).inverse();
}

bool MDagPath::operator==(const MDagPath& src) const {
  const bool valid = data_ != nullptr && data_->valid;
  const bool otherValid = src.data_ != nullptr && src.data_->valid;
  if (!valid || !otherValid) return valid == otherValid;
  if (data_->nodes.size() != src.data_->nodes.size()) return false;
  for (size_t i = 0; i < data_->nodes.size(); ++i) {
    if (!(data_->nodes[i] == src.data_->nodes[i])) return false;
  }
  return true;
}

MString MDagPath::fullPathName(MStatus* ReturnStatus) const {
  if (headless::endNode(data_) == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MString();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return MString(headless::fullPathName(data_->nodes).c_str());
}

// The shortest tail of the full path that names no other DAG path.
MString MDagPath::partialPathName(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  if (node == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MString();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  const std::vector<Node*> own = headless::rawNodes(data_);
  if (own.empty()) return MString();
  std::vector<std::vector<Node*>> rivals;
  for (Node* other : headless::nodesNamed(node->name)) {
    if (other->isDag()) {
      for (std::vector<Node*>& p : headless::allPaths(other)) {
        if (p != own) rivals.push_back(std::move(p));
      }
    }
  }
  for (size_t k = 1; k <= own.size(); ++k) {
    bool unique = true;
    for (const std::vector<Node*>& rival : rivals) {
      if (rival.size() < k) continue;
      bool same = true;
      for (size_t i = 1; i <= k && same; ++i) same = rival[rival.size() - i]->name == own[own.size() - i]->name;
      unique = unique && !same;
    }
    if (unique) {
      std::string text;
      for (size_t i = own.size() - k; i < own.size(); ++i) text += (text.empty() ? "" : "|") + own[i]->name;
      return MString(text.c_str());
    }
  }
  return MString(headless::fullPathName(data_->nodes).c_str());
}

bool MDagPath::isInstanced(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr && headless::allPaths(node).size() > 1;
}

unsigned MDagPath::instanceNumber(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  if (node == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return 0;
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  const std::vector<Node*> own = headless::rawNodes(data_);
  const std::vector<std::vector<Node*>> paths = headless::allPaths(node);
  for (size_t i = 0; i < paths.size(); ++i) {
    if (paths[i] == own) return static_cast<unsigned>(i);
  }
  return 0;
}
