#include "tools/gltf_export.h"

#include "tools/qax_summary.h"

#include <tiny_gltf.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace qaxtools {

namespace {

// Appends raw bytes to the one buffer, 4-byte aligned, and makes a view of them.
int addView(tinygltf::Model& gltf, const void* data, size_t bytes, int target)
{
    std::vector<unsigned char>& buffer = gltf.buffers[0].data;
    while (buffer.size() % 4 != 0)
        buffer.push_back(0);
    tinygltf::BufferView view;
    view.buffer = 0;
    view.byteOffset = buffer.size();
    view.byteLength = bytes;
    view.target = target;
    const unsigned char* bytesIn = static_cast<const unsigned char*>(data);
    buffer.insert(buffer.end(), bytesIn, bytesIn + bytes);
    gltf.bufferViews.push_back(view);
    return int(gltf.bufferViews.size() - 1);
}

int addAccessor(tinygltf::Model& gltf, int view, int componentType, int type, size_t count)
{
    tinygltf::Accessor accessor;
    accessor.bufferView = view;
    accessor.componentType = componentType;
    accessor.type = type;
    accessor.count = count;
    gltf.accessors.push_back(accessor);
    return int(gltf.accessors.size() - 1);
}

int addFloats(tinygltf::Model& gltf, const std::vector<float>& values, int type, int components)
{
    const int view = addView(gltf, values.data(), values.size() * sizeof(float), TINYGLTF_TARGET_ARRAY_BUFFER);
    return addAccessor(gltf, view, TINYGLTF_COMPONENT_TYPE_FLOAT, type, values.size() / size_t(components));
}

// glTF texture references are URIs: forward slashes, spaces and other unsafe bytes percent-encoded.
std::string textureUri(const std::string& name)
{
    std::string uri;
    for (unsigned char c : name) {
        if (c == '\\')
            uri += '/';
        else if (c <= ' ' || c == '%' || c == '"' || c == '#' || c == '?' || c >= 0x7f) {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        } else
            uri += char(c);
    }
    return uri;
}

double clamp01(float value)
{
    return std::isfinite(value) ? std::min(1.0, std::max(0.0, double(value))) : 0.0;
}

void addMaterial(tinygltf::Model& gltf, const qaxMaterial& material)
{
    tinygltf::Material out;
    out.name = qaxText(material.header.name);
    out.pbrMetallicRoughness.metallicFactor = 0.0;
    out.pbrMetallicRoughness.roughnessFactor = material.flags.reflective ? 0.5 : 1.0;
    out.emissiveFactor = {clamp01(material.colors.incandescence[0]), clamp01(material.colors.incandescence[1]),
                          clamp01(material.colors.incandescence[2])};
    out.doubleSided = true;
    const std::string texture = material.textures.numTextures > 0 ? qaxText(material.textures.textures[0]) : "";
    if (texture.empty()) {
        out.pbrMetallicRoughness.baseColorFactor = {clamp01(material.colors.diffuse[0]),
                                                    clamp01(material.colors.diffuse[1]),
                                                    clamp01(material.colors.diffuse[2]), 1.0};
    } else {
        // The texture replaces the colour it is connected to, as it does in the host.
        tinygltf::Image image;
        image.uri = textureUri(texture);
        gltf.images.push_back(image);
        tinygltf::Texture gltfTexture;
        gltfTexture.source = int(gltf.images.size() - 1);
        gltfTexture.sampler = 0;
        gltf.textures.push_back(gltfTexture);
        out.pbrMetallicRoughness.baseColorFactor = {1.0, 1.0, 1.0, 1.0};
        out.pbrMetallicRoughness.baseColorTexture.index = int(gltf.textures.size() - 1);
    }
    gltf.materials.push_back(out);
}

void addObject(tinygltf::Model& gltf, const qaxObject& object, int index, int materialCount)
{
    const size_t count = size_t(object.vertices.numVertices);
    tinygltf::Primitive primitive;
    primitive.mode = TINYGLTF_MODE_TRIANGLES;
    primitive.material = object.header.materialID >= 0 && object.header.materialID < materialCount
                             ? object.header.materialID
                             : -1;

    std::vector<float> positions(object.vertices.vertices, object.vertices.vertices + 3 * count);
    const int position = addFloats(gltf, positions, TINYGLTF_TYPE_VEC3, 3);
    tinygltf::Accessor& bounds = gltf.accessors[size_t(position)];
    bounds.minValues.assign(3, DBL_MAX);
    bounds.maxValues.assign(3, -DBL_MAX);
    for (size_t v = 0; v < count; ++v)
        for (int c = 0; c < 3; ++c) {
            bounds.minValues[size_t(c)] = std::min(bounds.minValues[size_t(c)], double(positions[3 * v + size_t(c)]));
            bounds.maxValues[size_t(c)] = std::max(bounds.maxValues[size_t(c)], double(positions[3 * v + size_t(c)]));
        }
    primitive.attributes["POSITION"] = position;

    if (object.normals.numNormals == int(count) && count > 0) {
        std::vector<float> normals(object.normals.normals, object.normals.normals + 3 * count);
        for (size_t v = 0; v < count; ++v) {
            float* n = &normals[3 * v];
            const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            if (length > 0 && std::isfinite(length)) {
                n[0] /= length;
                n[1] /= length;
                n[2] /= length;
            } else {
                n[0] = 0;
                n[1] = 1;
                n[2] = 0;
            }
        }
        primitive.attributes["NORMAL"] = addFloats(gltf, normals, TINYGLTF_TYPE_VEC3, 3);
    }
    if (object.UVs.numUVs == int(count) && count > 0) {
        std::vector<float> uvs(object.UVs.UVs, object.UVs.UVs + 2 * count);
        for (size_t v = 0; v < count; ++v)
            uvs[2 * v + 1] = 1.0f - uvs[2 * v + 1];
        primitive.attributes["TEXCOORD_0"] = addFloats(gltf, uvs, TINYGLTF_TYPE_VEC2, 2);
    }
    if (object.vertexColors.present && object.vertexColors.numVertexColors == int(count) && count > 0) {
        std::vector<float> colours(object.vertexColors.vertexColors, object.vertexColors.vertexColors + 3 * count);
        for (float& value : colours)
            value = float(clamp01(value));
        primitive.attributes["COLOR_0"] = addFloats(gltf, colours, TINYGLTF_TYPE_VEC3, 3);
    }
    if (object.indices.numIndices > 0) {
        const int view = addView(gltf, object.indices.indices, size_t(object.indices.numIndices) * sizeof(uint16_t),
                                 TINYGLTF_TARGET_ELEMENT_ARRAY_BUFFER);
        primitive.indices = addAccessor(gltf, view, TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT, TINYGLTF_TYPE_SCALAR,
                                        size_t(object.indices.numIndices));
    }

    tinygltf::Mesh mesh;
    mesh.name = "object" + std::to_string(index);
    mesh.primitives.push_back(primitive);
    gltf.meshes.push_back(mesh);
    tinygltf::Node node;
    node.name = mesh.name;
    node.mesh = int(gltf.meshes.size() - 1);
    gltf.nodes.push_back(node);
    gltf.scenes[0].nodes.push_back(int(gltf.nodes.size() - 1));
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    if (text.size() < suffix.size())
        return false;
    for (size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) != suffix[i])
            return false;
    return true;
}

} // namespace

bool writeGltf(const qaxModel& model, const std::string& path, std::string& error)
{
    tinygltf::Model gltf;
    gltf.asset.version = "2.0";
    gltf.asset.generator = "qaxexport";
    gltf.buffers.resize(1);
    gltf.scenes.resize(1);
    gltf.defaultScene = 0;
    tinygltf::Sampler sampler;
    sampler.wrapS = TINYGLTF_TEXTURE_WRAP_REPEAT;
    sampler.wrapT = TINYGLTF_TEXTURE_WRAP_REPEAT;
    gltf.samplers.push_back(sampler);
    for (int m = 0; m < model.materials.numMaterials; ++m)
        addMaterial(gltf, model.materials.materials[m]);
    if (gltf.textures.empty())
        gltf.samplers.clear();
    for (int o = 0; o < model.objects.numObjects; ++o)
        if (model.objects.objects[o].vertices.numVertices > 0)
            addObject(gltf, model.objects.objects[o], o, model.materials.numMaterials);
    if (gltf.buffers[0].data.empty())
        gltf.buffers.clear();

    tinygltf::TinyGLTF writer;
    // Texture files are referred to, never read or written.
    writer.SetImageWriter(nullptr, nullptr);
    const bool binary = endsWith(path, ".glb");
    if (!writer.WriteGltfSceneToFile(&gltf, path, false, true, true, binary)) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace qaxtools
