#pragma once
// Shared by the tools' tests: where the source tree lies, and small output models built by hand (the storage lives
// in the fixture).

#include "output/qax_model.h"

#include <cstring>
#include <string>
#include <vector>

namespace toolstest {

inline qaxString makeString(const std::string& text)
{
    qaxString s{};
    s.length = uint16_t(text.size());
    std::memcpy(s.text, text.data(), text.size());
    return s;
}

struct ModelFixture {
    std::vector<qaxMaterial> materials;
    std::vector<qaxString> textures;  // one per material
    std::vector<qaxObject> objects;
    std::vector<std::vector<uint16_t>> indices;
    std::vector<std::vector<float>> vertices, colours, uvs, normals;
    qaxModel model{};

    void addMaterial(const std::string& name, float r, float g, float b, const std::string& texture, bool reflective)
    {
        qaxMaterial m{};
        m.header.name = makeString(name);
        m.header.type = makeString("Standard");
        const float diffuse[4] = {r, g, b, 1.0f};
        std::memcpy(m.colors.diffuse, diffuse, sizeof diffuse);
        m.colors.eccentricityScaled = 38.4f;
        m.flags.reflective = reflective ? 1 : 0;
        materials.push_back(m);
        textures.push_back(makeString(texture));
    }

    // A quad of two triangles at height y, optionally with vertex colours.
    void addQuad(int material, float y, bool withColours)
    {
        qaxObject o{};
        o.header.materialID = material;
        indices.push_back({0, 1, 2, 0, 2, 3});
        vertices.push_back({0, y, 0, 1, y, 0, 1, y, 1, 0, y, 1});
        uvs.push_back({0, 0, 1, 0, 1, 1, 0, 1});
        normals.push_back({0, 2, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0});
        colours.push_back({1, 0, 0, 0, 1, 0, 0, 0, 1, 2, 2, -1});
        o.vertexColors.present = withColours ? 1 : 0;
        objects.push_back(o);
    }

    const qaxModel& finish()
    {
        for (size_t m = 0; m < materials.size(); ++m) {
            materials[m].textures.numTextures = 1;
            materials[m].textures.textures = &textures[m];
        }
        for (size_t o = 0; o < objects.size(); ++o) {
            qaxObject& object = objects[o];
            object.indices.numIndices = int32_t(indices[o].size());
            object.indices.indices = indices[o].data();
            object.vertices.numVertices = int32_t(vertices[o].size() / 3);
            object.vertices.vertices = vertices[o].data();
            object.UVs.numUVs = object.vertices.numVertices;
            object.UVs.UVs = uvs[o].data();
            object.normals.numNormals = object.vertices.numVertices;
            object.normals.normals = normals[o].data();
            if (object.vertexColors.present) {
                object.vertexColors.numVertexColors = object.vertices.numVertices;
                object.vertexColors.vertexColors = colours[o].data();
            }
        }
        model.materials.numMaterials = int32_t(materials.size());
        model.materials.materials = materials.data();
        model.objects.numObjects = int32_t(objects.size());
        model.objects.objects = objects.data();
        return model;
    }
};

} // namespace toolstest
