#pragma once
// Polygon meshes: the baked geometry of a mesh node (.vt, .pt, .ed, .fc, the current UV set, the
// current colour set, stored normals) turned into the host's mesh data.

#include "scene_readers/maya_ascii/build_context.h"

#include <headless/scene.h>

namespace mayaascii {

// True when the node carries its own geometry (vertices or faces), not only construction history.
bool hasBakedGeometry(const Node& node);

struct BakedMesh {
    headless::MeshData data;
    // Stored normals, one per corner in face order, when the file holds some but not all of them
    // (corners marked 1e+20 take the normal the host computes).
    std::vector<headless::Vec3> partialNormals;
    std::vector<bool> normalStored;
};

// Converts the baked attributes of `node`. Throws ReadError naming the node, the attribute and the line
// for indices out of range, faces whose edges do not form a loop, faces with holes and arrays with gaps.
BakedMesh bakeMesh(const Node& node);

// Creates the mesh shape `name` under `parent` from baked data, stored normals merged over the host's
// own where only some corners have one. Throws ReadError when the host refuses the data.
MObject createBakedMesh(const std::string& name, const MObject& parent, const BakedMesh& mesh, int line);

} // namespace mayaascii
