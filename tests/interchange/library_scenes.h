#pragma once
// The interchange tests' scenes: the import library's, built as its readers build them (arrays from new[], owned by
// the scene); checked-in OBJ files read back by a reader of our own, to check exports against; files written by
// the library's own exporter.

#include <assimp/scene.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace interchangetest {

struct MeshDescription {
    std::string name;
    std::vector<std::array<float, 3>> positions;
    std::vector<std::vector<unsigned>> faces;
    std::vector<std::array<float, 2>> uvs;     // empty = none; else one per position
    std::vector<std::array<float, 3>> normals; // likewise
    std::vector<std::array<float, 4>> colours; // likewise
    unsigned material = 0;
};

aiMesh* makeMesh(const MeshDescription& described);

// A regular polygon of n corners about the origin in the z = 0 plane (counter-clockwise seen from +z), radius 1,
// each corner its own vertex with a texture coordinate and a +z normal.
MeshDescription polygonMesh(const std::string& name, unsigned corners);

struct NodeDescription {
    std::string name;
    aiMatrix4x4 matrix;              // column-vector form, as the library keeps it
    std::vector<unsigned> meshes;
    std::vector<NodeDescription> children;
};

// Material properties as the library's readers add them.
aiMaterial* makeMaterial(const std::string& name);

// A scene owning meshes, materials and the node tree (and optionally cameras and lights, added by the caller).
std::unique_ptr<aiScene> makeScene(const NodeDescription& root, const std::vector<MeshDescription>& meshes,
                                   const std::vector<aiMaterial*>& materials);

// The column-vector matrix of a uniform scale, then a turn about z, then a move.
aiMatrix4x4 placement(float x, float y, float z, float degreesAboutZ = 0, float scale = 1);

// The path of a file in tests/interchange/files.
std::string fixture(const std::string& file);

// The "o" blocks of an OBJ file, each corner its own vertex ("v x y z [r g b]", "vt", "vn", "f v[/[t][/n]]").
std::vector<MeshDescription> readObj(const std::string& path);

// A file written by the library's exporter ("gltf2", "ply", "fbxa"), with the one material given (a plain one when
// null); the nodes are root's children, naming the meshes by index. Returns the path.
std::string writeScene(const std::string& path, const char* format, const std::vector<MeshDescription>& meshes,
                       const NodeDescription& root, aiMaterial* material = nullptr);

} // namespace interchangetest
