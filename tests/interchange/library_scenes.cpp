#include "library_scenes.h"

#include <cmath>

namespace interchangetest {

aiMesh* makeMesh(const MeshDescription& described)
{
    aiMesh* mesh = new aiMesh();
    mesh->mName = aiString(described.name);
    mesh->mNumVertices = unsigned(described.positions.size());
    mesh->mVertices = new aiVector3D[described.positions.size()];
    for (size_t i = 0; i < described.positions.size(); ++i)
        mesh->mVertices[i] = aiVector3D(described.positions[i][0], described.positions[i][1], described.positions[i][2]);
    if (!described.uvs.empty()) {
        mesh->mTextureCoords[0] = new aiVector3D[described.positions.size()];
        mesh->mNumUVComponents[0] = 2;
        for (size_t i = 0; i < described.uvs.size(); ++i)
            mesh->mTextureCoords[0][i] = aiVector3D(described.uvs[i][0], described.uvs[i][1], 0.0f);
    }
    if (!described.normals.empty()) {
        mesh->mNormals = new aiVector3D[described.positions.size()];
        for (size_t i = 0; i < described.normals.size(); ++i)
            mesh->mNormals[i] = aiVector3D(described.normals[i][0], described.normals[i][1], described.normals[i][2]);
    }
    if (!described.colours.empty()) {
        mesh->mColors[0] = new aiColor4D[described.positions.size()];
        for (size_t i = 0; i < described.colours.size(); ++i)
            mesh->mColors[0][i] = aiColor4D(described.colours[i][0], described.colours[i][1], described.colours[i][2], described.colours[i][3]);
    }
    mesh->mNumFaces = unsigned(described.faces.size());
    mesh->mFaces = new aiFace[described.faces.size()];
    for (size_t f = 0; f < described.faces.size(); ++f) {
        aiFace& face = mesh->mFaces[f];
        face.mNumIndices = unsigned(described.faces[f].size());
        face.mIndices = new unsigned[described.faces[f].size()];
        for (size_t k = 0; k < described.faces[f].size(); ++k)
            face.mIndices[k] = described.faces[f][k];
    }
    mesh->mPrimitiveTypes = aiPrimitiveType_POLYGON;
    mesh->mMaterialIndex = described.material;
    return mesh;
}

MeshDescription polygonMesh(const std::string& name, unsigned corners, float radius)
{
    MeshDescription described;
    described.name = name;
    std::vector<unsigned> face;
    for (unsigned i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979323846 * i / corners;
        const float x = float(std::cos(angle)), y = float(std::sin(angle));
        described.positions.push_back({radius * x, radius * y, 0.0f});
        described.uvs.push_back({0.5f + 0.5f * x, 0.5f + 0.5f * y});
        described.normals.push_back({0.0f, 0.0f, 1.0f});
        face.push_back(i);
    }
    described.faces.push_back(face);
    return described;
}

aiNode* makeNode(const NodeDescription& described)
{
    aiNode* node = new aiNode(described.name);
    node->mTransformation = described.matrix;
    node->mNumMeshes = unsigned(described.meshes.size());
    if (!described.meshes.empty()) {
        node->mMeshes = new unsigned[described.meshes.size()];
        for (size_t i = 0; i < described.meshes.size(); ++i)
            node->mMeshes[i] = described.meshes[i];
    }
    if (!described.children.empty()) {
        std::vector<aiNode*> children;
        for (const NodeDescription& child : described.children)
            children.push_back(makeNode(child));
        node->addChildren(unsigned(children.size()), children.data());
    }
    return node;
}

aiMaterial* makeMaterial(const std::string& name)
{
    aiMaterial* material = new aiMaterial();
    const aiString text(name);
    material->AddProperty(&text, AI_MATKEY_NAME);
    return material;
}

std::unique_ptr<aiScene> makeScene(const NodeDescription& root, const std::vector<MeshDescription>& meshes,
                                   const std::vector<aiMaterial*>& materials)
{
    std::unique_ptr<aiScene> scene(new aiScene());
    scene->mRootNode = makeNode(root);
    scene->mNumMeshes = unsigned(meshes.size());
    scene->mMeshes = new aiMesh*[meshes.size()];
    for (size_t i = 0; i < meshes.size(); ++i)
        scene->mMeshes[i] = makeMesh(meshes[i]);
    scene->mNumMaterials = unsigned(materials.size());
    scene->mMaterials = new aiMaterial*[materials.size()];
    for (size_t i = 0; i < materials.size(); ++i)
        scene->mMaterials[i] = materials[i];
    return scene;
}

aiMatrix4x4 translationMatrix(float x, float y, float z)
{
    aiMatrix4x4 m;
    return aiMatrix4x4::Translation(aiVector3D(x, y, z), m);
}

aiMatrix4x4 rotationMatrixZ(float degrees)
{
    aiMatrix4x4 m;
    return aiMatrix4x4::RotationZ(degrees * 3.14159265358979323846f / 180.0f, m);
}

aiMatrix4x4 scalingMatrix(float x, float y, float z)
{
    aiMatrix4x4 m;
    return aiMatrix4x4::Scaling(aiVector3D(x, y, z), m);
}

} // namespace interchangetest
