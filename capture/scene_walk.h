#pragma once
// The one walk over the host scene shared by the scene scan (countSceneObjects) and the capture loops
// (loadMeshNodes, loadMiscNodes), and the one type test that decides what a node is. The scan sizes
// the frame's arrays and the loops fill them, so both must see the same nodes in the same order and
// classify them the same way: both go through walkScene and classifyNode, nothing else.

#include <cstdint>

#include <maya/MDagPath.h>

// What the walk found out about a node before any type test. Intermediate is tested first: an
// intermediate node is reported as such whatever its visibility.
enum SceneNodeState {
    SCENE_NODE_ACCEPTED = 0,     // neither intermediate nor hidden: apply the type tests
    SCENE_NODE_INTERMEDIATE = 1, // an intermediate object (such as the hidden input shape of a deformer)
    SCENE_NODE_HIDDEN = 2,       // the "visibility" of the node or of a DAG ancestor on its path is off
};

// Called once for every node of the walk, in walk order, with the node's full DAG path (valid only
// during the call) and its state. The scan ignores nodes that are not SCENE_NODE_ACCEPTED silently;
// the capture loops log "Node is intermidiate object\n" / "Node is not visible\n" for them.
// Return true to go on; return false to end the walk at once (after logging the reason yourself):
// walkScene then returns false without logging anything more.
typedef bool (*SceneNodeVisitor)(const MDagPath& path, SceneNodeState state, void* context);

// Walks the host scene and hands every node to visitor (context is passed through untouched).
// - captureMode != 2 (whole scene): every DAG node breadth-first from the world root (the world node
//   itself is the first node visited).
// - captureMode == 2 (active selection): for each selected item in the list's order, the item's node
//   and everything below it, depth-first. Items that are not DAG nodes (a shader, a set) are skipped.
//   A DAG path reached from several items (a group and a mesh inside it, a transform and its own shape)
//   is visited once, from the first item that reaches it; two instances of one shape are two paths and
//   are both visited.
// Logs at the caller's indent, and returns false, on:
//   "Error: Failure in DAG iterator setup.\n"  the DAG iterator could not be created (either mode);
//   "Error: Nothing is selected.\n"            captureMode 2 and the active selection is empty.
// Returns false also when visitor returned false; returns true when the walk completed (possibly
// visiting nothing, e.g. a selection of only non-DAG items). The caller unindents and adds its own
// line after a false result; walkScene itself never changes the log's indent.
bool walkScene(int32_t captureMode, SceneNodeVisitor visitor, void* context);

// True when the node at the end of path, or any DAG ancestor on that path, has its "visibility" off.
// A node whose visibility cannot be read counts as visible.
bool isHiddenOnPath(const MDagPath& path);

// What a node is for the capture: the first test of this table that matches decides ("transform"
// meaning MDagPath::hasFn(MFn::kTransform) on the path, which a transform answers also for its shape):
//   1 kNurbsSurface, not transform -> SCENE_KIND_NURBS_SURFACE
//   2 kNurbsCurve,   not transform -> SCENE_KIND_NURBS_CURVE
//   3 kLattice,      not transform -> SCENE_KIND_LATTICE
//   4 kCamera,       not transform -> SCENE_KIND_CAMERA
//   5 kLight,        transform     -> SCENE_KIND_LIGHT (a light is taken at its transform; the light
//                                     shape itself matches nothing)
//   6 kMesh,         not transform -> SCENE_KIND_MESH
//   otherwise                      -> SCENE_KIND_NONE
enum SceneNodeKind {
    SCENE_KIND_NONE = 0,
    SCENE_KIND_NURBS_SURFACE,
    SCENE_KIND_NURBS_CURVE,
    SCENE_KIND_LATTICE,
    SCENE_KIND_CAMERA,
    SCENE_KIND_LIGHT,
    SCENE_KIND_MESH,
};
SceneNodeKind classifyNode(const MDagPath& path);
