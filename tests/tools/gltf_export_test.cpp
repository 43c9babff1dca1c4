#include "tools/gltf_export.h"

#include "support/test_support.h"
#include "tools/qax_summary.h"
#include "tools_fixtures.h"

#include <gtest/gtest.h>
#include <tiny_gltf.h>

#include <cstring>

using namespace qaxtools;

namespace {

bool ignoreImages(tinygltf::Image*, const int, std::string*, std::string*, int, int, const unsigned char*, int, void*)
{
    return true;
}

// The glTF library's own reader, with texture files left unread.
tinygltf::Model loadGltf(const std::string& path, bool binary)
{
    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(ignoreImages, nullptr);
    tinygltf::Model model;
    std::string error, warning;
    const bool ok = binary ? loader.LoadBinaryFromFile(&model, &error, &warning, path)
                           : loader.LoadASCIIFromFile(&model, &error, &warning, path);
    EXPECT_TRUE(ok) << error;
    return model;
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

// Every position, index and material of the model is what the glTF reader finds, in both forms.
TEST(GltfExport, AgreesWithTheModelThroughTheGltfReader)
{
    toolstest::ModelFixture fixture;
    fixture.addMaterial("red", 0.8f, 0.1f, 0.1f, "", false);
    fixture.addMaterial("wood", 0.5f, 0.5f, 0.5f, "source images\\wood.png", true);
    fixture.addQuad(1, 2.0f, true);
    fixture.addQuad(0, -1.0f, false);
    const qaxModel& model = fixture.finish();
    testsupport::TempDir dir;

    for (const char* name : {"view.gltf", "view.glb"}) {
        const std::string path = dir.file(name);
        std::string error;
        ASSERT_TRUE(writeGltf(model, path, error)) << error;
        const tinygltf::Model gltf = loadGltf(path, std::string(name).find(".glb") != std::string::npos);

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
            EXPECT_EQ(normals[1], 1.0f);  // (0 2 0) normalised
            EXPECT_EQ(normals[7], 1.0f);  // (0 0 0) replaced by +Y
            EXPECT_EQ(primitive.attributes.count("COLOR_0"), object.vertexColors.present ? 1u : 0u);
        }
        const std::vector<float> colours =
            accessorValues<float>(gltf, gltf.meshes[0].primitives[0].attributes.at("COLOR_0"), 3);
        EXPECT_EQ(colours[9], 1.0f);   // 2 clamped
        EXPECT_EQ(colours[11], 0.0f);  // -1 clamped
    }
}

TEST(GltfExport, ReportsAnUnwritablePath)
{
    toolstest::ModelFixture fixture;
    fixture.addMaterial("red", 1, 0, 0, "", false);
    fixture.addQuad(0, 0, false);
    std::string error;
    EXPECT_FALSE(writeGltf(fixture.finish(), "/nonexistent-directory/view.gltf", error));
    EXPECT_EQ(error, "cannot write /nonexistent-directory/view.gltf");
}
