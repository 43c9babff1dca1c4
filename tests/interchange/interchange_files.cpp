#include "interchange_files.h"

#include "library_scenes.h"

#include <assimp/Exporter.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace interchangetest {

namespace {

// Shortest text that reads back as the same float.
std::string exact(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", double(value));
    return text;
}

// The source as the library holds it: one mesh per SourceMesh, each corner its own vertex.
MeshDescription describe(const SourceMesh& mesh, unsigned material)
{
    MeshDescription described;
    described.name = mesh.name;
    described.material = material;
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
void exportScene(aiScene& scene, const char* format, const std::string& path)
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
}

} // namespace

std::vector<Corner> regularPolygon(unsigned corners, std::array<float, 3> centre, float radius)
{
    std::vector<Corner> polygon;
    for (unsigned i = 0; i < corners; ++i) {
        const double angle = 2.0 * 3.14159265358979323846 * i / corners;
        Corner c;
        c.position = {centre[0] + radius * float(std::cos(angle)), centre[1] + radius * float(std::sin(angle)),
                      centre[2]};
        c.uv = {0.5f + 0.5f * float(std::cos(angle)), 0.5f + 0.5f * float(std::sin(angle))};
        c.colour = {float(i) / corners, 0.5f, 1.0f - float(i) / corners, 1.0f};
        polygon.push_back(c);
    }
    return polygon;
}

const char* const kBrickGlassMtl =
    "newmtl brick\nKa 0.1 0.1 0.1\nKd 0.8 0.4 0.2\nKs 0.5 0.5 0.5\nNs 40\nillum 2\nmap_Kd textures/Brick.png\n"
    "newmtl glass\nKd 0.2 0.3 0.9\nd 0.5\nillum 1\n";

std::vector<SourceMesh> ngonScene()
{
    SourceMesh ngons{"Ngons", "brick", {}};
    for (unsigned corners = 4; corners <= 12; ++corners) {
        ngons.polygons.push_back(regularPolygon(corners, {3.0f * corners, 0.5f, -1.0f}, 1.0f));
        for (Corner& c : ngons.polygons.back())
            c.normal = {0.0f, 0.6f, 0.8f};
    }
    SourceMesh plate{"Plate", "glass", {regularPolygon(4, {0, -5, 0}, 2.0f)}};
    return {ngons, plate};
}

std::string writeZUpCollada(const std::string& directory)
{
    const std::string path = directory + "/zup.dae";
    std::ofstream(path)
        << "<?xml version=\"1.0\"?>\n<COLLADA xmlns=\"http://www.collada.org/2005/11/COLLADASchema\" version=\"1.4.1\">\n"
           "<asset><unit meter=\"0.01\"/><up_axis>Z_UP</up_axis></asset>\n"
           "<library_geometries><geometry id=\"g\" name=\"g\"><mesh>\n"
           "<source id=\"p\"><float_array id=\"pa\" count=\"9\">1 2 3 4 5 6 7 8 10</float_array><technique_common>"
           "<accessor source=\"#pa\" count=\"3\" stride=\"3\"><param name=\"X\" type=\"float\"/><param name=\"Y\" "
           "type=\"float\"/><param name=\"Z\" type=\"float\"/></accessor></technique_common></source>\n"
           "<vertices id=\"v\"><input semantic=\"POSITION\" source=\"#p\"/></vertices>\n"
           "<triangles count=\"1\"><input semantic=\"VERTEX\" source=\"#v\" offset=\"0\"/><p>0 1 2</p></triangles>\n"
           "</mesh></geometry></library_geometries>\n"
           "<library_visual_scenes><visual_scene id=\"s\"><node id=\"tri\" name=\"tri\"><translate>0 0 5</translate>"
           "<rotate>0 0 1 90</rotate><instance_geometry url=\"#g\"/></node></visual_scene></library_visual_scenes>\n"
           "<scene><instance_visual_scene url=\"#s\"/></scene></COLLADA>\n";
    return path;
}

std::string writeObj(const std::string& directory, const std::string& base, const std::vector<SourceMesh>& meshes,
                     const std::string& mtl)
{
    std::ostringstream obj;
    if (!mtl.empty()) {
        std::ofstream(directory + "/" + base + ".mtl") << mtl;
        obj << "mtllib " << base << ".mtl\n";
    }
    size_t next = 1;
    for (const SourceMesh& mesh : meshes) {
        obj << "o " << mesh.name << "\n";
        if (!mesh.material.empty())
            obj << "usemtl " << mesh.material << "\n";
        for (const std::vector<Corner>& polygon : mesh.polygons) {
            for (const Corner& c : polygon) {
                obj << "v " << exact(c.position[0]) << " " << exact(c.position[1]) << " " << exact(c.position[2]) << "\n";
                obj << "vt " << exact(c.uv[0]) << " " << exact(c.uv[1]) << "\n";
                obj << "vn " << exact(c.normal[0]) << " " << exact(c.normal[1]) << " " << exact(c.normal[2]) << "\n";
            }
            obj << "f";
            for (size_t k = 0; k < polygon.size(); ++k, ++next) {
                obj << " " << next;
                if (mesh.uvs || mesh.normals)
                    obj << "/" << (mesh.uvs ? std::to_string(next) : "");
                if (mesh.normals)
                    obj << "/" << next;
            }
            obj << "\n";
        }
    }
    const std::string path = directory + "/" + base + ".obj";
    std::ofstream(path) << obj.str();
    return path;
}

std::string writeGltf(const std::string& directory, const std::string& base, const std::vector<SourceMesh>& meshes,
                      const std::vector<GltfMaterial>& materials, const std::vector<GltfNode>& nodes)
{
    std::vector<MeshDescription> described;
    for (const SourceMesh& mesh : meshes)
        described.push_back(describe(mesh, mesh.material.empty() ? 0 : unsigned(std::stoi(mesh.material))));
    // The library's container root holds the nodes no other node lists as a child.
    std::vector<bool> isChild(nodes.size(), false);
    for (const GltfNode& node : nodes)
        for (int child : node.children)
            isChild[size_t(child)] = true;
    const std::function<NodeDescription(size_t)> tree = [&](size_t n) {
        const GltfNode& node = nodes[n];
        const aiQuaternion rotation(node.rotation[3], node.rotation[0], node.rotation[1], node.rotation[2]);
        NodeDescription out{node.name,
                            aiMatrix4x4(aiVector3D(node.scale[0], node.scale[1], node.scale[2]), rotation,
                                        aiVector3D(node.translation[0], node.translation[1], node.translation[2])),
                            {},
                            {}};
        if (node.mesh >= 0)
            out.meshes.push_back(unsigned(node.mesh));
        for (int child : node.children)
            out.children.push_back(tree(size_t(child)));
        return out;
    };
    NodeDescription root{"root", aiMatrix4x4(), {}, {}};
    for (size_t n = 0; n < nodes.size(); ++n)
        if (!isChild[n])
            root.children.push_back(tree(n));
    std::vector<aiMaterial*> libraryMaterials;
    for (const GltfMaterial& material : materials) {
        aiMaterial* m = makeMaterial(material.name);
        const aiColor4D colour(material.baseColour[0], material.baseColour[1], material.baseColour[2],
                               material.baseColour[3]);
        m->AddProperty(&colour, 1, AI_MATKEY_BASE_COLOR);
        if (!material.texture.empty()) {
            const aiString file(material.texture);
            m->AddProperty(&file, AI_MATKEY_TEXTURE(aiTextureType_BASE_COLOR, 0));
        }
        libraryMaterials.push_back(m);
    }
    if (libraryMaterials.empty())
        libraryMaterials.push_back(makeMaterial("plain"));
    const std::unique_ptr<aiScene> scene = makeScene(root, described, libraryMaterials);
    const std::string path = directory + "/" + base + ".gltf";
    exportScene(*scene, "gltf2", path);
    return path;
}

std::string writePly(const std::string& path, const SourceMesh& mesh)
{
    const std::unique_ptr<aiScene> scene =
        makeScene({mesh.name, aiMatrix4x4(), {0}, {}}, {describe(mesh, 0)}, {makeMaterial("plain")});
    exportScene(*scene, "ply", path);
    return path;
}

} // namespace interchangetest
