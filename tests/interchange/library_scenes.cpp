#include "library_scenes.h"

#include <cmath>

namespace interchangetest {

aiMesh* makeMesh(const MeshSpec& spec)
{
    aiMesh* mesh = new aiMesh();
    mesh->mName = aiString(spec.name);
    mesh->mNumVertices = unsigned(spec.positions.size());
    mesh->mVertices = new aiVector3D[spec.positions.size()];
    for (size_t i = 0; i < spec.positions.size(); ++i)
        mesh->mVertices[i] = aiVector3D(spec.positions[i][0], spec.positions[i][1], spec.positions[i][2]);
    if (!spec.uvs.empty()) {
        mesh->mTextureCoords[0] = new aiVector3D[spec.positions.size()];
        mesh->mNumUVComponents[0] = 2;
        for (size_t i = 0; i < spec.uvs.size(); ++i)
            mesh->mTextureCoords[0][i] = aiVector3D(spec.uvs[i][0], spec.uvs[i][1], 0.0f);
    }
    if (!spec.normals.empty()) {
        mesh->mNormals = new aiVector3D[spec.positions.size()];
        for (size_t i = 0; i < spec.normals.size(); ++i)
            mesh->mNormals[i] = aiVector3D(spec.normals[i][0], spec.normals[i][1], spec.normals[i][2]);
    }
    if (!spec.colours.empty()) {
        mesh->mColors[0] = new aiColor4D[spec.positions.size()];
        for (size_t i = 0; i < spec.colours.size(); ++i)
            mesh->mColors[0][i] = aiColor4D(spec.colours[i][0], spec.colours[i][1], spec.colours[i][2], spec.colours[i][3]);
    }
    mesh->mNumFaces = unsigned(spec.faces.size());
    mesh->mFaces = new aiFace[spec.faces.size()];
    for (size_t f = 0; f < spec.faces.size(); ++f) {
        aiFace& face = mesh->mFaces[f];
        face.mNumIndices = unsigned(spec.faces[f].size());
        face.mIndices = new unsigned[spec.faces[f].size()];
        for (size_t k = 0; k < spec.faces[f].size(); ++k)
            face.mIndices[k] = spec.faces[f][k];
    }
    mesh->mPrimitiveTypes = aiPrimitiveType_POLYGON;
    mesh->mMaterialIndex = spec.material;
    return mesh;
}

MeshSpec polygonMesh(const std::string& name, unsigned corners, float radius)
{
    MeshSpec spec;
    spec.name = name;
    std::vector<unsigned> face;
    for (unsigned i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979323846 * i / corners;
        const float x = float(std::cos(angle)), y = float(std::sin(angle));
        spec.positions.push_back({radius * x, radius * y, 0.0f});
        spec.uvs.push_back({0.5f + 0.5f * x, 0.5f + 0.5f * y});
        spec.normals.push_back({0.0f, 0.0f, 1.0f});
        face.push_back(i);
    }
    spec.faces.push_back(face);
    return spec;
}

aiNode* makeNode(const NodeSpec& spec)
{
    aiNode* node = new aiNode(spec.name);
    node->mTransformation = spec.matrix;
    node->mNumMeshes = unsigned(spec.meshes.size());
    if (!spec.meshes.empty()) {
        node->mMeshes = new unsigned[spec.meshes.size()];
        for (size_t i = 0; i < spec.meshes.size(); ++i)
            node->mMeshes[i] = spec.meshes[i];
    }
    if (!spec.children.empty()) {
        std::vector<aiNode*> children;
        for (const NodeSpec& child : spec.children)
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

std::unique_ptr<aiScene> makeScene(const NodeSpec& root, const std::vector<MeshSpec>& meshes,
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
