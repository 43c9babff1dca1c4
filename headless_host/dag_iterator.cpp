// MItDag: the walk over the DAG from a root, depth first (pre-order) or breadth first, in child order.
#include "scene_model.h"

#include <maya/MDagPathArray.h>
#include <maya/MItDag.h>
#include <maya/MString.h>

#include <deque>

namespace headless {

// The walk advances lazily, one node at a time, holding only the current path (depth first) or the queue of
// paths still to visit (breadth first); paths share their links, so a deep DAG costs no more per step.
struct DagWalk {
  PathData root;
  bool rootValid = false;
  MItDag::TraversalType traversal = MItDag::kDepthFirst;
  MFn::Type filter = MFn::kInvalid;
  bool underWorld = false;

  PathData current;
  bool done = true;
  bool prunedHere = false;               // prune() was called on the current node
  std::vector<size_t> nextChild;         // depth first: the next child to enter, per level below the root
  std::deque<PathData> queue;            // breadth first: paths still to visit

  static Node* end(const PathData& path) { return path.empty() ? scene().world : path.back(); }
  bool matches(const PathData& path) const { return filter == MFn::kInvalid || end(path)->hasFn(filter); }

  void start() {
    queue.clear();
    nextChild.clear();
    prunedHere = false;
    done = !rootValid;
    if (done) return;
    current = root;
    nextChild.push_back(0);
    if (!matches(current)) advance();
  }

  // One step of the traversal, without the filter; false at the end.
  bool step() {
    if (traversal == MItDag::kBreadthFirst) {
      if (!prunedHere) {
        for (Node* child : end(current)->children) {
          PathData next = current;
          next.push(child);
          queue.push_back(next);
        }
      }
      prunedHere = false;
      if (queue.empty()) return false;
      current = queue.front();
      queue.pop_front();
      return true;
    }
    if (prunedHere) {
      nextChild.back() = end(current)->children.size();
      prunedHere = false;
    }
    while (!nextChild.empty()) {
      Node* node = end(current);
      size_t& next = nextChild.back();
      if (next < node->children.size()) {
        current.push(node->children[next++]);
        nextChild.push_back(0);
        return true;
      }
      nextChild.pop_back();
      if (nextChild.empty()) break;
      current.pop();
    }
    return false;
  }

  void advance() {
    while (!done) {
      if (!step()) {
        done = true;
        return;
      }
      if (matches(current)) return;
    }
  }

  bool finished() const { return done || !pathIsAlive(&current); }
};

}  // namespace headless

using headless::DagWalk;
using headless::Node;
using headless::setStatus;

MItDag::MItDag(TraversalType traversal, MFn::Type filter, MStatus* ReturnStatus) : walk_(new DagWalk) {
  walk_->root.valid = true;
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
  walk_->root = headless::PathData();
  walk_->root.valid = true;
  if (walk_->rootValid) {
    for (Node* n : headless::firstPath(node)) walk_->root.push(n);
  }
  walk_->start();
  return walk_->rootValid ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MStatus MItDag::reset(const MDagPath& path, TraversalType traversal, MFn::Type filter) {
  const headless::PathData* data = headless::PathAccess::get(path);
  Node* node = headless::endNode(data);
  walk_->traversal = traversal;
  walk_->filter = filter;
  walk_->rootValid = node != nullptr && traversal != kInvalidType;
  walk_->root = walk_->rootValid ? *data : headless::PathData();
  walk_->start();
  return walk_->rootValid ? MStatus::kSuccess : MStatus::kInvalidParameter;
}

MObject MItDag::item(MStatus* ReturnStatus) {
  if (walk_->finished()) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::ObjectAccess::make(DagWalk::end(walk_->current));
}

MStatus MItDag::next() {
  walk_->advance();
  return MStatus::kSuccess;
}

MStatus MItDag::prune() {
  if (walk_->finished()) return MStatus::kFailure;
  walk_->prunedHere = true;
  return MStatus::kSuccess;
}

bool MItDag::isDone(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->finished();
}

MObject MItDag::root(MStatus* ReturnStatus) {
  if (!walk_->rootValid || !headless::pathIsAlive(&walk_->root)) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  return headless::ObjectAccess::make(DagWalk::end(walk_->root));
}

unsigned MItDag::depth(MStatus* ReturnStatus) const {
  const bool ok = !walk_->finished();
  setStatus(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kFailure);
  return ok ? static_cast<unsigned>(walk_->current.size() - walk_->root.size()) : 0u;
}

MItDag::TraversalType MItDag::getType(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->traversal;
}

MStatus MItDag::getPath(MDagPath& path) const {
  if (walk_->finished()) return MStatus::kFailure;
  headless::PathAccess::data(path) = walk_->current;
  return MStatus::kSuccess;
}

MStatus MItDag::getAllPaths(MDagPathArray& paths) const {
  paths.clear();
  if (walk_->finished()) return MStatus::kFailure;
  for (const std::vector<Node*>& p : headless::allPaths(DagWalk::end(walk_->current))) {
    paths.append(headless::makePath(p));
  }
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
  const bool ok = !walk_->finished();
  setStatus(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kFailure);
  if (!ok || walk_->current.empty()) return false;
  Node* end = walk_->current.back();
  return indirect ? headless::pathCount(end) > 1 : end->parents.size() > 1;
}

unsigned int MItDag::instanceCount(bool total, MStatus* ReturnStatus) const {
  const bool ok = !walk_->finished();
  setStatus(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kFailure);
  if (!ok) return 0u;
  if (walk_->current.empty()) return 1u;
  Node* end = walk_->current.back();
  const std::uint64_t count = total ? headless::pathCount(end) : end->parents.size();
  return count > 0xffffffffu ? 0xffffffffu : static_cast<unsigned>(count);
}

MStatus MItDag::traverseUnderWorld(bool flag) {
  walk_->underWorld = flag;
  return MStatus::kSuccess;
}

bool MItDag::willTraverseUnderWorld(MStatus* ReturnStatus) const {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->underWorld;
}
