#pragma once
// Polygon meshes: the baked geometry of a mesh node (.vt, .pt, .ed, .fc, the current UV set, the
// current colour set, stored normals) turned into the host's mesh data.

#include "scene_readers/maya_ascii/build_context.h"

#include <headless/poly_mesh.h>

namespace mayaascii {

// True when the node carries its own geometry (vertices or faces), not only construction history.
bool hasBakedGeometry(const Node& node);

struct BakedMesh {
    headless::PolyMesh mesh;
    // Stored normals, one per corner in face order, when the file holds some (corners marked 1e+20, whose
    // normalStored is false, take the normal the host computes).
    std::vector<headless::Vec3> normals;
    std::vector<bool> normalStored;
};

// Converts the baked attributes of `node` (its tweaks added, its current UV and colour sets). Throws ReadError naming the node, the attribute and the line
// for indices out of range, faces whose edges do not form a loop, faces with holes and arrays with gaps.
BakedMesh bakeMesh(const Node& node);

// Creates the mesh shape `name` under `parent` from a mesh, baked or made by history, with the normals the
// file stores (all, or some merged over the host's own). Throws ReadError when the host refuses the data.
MObject createMeshShape(const std::string& name, const MObject& parent, BakedMesh mesh, int line);

} // namespace mayaascii
