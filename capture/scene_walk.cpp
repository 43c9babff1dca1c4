#include "capture/scene_walk.h"

#include <deque>
#include <string>
#include <unordered_set>
#include <vector>

#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MItSelectionList.h>
#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MSelectionList.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"

// A node without a readable "visibility" (the world root may have none) has nothing that hides it.
static bool isNodeVisible(const MDagPath& path)
{
    MStatus status;
    MFnDagNode node(path, &status);
    if (!status)
        return true;
    MPlug plug = node.findPlug(MString("visibility"), &status);
    if (!status)
        return true;
    bool visible = true;
    if (!plug.getValue(visible))
        return true;
    return visible;
}

// True when a DAG ancestor on the path (not the node itself) has its visibility off. Ancestors are read
// through the path's own prefixes, so each instance answers for its own parents.
static bool isAncestorHidden(const MDagPath& path)
{
    MDagPath prefix(path);
    while (prefix.length() > 1) {
        prefix.pop();
        if (!isNodeVisible(prefix))
            return true;
    }
    return false;
}

bool isHiddenOnPath(const MDagPath& path)
{
    return !isNodeVisible(path) || isAncestorHidden(path);
}

// The walks hand out a path's parent before the path, so the hidden state of each path follows from
// its parent's with one visibility read; reading every ancestor again for every node would take time
// quadratic in the depth of the scene. Breadth-first, the children of each listed path come together and
// in listing order: a queue of listed paths with the children still to come names each path's parent.
// Depth-first, a path's parent is the last path listed one level up. A parent that is not where the
// order puts it (its node differs) is not trusted: the ancestors are then read one by one.
namespace {

struct ListedPath {
    MObject node;
    bool hidden;
    unsigned childrenLeft; // breadth-first: children of this path not handed out yet
};

bool hasParentNode(const MDagPath& path, const MObject& parentNode)
{
    MDagPath parent(path);
    parent.pop();
    return parent.node() == parentNode;
}

class BreadthFirstVisibility {
public:
    bool hidden(const MDagPath& path)
    {
        bool parentHidden = false;
        if (path.length() > 0 && !takeParent(path, parentHidden))
            parentHidden = isAncestorHidden(path);
        bool hidden = parentHidden || !isNodeVisible(path);
        listed_.push_back({path.node(), hidden, path.childCount()});
        return hidden;
    }

private:
    bool takeParent(const MDagPath& path, bool& parentHidden)
    {
        while (!listed_.empty() && listed_.front().childrenLeft == 0)
            listed_.pop_front();
        if (listed_.empty())
            return false;
        if (!hasParentNode(path, listed_.front().node)) {
            // The front path had fewer children walked than it has (the walk left some out): its
            // successor may be the parent.
            if (listed_.size() < 2 || !hasParentNode(path, listed_[1].node))
                return false;
            listed_.pop_front();
        }
        --listed_.front().childrenLeft;
        parentHidden = listed_.front().hidden;
        return true;
    }

    std::deque<ListedPath> listed_;
};

class DepthFirstVisibility {
public:
    // A new walk from another root: nothing listed so far is its parent.
    void restart() { listed_.clear(); }

    bool hidden(const MDagPath& path)
    {
        const unsigned depth = path.length();
        bool parentHidden = false;
        if (depth > 0 && depth <= listed_.size() && hasParentNode(path, listed_[depth - 1].node))
            parentHidden = listed_[depth - 1].hidden;
        else
            parentHidden = isAncestorHidden(path);
        bool hidden = parentHidden || !isNodeVisible(path);
        if (listed_.size() > depth)
            listed_.resize(depth);
        while (listed_.size() < depth)
            listed_.push_back({MObject::kNullObj, false, 0}); // levels above the walk's root: never trusted
        listed_.push_back({path.node(), hidden, 0});
        return hidden;
    }

private:
    std::vector<ListedPath> listed_; // by path length
};

} // namespace

static SceneNodeState nodeState(const MDagPath& path, bool hidden)
{
    MStatus status;
    MFnDagNode node(path, &status);
    if (status && node.isIntermediateObject())
        return SCENE_NODE_INTERMEDIATE;
    return hidden ? SCENE_NODE_HIDDEN : SCENE_NODE_ACCEPTED;
}

bool walkScene(int32_t captureMode, SceneNodeVisitor visitor, void* context)
{
    MStatus status;
    MItDag dagIterator(MItDag::kBreadthFirst, MFn::kInvalid, &status);
    if (!status) {
        logPrint(0, "Error: Failure in DAG iterator setup.\n");
        return false;
    }

    if (captureMode != 2) {
        BreadthFirstVisibility visibility;
        for (; !dagIterator.isDone(); dagIterator.next()) {
            MDagPath path;
            dagIterator.getPath(path);
            if (!visitor(path, nodeState(path, visibility.hidden(path)), context))
                return false;
        }
        return true;
    }

    MSelectionList selection;
    MGlobal::getActiveSelectionList(selection);
    if (selection.length() == 0) {
        logPrint(0, "Error: Nothing is selected.\n");
        return false;
    }
    // Full path names already handed out: overlapping items (a group and a mesh inside it) must not
    // count or capture a node twice, while two instances of one shape stay two paths.
    std::unordered_set<std::string> visited;
    DepthFirstVisibility visibility;
    MItSelectionList items(selection, MFn::kInvalid);
    for (; !items.isDone(); items.next()) {
        MDagPath root;
        if (!items.getDagPath(root))
            continue; // not a DAG node (a shader, a set): nothing to walk
        // The path form of reset roots the walk at the selected instance, not at any instance of the node.
        if (!dagIterator.reset(root, MItDag::kDepthFirst, MFn::kInvalid))
            continue;
        visibility.restart();
        for (; !dagIterator.isDone(); dagIterator.next()) {
            MDagPath path;
            dagIterator.getPath(path);
            bool hidden = visibility.hidden(path); // also for a skipped path: its children may follow
            if (!visited.insert(path.fullPathName().asChar()).second)
                continue;
            if (!visitor(path, nodeState(path, hidden), context))
                return false;
        }
    }
    return true;
}

SceneNodeKind classifyNode(const MDagPath& path)
{
    bool transform = path.hasFn(MFn::kTransform);
    if (path.hasFn(MFn::kNurbsSurface) && !transform)
        return SCENE_KIND_NURBS_SURFACE;
    if (path.hasFn(MFn::kNurbsCurve) && !transform)
        return SCENE_KIND_NURBS_CURVE;
    if (path.hasFn(MFn::kLattice) && !transform)
        return SCENE_KIND_LATTICE;
    if (path.hasFn(MFn::kCamera) && !transform)
        return SCENE_KIND_CAMERA;
    if (path.hasFn(MFn::kLight) && transform)
        return SCENE_KIND_LIGHT;
    if (path.hasFn(MFn::kMesh) && !transform)
        return SCENE_KIND_MESH;
    return SCENE_KIND_NONE;
}
