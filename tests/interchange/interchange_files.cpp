#include "interchange_files.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <map>
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

std::string list(const float* values, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "," : "") + exact(values[i]);
    return text;
}

void appendFloats(std::string& buffer, const float* values, int count)
{
    buffer.append(reinterpret_cast<const char*>(values), size_t(count) * sizeof(float));
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
    std::string buffer;
    std::ostringstream views, accessors, meshText;
    int view = 0, accessorCount = 0;
    auto addView = [&](size_t offset, size_t length) {
        views << (view ? "," : "") << "{\"buffer\":0,\"byteOffset\":" << offset << ",\"byteLength\":" << length << "}";
        return view++;
    };
    for (size_t m = 0; m < meshes.size(); ++m) {
        const SourceMesh& mesh = meshes[m];
        std::vector<float> positions, uvs, normals, colours;
        float low[3] = {1e30f, 1e30f, 1e30f}, high[3] = {-1e30f, -1e30f, -1e30f};
        for (const std::vector<Corner>& triangle : mesh.polygons)
            for (const Corner& c : triangle) {
                positions.insert(positions.end(), c.position.begin(), c.position.end());
                uvs.insert(uvs.end(), c.uv.begin(), c.uv.end());
                normals.insert(normals.end(), c.normal.begin(), c.normal.end());
                colours.insert(colours.end(), c.colour.begin(), c.colour.end());
                for (int i = 0; i < 3; ++i) {
                    low[i] = std::min(low[i], c.position[size_t(i)]);
                    high[i] = std::max(high[i], c.position[size_t(i)]);
                }
            }
        const size_t count = positions.size() / 3;
        auto writeAccessor = [&](const std::vector<float>& values, const char* type, bool bounds) {
            const size_t offset = buffer.size();
            appendFloats(buffer, values.data(), int(values.size()));
            const int v = addView(offset, values.size() * 4);
            accessors << (accessorCount ? "," : "") << "{\"bufferView\":" << v
                      << ",\"componentType\":5126,\"count\":" << count << ",\"type\":\"" << type << "\"";
            if (bounds)
                accessors << ",\"min\":[" << list(low, 3) << "],\"max\":[" << list(high, 3) << "]";
            accessors << "}";
            return accessorCount++;
        };
        std::ostringstream attributes;
        attributes << "\"POSITION\":" << writeAccessor(positions, "VEC3", true);
        if (mesh.uvs)
            attributes << ",\"TEXCOORD_0\":" << writeAccessor(uvs, "VEC2", false);
        if (mesh.normals)
            attributes << ",\"NORMAL\":" << writeAccessor(normals, "VEC3", false);
        if (mesh.colours)
            attributes << ",\"COLOR_0\":" << writeAccessor(colours, "VEC4", false);
        meshText << (m ? "," : "") << "{\"name\":\"" << mesh.name << "\",\"primitives\":[{\"attributes\":{"
                 << attributes.str() << "}";
        if (!mesh.material.empty())
            meshText << ",\"material\":" << mesh.material;
        meshText << "}]}";
    }
    std::ostringstream gltf;
    gltf << "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":[";
    std::vector<bool> isChild(nodes.size(), false);
    for (const GltfNode& node : nodes)
        for (int child : node.children)
            isChild[size_t(child)] = true;
    bool first = true;
    for (size_t n = 0; n < nodes.size(); ++n)
        if (!isChild[n]) {
            gltf << (first ? "" : ",") << n;
            first = false;
        }
    gltf << "]}],\"nodes\":[";
    for (size_t n = 0; n < nodes.size(); ++n) {
        const GltfNode& node = nodes[n];
        gltf << (n ? "," : "") << "{\"name\":\"" << node.name << "\",\"translation\":[" << list(node.translation.data(), 3)
             << "],\"rotation\":[" << list(node.rotation.data(), 4) << "],\"scale\":[" << list(node.scale.data(), 3)
             << "]";
        if (node.mesh >= 0)
            gltf << ",\"mesh\":" << node.mesh;
        if (!node.children.empty()) {
            gltf << ",\"children\":[";
            for (size_t c = 0; c < node.children.size(); ++c)
                gltf << (c ? "," : "") << node.children[c];
            gltf << "]";
        }
        gltf << "}";
    }
    gltf << "],\"meshes\":[" << meshText.str() << "]";
    std::ostringstream images, textures;
    int textureCount = 0;
    gltf << ",\"materials\":[";
    for (size_t m = 0; m < materials.size(); ++m) {
        const GltfMaterial& material = materials[m];
        gltf << (m ? "," : "") << "{\"name\":\"" << material.name << "\",\"pbrMetallicRoughness\":{\"baseColorFactor\":["
             << list(material.baseColour.data(), 4) << "]";
        if (!material.texture.empty()) {
            gltf << ",\"baseColorTexture\":{\"index\":" << textureCount << "}";
            images << (textureCount ? "," : "") << "{\"uri\":\"" << material.texture << "\"}";
            textures << (textureCount ? "," : "") << "{\"source\":" << textureCount << "}";
            ++textureCount;
        }
        gltf << "}}";
    }
    gltf << "]";
    if (textureCount > 0)
        gltf << ",\"images\":[" << images.str() << "],\"textures\":[" << textures.str() << "]";
    gltf << ",\"buffers\":[{\"byteLength\":" << buffer.size() << ",\"uri\":\"" << base << ".bin\"}]";
    gltf << ",\"bufferViews\":[" << views.str() << "],\"accessors\":[" << accessors.str() << "]}";
    std::ofstream(directory + "/" + base + ".bin", std::ios::binary) << buffer;
    const std::string path = directory + "/" + base + ".gltf";
    std::ofstream(path) << gltf.str();
    return path;
}

std::string writePly(const std::string& path, const SourceMesh& mesh)
{
    // Equal corners become one vertex, as PLY files share them.
    std::map<std::vector<float>, int> ids;
    std::vector<const Corner*> vertices;
    std::vector<std::vector<int>> faces;
    for (const std::vector<Corner>& polygon : mesh.polygons) {
        std::vector<int> face;
        for (const Corner& c : polygon) {
            std::vector<float> key(c.position.begin(), c.position.end());
            if (mesh.normals)
                key.insert(key.end(), c.normal.begin(), c.normal.end());
            if (mesh.colours)
                key.insert(key.end(), c.colour.begin(), c.colour.end());
            auto inserted = ids.emplace(key, int(vertices.size()));
            if (inserted.second)
                vertices.push_back(&c);
            face.push_back(inserted.first->second);
        }
        faces.push_back(face);
    }
    std::ostringstream out;
    out << "ply\nformat binary_little_endian 1.0\nelement vertex " << vertices.size()
        << "\nproperty float x\nproperty float y\nproperty float z\n";
    if (mesh.normals)
        out << "property float nx\nproperty float ny\nproperty float nz\n";
    if (mesh.colours)
        out << "property uchar red\nproperty uchar green\nproperty uchar blue\n";
    out << "element face " << faces.size() << "\nproperty list uchar int vertex_indices\nend_header\n";
    auto colourByte = [](float value) { return uint8_t(std::lround(value * 255.0f)); };
    for (const Corner* c : vertices) {
        std::string bytes;
        appendFloats(bytes, c->position.data(), 3);
        if (mesh.normals)
            appendFloats(bytes, c->normal.data(), 3);
        for (int i = 0; mesh.colours && i < 3; ++i)
            bytes += char(colourByte(c->colour[size_t(i)]));
        out << bytes;
    }
    for (const std::vector<int>& face : faces) {
        out << char(uint8_t(face.size()));
        for (int id : face) {
            const int32_t value = id;
            out.write(reinterpret_cast<const char*>(&value), 4);
        }
    }
    std::ofstream(path, std::ios::binary) << out.str();
    return path;
}

} // namespace interchangetest
