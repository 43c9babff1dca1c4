// The tool's two views of an exported model, the summary and the glTF file, of one small model built by hand.
#include "tools/gltf_export.h"
#include "tools/qax_summary.h"

#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <tiny_gltf.h>

#include <cstring>

using namespace qaxtools;

namespace {

// A plain red material and a textured, reflective one; a quad at height 2 in the second, with vertex colours, and
// one at -1 in the first. Normals (0 2 0) and (0 0 0) and colours outside 0..1 are for the glTF file to mend.
struct TwoQuads {
    qaxMaterial materials[2]{};
    qaxString textures[2] = {{0, ""}, {22, "source images\\wood.png"}};
    qaxObject objects[2]{};
    uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
    float vertices[2][12] = {{0, 2, 0, 1, 2, 0, 1, 2, 1, 0, 2, 1}, {0, -1, 0, 1, -1, 0, 1, -1, 1, 0, -1, 1}};
    float uvs[8] = {0, 0, 1, 0, 1, 1, 0, 1};
    float normals[12] = {0, 2, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0};
    float colours[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 2, 2, -1};
    qaxModel model{};

    TwoQuads()
    {
        const float diffuse[2][4] = {{0.8f, 0.1f, 0.1f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}};
        for (int m = 0; m < 2; ++m) {
            materials[m].header.name = m == 0 ? qaxString{3, "red"} : qaxString{4, "wood"};
            materials[m].header.type = {8, "Standard"};
            std::memcpy(materials[m].colors.diffuse, diffuse[m], sizeof diffuse[m]);
            materials[m].colors.eccentricityScaled = 38.4f;
            materials[m].flags.reflective = m;
            materials[m].textures.numTextures = 1;
            materials[m].textures.textures = &textures[m];
        }
        for (int o = 0; o < 2; ++o) {
            qaxObject& object = objects[o];
            object.header.materialID = 1 - o;
            object.indices = {0, 6, indices};
            object.vertices = {0, 4, vertices[o]};
            object.UVs = {0, 4, uvs};
            object.normals = {0, 4, normals};
        }
        objects[0].vertexColors = {1, 0, 4, colours};
        model.materials = {0, 2, materials};
        model.objects = {0, 2, objects};
    }
};

bool ignoreImages(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*, int, void*)
{
    return true;
}

template <typename T>
std::vector<T> accessorValues(const tinygltf::Model& model, int accessorIndex, size_t components)
{
    const tinygltf::Accessor& accessor = model.accessors[size_t(accessorIndex)];
    const tinygltf::BufferView& view = model.bufferViews[size_t(accessor.bufferView)];
    const unsigned char* data = model.buffers[size_t(view.buffer)].data.data() + view.byteOffset + accessor.byteOffset;
    std::vector<T> values(accessor.count * components);
    std::memcpy(values.data(), data, values.size() * sizeof(T));
    return values;
}

} // namespace

TEST(QaxSummary, CountsAndDescribesMaterialsAndObjects)
{
    const TwoQuads quads;
    const std::string text = formatSummaryText(quads.model, "scene.qax");
    const char* expectedLines[] = {
        "scene.qax: 2 materials, 2 objects, 4 triangles, 8 vertices\n",
        "  0 \"red\" (Standard)\n",
        "      diffuse 0.8 0.1 0.1 1  ambient 0 0 0 0\n",
        "      eccentricity x 128 38.4  reflective yes  translucence 0\n",
        "      texture \"source images\\\\wood.png\"\n", // quoted as in JSON
        "  0 material 1 \"wood\": 2 triangles, 4 vertices, vertex colours yes\n",
        "      bounds (0 2 0) .. (1 2 1)  indices 0..3\n",
        "  1 material 0 \"red\": 2 triangles, 4 vertices, vertex colours no\n",
    };
    for (const char* line : expectedLines)
        EXPECT_NE(text.find(line), std::string::npos) << line << "\nin\n" << text;

    const nlohmann::json json = nlohmann::json::parse(formatSummaryJson(quads.model, "scene.qax"));
    // Only the wood's texture counts: the red material's is empty.
    EXPECT_EQ(json["totals"],
              nlohmann::json::parse(R"({"materials":2,"objects":2,"textures":1,"triangles":4,"vertices":8})"));
    EXPECT_EQ(json["materials"][1]["textures"][0], "source images\\wood.png");
    EXPECT_EQ(json["materials"][0]["reflective"], false);
    EXPECT_EQ(json["objects"][0]["material"], 1);
    EXPECT_EQ(json["objects"][1]["bounds"]["min"][1], -1.0);
    EXPECT_EQ(json["objects"][1]["indexRange"][1], 3);
    EXPECT_EQ(json["objects"][0]["vertexColors"], true);
}

// Every position, index and material of the model is what the glTF library's own reader finds, in both forms.
TEST(GltfExport, AgreesWithTheModelThroughTheGltfReader)
{
    const TwoQuads quads;
    const qaxModel& model = quads.model;
    testsupport::TempDir dir;
    for (const char* name : {"view.gltf", "view.glb"}) {
        const std::string path = dir.file(name);
        std::string error, warning;
        ASSERT_TRUE(writeGltf(model, path, error)) << error;
        tinygltf::TinyGLTF loader;
        loader.SetImageLoader(ignoreImages, nullptr);
        tinygltf::Model gltf;
        const bool binary = std::string(name).find(".glb") != std::string::npos;
        ASSERT_TRUE(binary ? loader.LoadBinaryFromFile(&gltf, &error, &warning, path)
                           : loader.LoadASCIIFromFile(&gltf, &error, &warning, path))
            << error;

        ASSERT_EQ(gltf.materials.size(), 2u) << name;
        EXPECT_EQ(gltf.materials[0].name, "red");
        EXPECT_EQ(gltf.materials[0].pbrMetallicRoughness.baseColorFactor,
                  (std::vector<double>{0.800000011920929, 0.10000000149011612, 0.10000000149011612, 1.0}));
        const int texture = gltf.materials[1].pbrMetallicRoughness.baseColorTexture.index;
        ASSERT_GE(texture, 0);
        EXPECT_EQ(gltf.images[size_t(gltf.textures[size_t(texture)].source)].uri, "source%20images/wood.png");

        ASSERT_EQ(gltf.meshes.size(), 2u) << name;
        for (int o = 0; o < 2; ++o) {
            const qaxObject& object = model.objects.objects[o];
            const tinygltf::Primitive& primitive = gltf.meshes[size_t(o)].primitives[0];
            EXPECT_EQ(primitive.material, object.header.materialID);
            EXPECT_EQ(accessorValues<float>(gltf, primitive.attributes.at("POSITION"), 3),
                      std::vector<float>(object.vertices.vertices, object.vertices.vertices + 12));
            EXPECT_EQ(accessorValues<uint16_t>(gltf, primitive.indices, 1),
                      std::vector<uint16_t>(object.indices.indices, object.indices.indices + 6));
            const std::vector<float> uv = accessorValues<float>(gltf, primitive.attributes.at("TEXCOORD_0"), 2);
            EXPECT_EQ(uv[5], 1.0f - object.UVs.UVs[5]);
            const std::vector<float> normals = accessorValues<float>(gltf, primitive.attributes.at("NORMAL"), 3);
            EXPECT_EQ(normals[1], 1.0f); // (0 2 0) normalised
            EXPECT_EQ(normals[7], 1.0f); // (0 0 0) replaced by +Y
            EXPECT_EQ(primitive.attributes.count("COLOR_0"), object.vertexColors.present ? 1u : 0u);
        }
        const std::vector<float> colours =
            accessorValues<float>(gltf, gltf.meshes[0].primitives[0].attributes.at("COLOR_0"), 3);
        EXPECT_EQ(colours[9], 1.0f);  // 2 clamped
        EXPECT_EQ(colours[11], 0.0f); // -1 clamped
    }
    std::string error;
    EXPECT_FALSE(writeGltf(model, "/nonexistent-directory/view.gltf", error));
    EXPECT_EQ(error, "cannot write /nonexistent-directory/view.gltf");
}
