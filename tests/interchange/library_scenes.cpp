#include "library_scenes.h"

#include "support/test_support.h"

#include <assimp/Exporter.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace interchangetest {

namespace {

// A new[] array of the values made of the described ones; null for none.
template <typename Out, typename In, typename Make>
Out* newArray(const std::vector<In>& described, Make make)
{
    if (described.empty())
        return nullptr;
    Out* out = new Out[described.size()];
    for (size_t i = 0; i < described.size(); ++i)
        out[i] = make(described[i]);
    return out;
}

aiVector3D vector(const std::array<float, 3>& v)
{
    return aiVector3D(v[0], v[1], v[2]);
}

const auto same = [](auto value) { return value; };

aiNode* makeNode(const NodeDescription& described)
{
    aiNode* node = new aiNode(described.name);
    node->mTransformation = described.matrix;
    node->mNumMeshes = unsigned(described.meshes.size());
    node->mMeshes = newArray<unsigned>(described.meshes, same);
    if (!described.children.empty()) {
        std::vector<aiNode*> children;
        for (const NodeDescription& child : described.children)
            children.push_back(makeNode(child));
        node->addChildren(unsigned(children.size()), children.data());
    }
    return node;
}

} // namespace

aiMesh* makeMesh(const MeshDescription& described)
{
    aiMesh* mesh = new aiMesh();
    mesh->mName = aiString(described.name);
    mesh->mNumVertices = unsigned(described.positions.size());
    mesh->mVertices = newArray<aiVector3D>(described.positions, vector);
    mesh->mNormals = newArray<aiVector3D>(described.normals, vector);
    mesh->mTextureCoords[0] = newArray<aiVector3D>(described.uvs, [](auto t) { return aiVector3D(t[0], t[1], 0); });
    mesh->mNumUVComponents[0] = described.uvs.empty() ? 0 : 2;
    mesh->mColors[0] = newArray<aiColor4D>(described.colours, [](auto c) { return aiColor4D(c[0], c[1], c[2], c[3]); });
    mesh->mNumFaces = unsigned(described.faces.size());
    mesh->mFaces = new aiFace[described.faces.size()];
    for (size_t f = 0; f < described.faces.size(); ++f) {
        const size_t n = described.faces[f].size();
        mesh->mFaces[f].mNumIndices = unsigned(n);
        mesh->mFaces[f].mIndices = newArray<unsigned>(described.faces[f], same);
        mesh->mPrimitiveTypes |= n == 1 ? aiPrimitiveType_POINT
                                 : n == 2 ? aiPrimitiveType_LINE
                                 : n == 3 ? aiPrimitiveType_TRIANGLE
                                          : aiPrimitiveType_POLYGON;
    }
    mesh->mMaterialIndex = described.material;
    return mesh;
}

MeshDescription polygonMesh(const std::string& name, unsigned corners)
{
    MeshDescription described;
    described.name = name;
    std::vector<unsigned> face;
    for (unsigned i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979323846 * i / corners;
        const float x = float(std::cos(angle)), y = float(std::sin(angle));
        described.positions.push_back({x, y, 0.0f});
        described.uvs.push_back({0.5f + 0.5f * x, 0.5f + 0.5f * y});
        described.normals.push_back({0.0f, 0.0f, 1.0f});
        face.push_back(i);
    }
    described.faces.push_back(face);
    return described;
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
    scene->mMeshes = newArray<aiMesh*>(meshes, makeMesh);
    scene->mNumMaterials = unsigned(materials.size());
    scene->mMaterials = newArray<aiMaterial*>(materials, same);
    return scene;
}

aiMatrix4x4 placement(float x, float y, float z, float degreesAboutZ, float scale)
{
    const aiQuaternion turn(aiVector3D(0, 0, 1), degreesAboutZ * 3.14159265358979323846f / 180.0f);
    return aiMatrix4x4(aiVector3D(scale, scale, scale), turn, aiVector3D(x, y, z));
}

std::string fixture(const std::string& file)
{
    return testsupport::sourceDirectory() + "/tests/interchange/files/" + file;
}

std::vector<MeshDescription> readObj(const std::string& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<std::array<float, 3>> positions, normals;
    std::vector<std::array<float, 4>> colours;
    std::vector<std::array<float, 2>> uvs;
    std::vector<MeshDescription> meshes;
    std::string line, key;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        words >> key;
        if (key == "o") {
            meshes.emplace_back();
            words >> meshes.back().name;
        } else if (key == "v") {
            positions.emplace_back();
            colours.push_back({1, 1, 1, 1});
            words >> positions.back()[0] >> positions.back()[1] >> positions.back()[2];
            words >> colours.back()[0] >> colours.back()[1] >> colours.back()[2];
            if (!words)
                colours.pop_back();
        } else if (key == "vt") {
            uvs.emplace_back();
            words >> uvs.back()[0] >> uvs.back()[1];
        } else if (key == "vn") {
            normals.emplace_back();
            words >> normals.back()[0] >> normals.back()[1] >> normals.back()[2];
        } else if (key == "f") {
            MeshDescription& mesh = meshes.back();
            mesh.faces.emplace_back();
            for (std::string corner; words >> corner;) {
                // Counted from 1; a file gives colours for all its positions or none.
                const size_t slash = corner.find('/'), second = corner.find('/', slash + 1);
                const size_t v = size_t(std::stoi(corner)) - 1;
                mesh.faces.back().push_back(unsigned(mesh.positions.size()));
                mesh.positions.push_back(positions.at(v));
                if (!colours.empty())
                    mesh.colours.push_back(colours.at(v));
                if (slash != std::string::npos && second != slash + 1)
                    mesh.uvs.push_back(uvs.at(size_t(std::stoi(corner.substr(slash + 1))) - 1));
                if (second != std::string::npos)
                    mesh.normals.push_back(normals.at(size_t(std::stoi(corner.substr(second + 1))) - 1));
            }
        }
    }
    return meshes;
}

std::string writeScene(const std::string& path, const char* format, const std::vector<MeshDescription>& meshes,
                       const NodeDescription& root, aiMaterial* material)
{
    const std::unique_ptr<aiScene> scene = makeScene(root, meshes, {material ? material : makeMaterial("plain")});
    Assimp::Exporter exporter;
    if (exporter.Export(scene.get(), format, path) != AI_SUCCESS)
        ADD_FAILURE() << path << ": " << exporter.GetErrorString();
    return path;
}

} // namespace interchangetest
