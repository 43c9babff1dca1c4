#pragma once
// In-memory scenes of the import library, built as its readers build them (arrays from new[], owned by the
// scene), for tests that bypass reading a file.

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

// A regular polygon of n corners in the z = 0 plane (counter-clockwise seen from +z), each corner its own
// vertex with a texture coordinate and a +z normal.
MeshDescription polygonMesh(const std::string& name, unsigned corners, float radius = 1.0f);

struct NodeDescription {
    std::string name;
    aiMatrix4x4 matrix;              // column-vector form, as the library keeps it
    std::vector<unsigned> meshes;
    std::vector<NodeDescription> children;
};

aiNode* makeNode(const NodeDescription& described);

// Material properties as the library's readers add them.
aiMaterial* makeMaterial(const std::string& name);

// A scene owning meshes, materials and the node tree (and optionally cameras and lights, added by the caller).
std::unique_ptr<aiScene> makeScene(const NodeDescription& root, const std::vector<MeshDescription>& meshes,
                                   const std::vector<aiMaterial*>& materials);

// Column-vector matrices as the library composes them.
aiMatrix4x4 translationMatrix(float x, float y, float z);
aiMatrix4x4 rotationMatrixZ(float degrees);
aiMatrix4x4 scalingMatrix(float x, float y, float z);

} // namespace interchangetest
