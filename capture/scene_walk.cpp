#include "capture/scene_walk.h"

#include <string>
#include <unordered_set>

#include <maya/MFn.h>
#include <maya/MFnDagNode.h>
#include <maya/MGlobal.h>
#include <maya/MItDag.h>
#include <maya/MItSelectionList.h>
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

bool isHiddenOnPath(const MDagPath& path)
{
    if (!isNodeVisible(path))
        return true;
    // Ancestors through the path's own prefixes, so each instance answers for its own parents.
    MDagPath prefix(path);
    while (prefix.length() > 1) {
        prefix.pop();
        if (!isNodeVisible(prefix))
            return true;
    }
    return false;
}

static SceneNodeState nodeState(const MDagPath& path)
{
    MStatus status;
    MFnDagNode node(path, &status);
    if (status && node.isIntermediateObject())
        return SCENE_NODE_INTERMEDIATE;
    return isHiddenOnPath(path) ? SCENE_NODE_HIDDEN : SCENE_NODE_ACCEPTED;
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
        for (; !dagIterator.isDone(); dagIterator.next()) {
            MDagPath path;
            dagIterator.getPath(path);
            if (!visitor(path, nodeState(path), context))
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
    MItSelectionList items(selection, MFn::kInvalid);
    for (; !items.isDone(); items.next()) {
        MDagPath root;
        if (!items.getDagPath(root))
            continue; // not a DAG node (a shader, a set): nothing to walk
        // The path form of reset roots the walk at the selected instance, not at any instance of the node.
        if (!dagIterator.reset(root, MItDag::kDepthFirst, MFn::kInvalid))
            continue;
        for (; !dagIterator.isDone(); dagIterator.next()) {
            MDagPath path;
            dagIterator.getPath(path);
            if (!visited.insert(path.fullPathName().asChar()).second)
                continue;
            if (!visitor(path, nodeState(path), context))
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
