// Sets (MFnSet) and the dependency-graph walk (MItDependencyGraph) along connections.
#include "scene_model.h"

#include <maya/MFnSet.h>
#include <maya/MItDependencyGraph.h>
#include <maya/MSelectionList.h>

#include <cstdlib>
#include <deque>
#include <set>

using headless::Node;
using headless::setStatus;

// ---- MFnSet
QAX_DG_FN_CONSTRUCTORS(MFnSet, MFn::kSet)

// The restriction comes from the set's xxxOnlySet flags; a shading group has renderableOnlySet on.
MFnSet::Restriction MFnSet::restriction(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return kNone;
  if (headless::readNumber(node, "verticesOnlySet") != 0) return kVerticesOnly;
  if (headless::readNumber(node, "edgesOnlySet") != 0) return kEdgesOnly;
  if (headless::readNumber(node, "facetsOnlySet") != 0) return kFacetsOnly;
  if (headless::readNumber(node, "editPointsOnlySet") != 0) return kEditPointsOnly;
  if (headless::readNumber(node, "renderableOnlySet") != 0) return kRenderableOnly;
  return kNone;
}

namespace {

// The members of a set: (member node, instance) for DAG members, instance -1 for dependency nodes.
std::vector<std::pair<Node*, int>> membersOf(const Node* set) {
  std::vector<std::pair<Node*, int>> members;
  for (const headless::Connection* c : set->memberInputs) {
    if (c->sourcePlug.compare(0, 14, "instObjGroups[") == 0) members.emplace_back(c->source, std::atoi(c->sourcePlug.c_str() + 14));
  }
  for (const headless::Connection* c : set->inputs) {
    if (c->destinationPlug.compare(0, 13, "dnSetMembers[") == 0) members.emplace_back(c->source, -1);
  }
  return members;
}

}  // namespace

MStatus MFnSet::getMembers(MSelectionList& members, bool) const {
  MStatus status;
  Node* node = headless::attachedNode(*this, &status);
  if (node == nullptr) return status;
  for (const auto& member : membersOf(node)) {
    if (member.second < 0) {
      members.add(headless::ObjectAccess::make(member.first), true);
      continue;
    }
    std::vector<Node*> path;
    if (headless::pathOfInstance(member.first, static_cast<std::uint64_t>(member.second), path)) {
      members.add(headless::makePath(path), MObject::kNullObj, true);
    }
  }
  return MStatus::kSuccess;
}

bool MFnSet::isMember(const MDagPath& object, const MObject&, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  Node* member = headless::endNode(headless::PathAccess::get(object));
  if (node == nullptr || member == nullptr) return false;
  const int instance = static_cast<int>(object.instanceNumber());
  for (const auto& m : membersOf(node)) {
    if (m.first == member && m.second == instance) return true;
  }
  return false;
}

bool MFnSet::isMember(const MObject& object, MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  Node* member = headless::nodeFrom(object);
  if (node == nullptr || member == nullptr) return false;
  for (const auto& m : membersOf(node)) {
    if (m.first == member) return true;
  }
  return false;
}

// ---- MItDependencyGraph
namespace headless {

struct GraphWalk {
  Ref<Node> root;
  MFn::Type filter = MFn::kInvalid;
  MItDependencyGraph::Direction direction = MItDependencyGraph::kDownstream;
  MItDependencyGraph::Traversal traversal = MItDependencyGraph::kDepthFirst;
  MItDependencyGraph::Level level = MItDependencyGraph::kNodeLevel;
  // The host does not document the state after construction; pruning starts on, so that a caller that wants
  // to walk through non-matching nodes has to turn it off, as the host's own examples do.
  bool pruning = true;
  std::vector<Ref<Node>> visited;  // every node reached, in walk order
  std::vector<Ref<Node>> items;    // the visited nodes that match the filter
  std::set<const Node*> pruned;
  size_t position = 0;

  bool matches(const Node* node) const { return filter == MFn::kInvalid || node->hasFn(filter); }

  // Nodes one connection away. Upstream of a set, the members feeding dagSetMembers are not followed: from a
  // shape only what affects its instObjGroups would be, which is nothing this host models.
  std::vector<Node*> neighbours(const Node* node) const {
    std::vector<Node*> next;
    if (direction == MItDependencyGraph::kUpstream) {
      for (const Connection* c : node->inputs) next.push_back(c->source);
    } else {
      for (const Connection* c : node->outputs) next.push_back(c->destination);
    }
    return next;
  }

  bool expands(const Node* node) const {
    if (pruned.count(node) != 0) return false;
    return node == root.get() || !pruning || matches(node);
  }

  void compute() {
    visited.clear();
    items.clear();
    position = 0;
    if (root.get() == nullptr || !root->alive) return;
    std::set<const Node*> seen{root.get()};
    if (traversal == MItDependencyGraph::kBreadthFirst) {
      std::deque<Node*> queue{root.get()};
      while (!queue.empty()) {
        Node* node = queue.front();
        queue.pop_front();
        visited.push_back(Ref<Node>(node));
        if (!expands(node)) continue;
        for (Node* n : neighbours(node)) {
          if (seen.insert(n).second) queue.push_back(n);
        }
      }
    } else {
      depthFirst(root.get(), seen);
    }
    for (const Ref<Node>& n : visited) {
      if (matches(n.get())) items.push_back(n);
    }
  }

  // Pre-order, each node's neighbours in connection order, without recursion (graphs can be deep).
  void depthFirst(Node* root, std::set<const Node*>& seen) {
    struct Frame {
      std::vector<Node*> next;
      size_t position;
    };
    visited.push_back(Ref<Node>(root));
    std::vector<Frame> stack;
    if (expands(root)) stack.push_back({neighbours(root), 0});
    while (!stack.empty()) {
      Frame& top = stack.back();
      if (top.position == top.next.size()) {
        stack.pop_back();
        continue;
      }
      Node* node = top.next[top.position++];
      if (!seen.insert(node).second) continue;
      visited.push_back(Ref<Node>(node));
      if (expands(node)) stack.push_back({neighbours(node), 0});
    }
  }

  // Recomputes after a change of settings, keeping the current node when it is still reached.
  void recompute() {
    const Node* current = position < items.size() ? items[position].get() : nullptr;
    compute();
    for (size_t i = 0; current != nullptr && i < items.size(); ++i) {
      if (items[i].get() == current) position = i;
    }
  }

  Node* current() const { return position < items.size() && items[position]->alive ? items[position].get() : nullptr; }
};

}  // namespace headless

namespace {

MStatus startStatus(const headless::GraphWalk& walk) {
  if (walk.root.get() == nullptr) return MStatus::kFailure;
  if (walk.items.empty() && headless::hostBehaviour().graphIteratorFailsWithoutMatch) return MStatus::kFailure;
  return MStatus::kSuccess;
}

}  // namespace

MItDependencyGraph::MItDependencyGraph(MObject& rootNode, MFn::Type filter, Direction direction, Traversal traversal,
                                       Level level, MStatus* ReturnStatus)
    : walk_(new headless::GraphWalk) {
  MStatus status = resetTo(rootNode, filter, direction, traversal, level);
  setStatus(ReturnStatus, status.statusCode());
}

MItDependencyGraph::MItDependencyGraph(MPlug& rootPlug, MFn::Type filter, Direction direction, Traversal traversal,
                                       Level level, MStatus* ReturnStatus)
    : walk_(new headless::GraphWalk) {
  MStatus status = resetTo(rootPlug, filter, direction, traversal, level);
  setStatus(ReturnStatus, status.statusCode());
}

MItDependencyGraph::~MItDependencyGraph() { delete walk_; }

MStatus MItDependencyGraph::reset() {
  walk_->pruned.clear();
  walk_->compute();
  return startStatus(*walk_);
}

// When nothing matches the filter the walk is done at once and, as the host's examples expect, the status is
// success; hostBehaviour().graphIteratorFailsWithoutMatch gives the documented failure instead.
MStatus MItDependencyGraph::resetTo(MObject& rootNode, MFn::Type filter, Direction direction, Traversal traversal,
                                    Level level) {
  walk_->root = headless::Ref<Node>(headless::nodeFrom(rootNode));
  walk_->filter = filter;
  walk_->direction = direction;
  walk_->traversal = traversal;
  walk_->level = level;
  return reset();
}

MStatus MItDependencyGraph::resetTo(MPlug& rootPlug, MFn::Type filter, Direction direction, Traversal traversal,
                                    Level level) {
  MObject node = rootPlug.node();
  return resetTo(node, filter, direction, traversal, level);
}

MObject MItDependencyGraph::rootNode(MStatus* ReturnStatus) {
  Node* root = walk_->root.get();
  const bool ok = root != nullptr && root->alive;
  setStatus(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kFailure);
  return ok ? headless::ObjectAccess::make(root) : MObject();
}

MPlug MItDependencyGraph::rootPlug(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kFailure);
  return MPlug();
}

MFn::Type MItDependencyGraph::currentFilter(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->filter;
}

MStatus MItDependencyGraph::setCurrentFilter(MFn::Type filter) {
  walk_->filter = filter;
  walk_->pruning = false;
  walk_->recompute();
  return MStatus::kSuccess;
}

MStatus MItDependencyGraph::resetFilter() { return setCurrentFilter(MFn::kInvalid); }

bool MItDependencyGraph::isPruningOnFilter(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->pruning;
}

MStatus MItDependencyGraph::enablePruningOnFilter() {
  walk_->pruning = true;
  walk_->recompute();
  return MStatus::kSuccess;
}

MStatus MItDependencyGraph::disablePruningOnFilter() {
  walk_->pruning = false;
  walk_->recompute();
  return MStatus::kSuccess;
}

bool MItDependencyGraph::isDirectionDownStream(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->direction == kDownstream;
}

MItDependencyGraph::Direction MItDependencyGraph::currentDirection(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->direction;
}

bool MItDependencyGraph::isTraversalDepthFirst(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->traversal == kDepthFirst;
}

MItDependencyGraph::Traversal MItDependencyGraph::currentTraversal(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->traversal;
}

bool MItDependencyGraph::atNodeLevel(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->level == kNodeLevel;
}

MItDependencyGraph::Level MItDependencyGraph::currentLevel(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->level;
}

// At the end, next has no effect and succeeds.
MStatus MItDependencyGraph::next() {
  if (walk_->position < walk_->items.size()) ++walk_->position;
  return MStatus::kSuccess;
}

bool MItDependencyGraph::isDone(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kSuccess);
  return walk_->current() == nullptr;
}

MStatus MItDependencyGraph::prune() {
  Node* node = walk_->current();
  if (node == nullptr) return MStatus::kFailure;
  walk_->pruned.insert(node);
  walk_->recompute();
  return MStatus::kSuccess;
}

MObject MItDependencyGraph::thisNode(MStatus* ReturnStatus) {
  Node* node = walk_->current();
  setStatus(ReturnStatus, node != nullptr ? MStatus::kSuccess : MStatus::kFailure);
  return node != nullptr ? headless::ObjectAccess::make(node) : MObject();
}

MPlug MItDependencyGraph::thisPlug(MStatus* ReturnStatus) {
  setStatus(ReturnStatus, MStatus::kFailure);
  return MPlug();
}

MStatus MItDependencyGraph::getNodesVisited(MObjectArray& nodesVisited) const {
  nodesVisited.clear();
  for (const headless::Ref<Node>& n : walk_->visited) {
    if (n->alive) nodesVisited.append(headless::ObjectAccess::make(n.get()));
  }
  return MStatus::kSuccess;
}
