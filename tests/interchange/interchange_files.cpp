#include "interchange_files.h"

#include <assimp/Exporter.hpp>

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "support/test_support.h"

namespace interchangetest {

namespace {

// The source as the library holds it: one mesh per SourceMesh, each corner its own vertex.
MeshDescription describe(const SourceMesh& mesh)
{
    MeshDescription described;
    described.name = mesh.name;
    for (const std::vector<Corner>& polygon : mesh.polygons) {
        described.faces.emplace_back();
        for (const Corner& c : polygon) {
            described.faces.back().push_back(unsigned(described.positions.size()));
            described.positions.push_back(c.position);
            if (mesh.uvs)
                described.uvs.push_back(c.uv);
            if (mesh.normals)
                described.normals.push_back(c.normal);
            if (mesh.colours)
                described.colours.push_back(c.colour);
        }
    }
    return described;
}

// Writes the scene with the library's own exporter (format as the library names it), which needs the kinds of
// face each mesh has.
std::string exportScene(aiScene& scene, const char* format, const std::string& path)
{
    for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
        aiMesh& mesh = *scene.mMeshes[m];
        mesh.mPrimitiveTypes = 0;
        for (unsigned f = 0; f < mesh.mNumFaces; ++f)
            mesh.mPrimitiveTypes |= mesh.mFaces[f].mNumIndices == 3 ? aiPrimitiveType_TRIANGLE : aiPrimitiveType_POLYGON;
    }
    Assimp::Exporter exporter;
    if (exporter.Export(&scene, format, path) != AI_SUCCESS)
        ADD_FAILURE() << path << ": " << exporter.GetErrorString();
    return path;
}

} // namespace

std::string fixture(const std::string& file)
{
    return testsupport::sourceDirectory() + "/tests/interchange/files/" + file;
}

std::vector<SourceMesh> readObj(const std::string& path)
{
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << path;
    std::vector<Corner> vertices; // position and colour
    std::vector<std::array<float, 2>> uvs;
    std::vector<std::array<float, 3>> normals;
    std::vector<SourceMesh> meshes;
    std::string line, key;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        words >> key;
        if (key == "o") {
            meshes.emplace_back();
            words >> meshes.back().name;
        } else if (key == "usemtl") {
            words >> meshes.back().material;
        } else if (key == "v") {
            Corner c;
            words >> c.position[0] >> c.position[1] >> c.position[2];
            if (words >> c.colour[0] >> c.colour[1] >> c.colour[2])
                meshes.back().colours = true;
            vertices.push_back(c);
        } else if (key == "vt") {
            uvs.emplace_back();
            words >> uvs.back()[0] >> uvs.back()[1];
        } else if (key == "vn") {
            normals.emplace_back();
            words >> normals.back()[0] >> normals.back()[1] >> normals.back()[2];
        } else if (key == "f") {
            SourceMesh& mesh = meshes.back();
            mesh.polygons.emplace_back();
            for (std::string corner; words >> corner;) {
                // v, v/t, v//n or v/t/n, counted from 1.
                const size_t slash = corner.find('/'), second = corner.find('/', slash + 1);
                Corner c = vertices.at(size_t(std::stoi(corner)) - 1);
                if (slash != std::string::npos && second != slash + 1) {
                    c.uv = uvs.at(size_t(std::stoi(corner.substr(slash + 1))) - 1);
                    mesh.uvs = true;
                }
                if (second != std::string::npos) {
                    c.normal = normals.at(size_t(std::stoi(corner.substr(second + 1))) - 1);
                    mesh.normals = true;
                }
                mesh.polygons.back().push_back(c);
            }
        }
    }
    return meshes;
}

std::string writeGltf(const std::string& path, const std::vector<SourceMesh>& meshes, const NodeDescription& root,
                      aiMaterial* material)
{
    std::vector<MeshDescription> described;
    for (const SourceMesh& mesh : meshes)
        described.push_back(describe(mesh));
    const std::unique_ptr<aiScene> scene = makeScene(root, described, {material ? material : makeMaterial("plain")});
    return exportScene(*scene, "gltf2", path);
}

std::string writePly(const std::string& path, const SourceMesh& mesh)
{
    const std::unique_ptr<aiScene> scene =
        makeScene({mesh.name, aiMatrix4x4(), {0}, {}}, {describe(mesh)}, {makeMaterial("plain")});
    return exportScene(*scene, "ply", path);
}

} // namespace interchangetest
