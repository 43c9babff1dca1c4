// MItDag: the walk over the DAG from a root, depth first (pre-order) or breadth first, in child order.
#include "scene_model.h"

#include <maya/MDagPathArray.h>
#include <maya/MItDag.h>
#include <maya/MString.h>

#include <deque>

namespace headless {

struct DagWalk {
  std::vector<Node*> root;                 // path of the root below the world
  bool rootValid = false;
  MItDag::TraversalType traversal = MItDag::kDepthFirst;
  MFn::Type filter = MFn::kInvalid;
  std::vector<std::vector<Node*>> items;   // the whole walk, computed when (re)started
  size_t position = 0;
  std::vector<std::vector<Node*>> pruned;  // sub-trees cut off by prune()
  bool underWorld = false;

  void start() {
    items.clear();
    pruned.clear();
    position = 0;
    if (!rootValid) return;
    std::vector<std::vector<Node*>> order;
    if (traversal == MItDag::kBreadthFirst) {
      std::deque<std::vector<Node*>> queue{root};
      while (!queue.empty()) {
        std::vector<Node*> path = queue.front();
        queue.pop_front();
        Node* end = path.empty() ? scene().world : path.back();
        for (Node* child : end->children) {
          std::vector<Node*> next = path;
          next.push_back(child);
          queue.push_back(next);
        }
        order.push_back(std::move(path));
      }
    } else {
      appendDepthFirst(root, order);
    }
    for (std::vector<Node*>& path : order) {
      Node* end = path.empty() ? scene().world : path.back();
      if (filter == MFn::kInvalid || end->hasFn(filter)) items.push_back(std::move(path));
    }
  }

  static void appendDepthFirst(const std::vector<Node*>& path, std::vector<std::vector<Node*>>& order) {
    order.push_back(path);
    Node* end = path.empty() ? scene().world : path.back();
    for (Node* child : end->children) {
      std::vector<Node*> next = path;
      next.push_back(child);
      appendDepthFirst(next, order);
    }
  }

  static bool below(const std::vector<Node*>& path, const std::vector<Node*>& top) {
    if (path.size() <= top.size()) return false;
    for (size_t i = 0; i < top.size(); ++i) {
      if (path[i] != top[i]) return false;
    }
    return true;
  }

  void skipPruned() {
    while (position < items.size()) {
      bool cut = false;
      for (const std::vector<Node*>& top : pruned) cut = cut || below(items[position], top);
      if (!cut) return;
      ++position;
    }
  }

  bool done() const { return position >= items.size() || !allAlive(); }
  bool allAlive() const {
    for (Node* n : root) {
      if (!n->alive) return false;
    }
    return true;
  }
  const std::vector<Node*>* current() const { return done() ? nullptr : &items[position]; }
};

}  // namespace headless

using headless::DagWalk;
using headless::Node;
using headless::setStatus;

MItDag::MItDag(TraversalType traversal, MFn::Type filter, MStatus* ReturnStatus) : walk_(new DagWalk) {
  walk_->rootValid = traversal != kInvalidType;
  walk_->traversal = traversal;
  walk_->filter = filter;
  walk_->start();
  setStatus(ReturnStatus, walk_->rootValid ? MStatus::kSuccess : MStatus::kInvalidParameter);
}

MItDag::~MItDag() { delete walk_; }

MStatus MItDag::reset() {
  walk_->start();
  return MStatus::kSuccess;
}

// A root that is not a live DAG node leaves the walk empty (isDone() true): so a selected item without a DAG
// path walks nothing. The host's state after such a failed reset is not documented.
MStatus MItDag::reset(const MObject& object, TraversalType traversal, MFn::Type filter) {
  Node* node = headless::nodeFrom(object);
  walk_->traversal = traversal;
  walk_->filter = filter;
  walk_->rootValid = node != nullptr && node->isDag() && traversal != kInvalidType;
  // An object names no instance; the walk starts at its first.
  walk_->root = walk_->rootValid ? headless::allPaths(node).front() : std::vector<Node*>();
  walk_->start();
  return walk_->rootValid ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MStatus MItDag::reset(const MDagPath& path, TraversalType traversal, MFn::Type filter) {
  const headless::PathData* data = headless::PathAccess::get(path);
  Node* node = headless::endNode(data);
  walk_->traversal = traversal;
  walk_->filter = filter;
  walk_->rootValid = node != nullptr && traversal != kInvalidType;
  walk_->root.clear();
  if (walk_->rootValid) {
    for (const headless::Ref<Node>& n : data->nodes) walk_->root.push_back(n.get());
  }
  walk_->start();
  return walk_->rootValid ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MObject MItDag::item(MStatus* ReturnStatus) {
  const std::vector<Node*>* path = walk_->current();
  if (path == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::ObjectAccess::make(path->empty() ? headless::scene().world : path->back());
}

MStatus MItDag::next() {
  if (walk_->position < walk_->items.size()) ++walk_->position;
  walk_->skipPruned();
  return MStatus::kSuccess;
}

MStatus MItDag::prune() {
  const std::vector<Node*>* path = walk_->current();
  if (path == nullptr) return MStatus::kFailure;
  walk_->pruned.push_back(*path);
  return MStatus::kSuccess;
}

bool MItDag::isDone(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->done();
}

MObject MItDag::root(MStatus* ReturnStatus) {
  if (!walk_->rootValid) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::ObjectAccess::make(walk_->root.empty() ? headless::scene().world : walk_->root.back());
}

unsigned MItDag::depth(MStatus* ReturnStatus) const {
  const std::vector<Node*>* path = walk_->current();
  setStatus(ReturnStatus, path != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return path != nullptr ? static_cast<unsigned>(path->size() - walk_->root.size()) : 0u;
}

MItDag::TraversalType MItDag::getType(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->traversal;
}

MStatus MItDag::getPath(MDagPath& path) const {
  const std::vector<Node*>* current = walk_->current();
  if (current == nullptr) return MStatus::kFailure;
  path = headless::makePath(*current);
  return MStatus::kSuccess;
}

MStatus MItDag::getAllPaths(MDagPathArray& paths) const {
  const std::vector<Node*>* current = walk_->current();
  paths.clear();
  if (current == nullptr) return MStatus::kFailure;
  Node* end = current->empty() ? headless::scene().world : current->back();
  for (const std::vector<Node*>& p : headless::allPaths(end)) paths.append(headless::makePath(p));
  return MStatus::kSuccess;
}

MString MItDag::fullPathName(MStatus* ReturnStatus) const {
  MDagPath path;
  MStatus status = getPath(path);
  setStatus(ReturnStatus, status.statusCode());
  return status ? path.fullPathName() : MString();
}

MString MItDag::partialPathName(MStatus* ReturnStatus) const {
  MDagPath path;
  MStatus status = getPath(path);
  setStatus(ReturnStatus, status.statusCode());
  return status ? path.partialPathName() : MString();
}

bool MItDag::isInstanced(bool indirect, MStatus* ReturnStatus) const {
  const std::vector<Node*>* current = walk_->current();
  setStatus(ReturnStatus, current != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  if (current == nullptr || current->empty()) return false;
  Node* end = current->back();
  return indirect ? headless::allPaths(end).size() > 1 : end->parents.size() > 1;
}

unsigned int MItDag::instanceCount(bool total, MStatus* ReturnStatus) const {
  const std::vector<Node*>* current = walk_->current();
  setStatus(ReturnStatus, current != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  if (current == nullptr || current->empty()) return current != nullptr ? 1u : 0u;
  Node* end = current->back();
  return static_cast<unsigned>(total ? headless::allPaths(end).size() : end->parents.size());
}

MStatus MItDag::traverseUnderWorld(bool flag) {
  walk_->underWorld = flag;
  return MStatus::kSuccess;
}

bool MItDag::willTraverseUnderWorld(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->underWorld;
}
