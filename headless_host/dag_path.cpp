// DAG paths: one instance of a DAG node as the chain of nodes from the world down to it.
#include "scene_model.h"

#include <maya/MDagPath.h>
#include <maya/MDagPathArray.h>
#include <maya/MMatrix.h>
#include <maya/MString.h>

#include <algorithm>

namespace headless {

PathLink::~PathLink() {
  // Releasing the parent could release its parent in turn, one stack frame per level: unwind instead.
  std::shared_ptr<PathLink> next = std::move(parent);
  while (next && next.use_count() == 1) {
    std::shared_ptr<PathLink> above = std::move(next->parent);
    next = std::move(above);
  }
}

void PathData::push(Node* node) {
  std::shared_ptr<PathLink> link = std::make_shared<PathLink>();
  link->node = Ref<Node>(node);
  link->parent = tail_;
  link->depth = size() + 1;
  tail_ = std::move(link);
}

void PathData::pop() {
  if (tail_) tail_ = tail_->parent;
}

std::vector<Node*> PathData::nodes() const {
  std::vector<Node*> result(size());
  size_t i = result.size();
  for (const PathLink* link = tail_.get(); link != nullptr; link = link->parent.get()) result[--i] = link->node.get();
  return result;
}

bool PathData::sameAs(const PathData& other) const {
  if (valid != other.valid || size() != other.size()) return false;
  const PathLink* a = tail_.get();
  const PathLink* b = other.tail_.get();
  while (a != b && a != nullptr && b != nullptr) {
    if (a->node.get() != b->node.get()) return false;
    a = a->parent.get();
    b = b->parent.get();
  }
  return a == b || (a == nullptr) == (b == nullptr);
}

PathData& PathAccess::data(MDagPath& path) {
  if (path.data_ == nullptr) path.data_ = new PathData;
  return *path.data_;
}

Node* endNode(const PathData* path) {
  if (!pathIsAlive(path)) return nullptr;
  return path->empty() ? scene().world : path->back();
}

bool pathIsAlive(const PathData* path) {
  return path != nullptr && path->valid && (path->empty() || path->back()->alive);
}

MDagPath makePath(const std::vector<Node*>& nodes) {
  MDagPath path;
  PathData& data = PathAccess::data(path);
  data.valid = true;
  for (Node* n : nodes) data.push(n);
  return path;
}

std::vector<Node*> firstPath(Node* node) {
  std::vector<Node*> path;
  for (Node* n = node; n != nullptr && n != scene().world && !n->parents.empty(); n = n->parents.front()) {
    path.push_back(n);
  }
  return std::vector<Node*>(path.rbegin(), path.rend());
}

namespace {

const std::uint64_t kMany = ~static_cast<std::uint64_t>(0);

std::uint64_t saturatingAdd(std::uint64_t a, std::uint64_t b) { return a > kMany - b ? kMany : a + b; }

// Path counts of a node and all its ancestors, without recursion.
void countPaths(Node* node, std::unordered_map<const Node*, std::uint64_t>& counts) {
  Node* world = scene().world;
  counts[world] = 1;
  std::vector<std::pair<Node*, size_t>> stack{{node, 0}};
  while (!stack.empty()) {
    Node* top = stack.back().first;
    if (counts.count(top) != 0) {
      stack.pop_back();
      continue;
    }
    size_t& next = stack.back().second;
    if (next < top->parents.size()) {
      Node* parent = top->parents[next++];
      if (counts.count(parent) == 0) stack.push_back({parent, 0});
      continue;
    }
    std::uint64_t total = 0;
    for (Node* parent : top->parents) total = saturatingAdd(total, counts[parent]);
    counts[top] = total;
    stack.pop_back();
  }
}

}  // namespace

std::uint64_t pathCount(Node* node) {
  if (node == nullptr || !node->alive || !node->isDag()) return 0;
  std::unordered_map<const Node*, std::uint64_t> counts;
  countPaths(node, counts);
  return counts[node];
}

// Instance i lies below the parent whose paths span i, at i less the paths of the parents before it.
bool pathOfInstance(Node* node, std::uint64_t instance, std::vector<Node*>& path) {
  path.clear();
  if (node == nullptr || !node->alive || !node->isDag()) return false;
  std::unordered_map<const Node*, std::uint64_t> counts;
  countPaths(node, counts);
  if (instance >= counts[node]) return false;
  for (Node* n = node; n != scene().world;) {
    path.push_back(n);
    Node* below = nullptr;
    for (Node* parent : n->parents) {
      if (instance < counts[parent]) {
        below = parent;
        break;
      }
      instance -= counts[parent];
    }
    if (below == nullptr) return false;
    n = below;
  }
  std::reverse(path.begin(), path.end());
  return true;
}

std::uint64_t instanceOf(const PathData& path) {
  std::vector<Node*> nodes = path.nodes();
  if (nodes.empty()) return 0;
  std::unordered_map<const Node*, std::uint64_t> counts;
  countPaths(nodes.back(), counts);
  std::uint64_t index = 0;
  Node* above = scene().world;
  for (Node* n : nodes) {
    std::uint64_t before = 0;
    for (Node* parent : n->parents) {
      if (parent == above) break;
      before = saturatingAdd(before, counts[parent]);
    }
    index = saturatingAdd(before, index);
    above = n;
  }
  return index;
}

std::vector<std::vector<Node*>> allPaths(Node* node) {
  std::vector<std::vector<Node*>> result;
  if (node == nullptr || !node->alive || !node->isDag()) return result;
  // Depth-first over the parents, the first parent's paths first, without recursion.
  struct Frame {
    Node* node;
    size_t nextParent;
  };
  std::vector<Frame> stack{{node, 0}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (top.node == scene().world) {
      std::vector<Node*> path;
      for (size_t i = stack.size() - 1; i-- > 0;) path.push_back(stack[i].node);
      result.push_back(std::move(path));
      stack.pop_back();
      continue;
    }
    if (top.nextParent < top.node->parents.size()) {
      Node* parent = top.node->parents[top.nextParent++];
      stack.push_back({parent, 0});
    } else {
      stack.pop_back();
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

std::string fullPathName(const PathData& path) {
  std::string text;
  for (Node* n : path.nodes()) text += "|" + n->name;
  return text;
}

namespace {

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
  path = headless::makePath(headless::firstPath(node));
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
  if (node == nullptr || data_->empty()) {
    setStatus(ReturnStatus, node == nullptr ? MStatus::kFailure : MStatus::kInvalidParameter);
    return MObject();
  }
  for (const headless::PathLink* link = data_->tail(); link != nullptr; link = link->parent.get()) {
    if (link->node->isTransform()) {
      setStatus(ReturnStatus, MStatus::kSuccess);
      return headless::ObjectAccess::make(link->node.get());
    }
  }
  setStatus(ReturnStatus, MStatus::kInvalidParameter);
  return MObject();
}

unsigned int MDagPath::length(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? static_cast<unsigned int>(data_->size()) : 0u;
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
  data_->push(shape);
  return MStatus::kSuccess;
}

MStatus MDagPath::push(const MObject& child) {
  Node* node = headless::endNode(data_);
  Node* childNode = headless::nodeFrom(child);
  if (node == nullptr || childNode == nullptr) return MStatus::kInvalidParameter;
  for (Node* c : node->children) {
    if (c == childNode) {
      data_->push(childNode);
      return MStatus::kSuccess;
    }
  }
  return MStatus::kInvalidParameter;
}

MStatus MDagPath::pop(unsigned num) {
  if (headless::endNode(data_) == nullptr) return MStatus::kFailure;
  if (num > data_->size()) return MStatus::kInvalidParameter;
  for (unsigned i = 0; i < num; ++i) data_->pop();
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
  return data_->sameAs(*src.data_);
}

MString MDagPath::fullPathName(MStatus* ReturnStatus) const {
  if (headless::endNode(data_) == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MString();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return MString(headless::fullPathName(*data_).c_str());
}

// The shortest tail of the full path that names no other DAG path.
MString MDagPath::partialPathName(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  if (node == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MString();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  const std::vector<Node*> own = data_->nodes();
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
  return MString(headless::fullPathName(*data_).c_str());
}

bool MDagPath::isInstanced(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr && headless::pathCount(node) > 1;
}

unsigned MDagPath::instanceNumber(MStatus* ReturnStatus) const {
  Node* node = headless::endNode(data_);
  if (node == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return 0;
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return static_cast<unsigned>(headless::instanceOf(*data_));
}
