#include "scene_readers/interchange/material_conversion.h"

#include "library_scenes.h"

#include <assimp/GltfMaterial.h>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using interchange::describeMaterial;
using interchange::ShaderDescription;
using interchange::ShaderKind;
using interchange::textureFileName;

// A property as the library's readers add one (texts by a call of their own).
template <typename T>
void add(aiMaterial& m, const T& value, const char* key, unsigned type, unsigned index)
{
    m.AddProperty(&value, 1, key, type, index);
}

void add(aiMaterial& m, const aiString& value, const char* key, unsigned type, unsigned index)
{
    m.AddProperty(&value, key, type, index);
}

// A material as the OBJ reader makes one from an MTL entry.
std::unique_ptr<aiMaterial> mtlMaterial(const char* name, int illum, float ks, float ns, float d, const char* mapKd)
{
    std::unique_ptr<aiMaterial> m(interchangetest::makeMaterial(name));
    add(*m, int(illum == 2 ? aiShadingMode_Phong : aiShadingMode_Gouraud), AI_MATKEY_SHADING_MODEL);
    add(*m, aiColor3D(0.1f, 0.2f, 0.3f), AI_MATKEY_COLOR_AMBIENT);
    add(*m, aiColor3D(0.8f, 0.4f, 0.2f), AI_MATKEY_COLOR_DIFFUSE);
    add(*m, aiColor3D(ks, ks, ks), AI_MATKEY_COLOR_SPECULAR);
    add(*m, aiColor3D(0.0f, 0.5f, 0.0f), AI_MATKEY_COLOR_EMISSIVE);
    add(*m, ns, AI_MATKEY_SHININESS);
    add(*m, d, AI_MATKEY_OPACITY);
    if (mapKd != nullptr)
        add(*m, aiString(mapKd), AI_MATKEY_TEXTURE_DIFFUSE(0));
    return m;
}

TEST(MaterialConversion, ClosestShaderAndColours)
{
    struct Case {
        const char* name;
        std::unique_ptr<aiMaterial> material;
        ShaderKind kind;
        bool specular;
        float transparency; // < 0: none
        double cosinePower, eccentricity;
        const char* texture;
    };
    std::vector<Case> cases;
    cases.push_back({"phong with highlight", mtlMaterial("shiny", 2, 0.5f, 30.0f, 1.0f, "tex/brick.png"),
                     ShaderKind::Phong, true, -1.0f, 30.0, 0.0, "tex/brick.png"});
    cases.push_back({"black specular is a lambert", mtlMaterial("matte", 2, 0.0f, 30.0f, 1.0f, nullptr),
                     ShaderKind::Lambert, false, -1.0f, 0.0, 0.0, ""});
    cases.push_back({"half transparent", mtlMaterial("glass", 1, 0.0f, 0.0f, 0.25f, nullptr), ShaderKind::Lambert,
                     false, 0.75f, 0.0, 0.0, ""});
    cases.push_back({"tiny exponent raised to 2", mtlMaterial("dull", 2, 1.0f, 0.5f, 1.0f, nullptr),
                     ShaderKind::Phong, true, -1.0f, 2.0, 0.0, ""});
    {
        std::unique_ptr<aiMaterial> blinn = mtlMaterial("metal", 2, 0.9f, 98.0f, 1.0f, nullptr);
        blinn->RemoveProperty(AI_MATKEY_SHADING_MODEL);
        add(*blinn, int(aiShadingMode_Blinn), AI_MATKEY_SHADING_MODEL);
        cases.push_back({"blinn shading", std::move(blinn), ShaderKind::Blinn, true, -1.0f, 0.0, std::sqrt(2.0 / 100.0), ""});
    }
    {
        // glTF metallic-roughness: base colour and its texture, alpha ignored in opaque mode.
        std::unique_ptr<aiMaterial> pbr(interchangetest::makeMaterial("gold"));
        add(*pbr, aiColor4D(1.0f, 0.8f, 0.2f, 0.5f), AI_MATKEY_BASE_COLOR);
        add(*pbr, 0.5f, AI_MATKEY_OPACITY);
        add(*pbr, aiString("OPAQUE"), AI_MATKEY_GLTF_ALPHAMODE);
        add(*pbr, aiString("textures/Gold.png"), AI_MATKEY_TEXTURE(aiTextureType_BASE_COLOR, 0));
        cases.push_back({"glTF opaque", std::move(pbr), ShaderKind::Lambert, false, -1.0f, 0.0, 0.0, "textures/Gold.png"});
    }
    {
        std::unique_ptr<aiMaterial> blend(interchangetest::makeMaterial("ghost"));
        add(*blend, 0.4f, AI_MATKEY_OPACITY);
        add(*blend, aiString("BLEND"), AI_MATKEY_GLTF_ALPHAMODE);
        cases.push_back({"glTF blend", std::move(blend), ShaderKind::Lambert, false, 0.6f, 0.0, 0.0, ""});
    }
    {
        // Strengths scale the specular and emitted colours.
        std::unique_ptr<aiMaterial> strong(interchangetest::makeMaterial("strong"));
        add(*strong, aiColor3D(0.2f, 0.2f, 0.2f), AI_MATKEY_COLOR_SPECULAR);
        add(*strong, 2.0f, AI_MATKEY_SHININESS_STRENGTH);
        add(*strong, aiColor3D(0.5f, 0.25f, 0.0f), AI_MATKEY_COLOR_EMISSIVE);
        add(*strong, 4.0f, AI_MATKEY_EMISSIVE_INTENSITY);
        cases.push_back({"strengths", std::move(strong), ShaderKind::Phong, true, -1.0f, 0.0, 0.0, ""});
    }
    for (const Case& c : cases) {
        const ShaderDescription d = describeMaterial(*c.material);
        EXPECT_EQ(int(d.kind), int(c.kind)) << c.name;
        EXPECT_EQ(d.specular.present, c.specular) << c.name;
        EXPECT_EQ(d.transparency.present, c.transparency >= 0.0f) << c.name;
        if (c.transparency >= 0.0f) {
            EXPECT_NEAR(d.transparency.rgb[0], c.transparency, 1e-6) << c.name;
        }
        EXPECT_NEAR(d.cosinePower, c.cosinePower, 1e-9) << c.name;
        EXPECT_NEAR(d.eccentricity, c.eccentricity, 1e-6) << c.name;
        EXPECT_EQ(d.texture, c.texture) << c.name;
        EXPECT_FALSE(d.libraryDefault) << c.name;
    }
    // The MTL colours arrive as they are.
    const ShaderDescription shiny = describeMaterial(*cases[0].material);
    EXPECT_EQ(shiny.name, "shiny");
    EXPECT_FLOAT_EQ(shiny.diffuse.rgb[1], 0.4f);
    EXPECT_FLOAT_EQ(shiny.ambient.rgb[2], 0.3f);
    EXPECT_FLOAT_EQ(shiny.incandescence.rgb[1], 0.5f);
    EXPECT_FLOAT_EQ(shiny.specular.rgb[0], 0.5f);
    const ShaderDescription gold = describeMaterial(*cases[5].material);
    EXPECT_TRUE(gold.diffuse.present);
    EXPECT_FLOAT_EQ(gold.diffuse.rgb[1], 0.8f);
    const ShaderDescription strong = describeMaterial(*cases[7].material);
    EXPECT_FLOAT_EQ(strong.specular.rgb[0], 0.4f);
    EXPECT_FLOAT_EQ(strong.incandescence.rgb[0], 2.0f);
    EXPECT_FLOAT_EQ(strong.incandescence.rgb[1], 1.0f);
}

TEST(MaterialConversion, TextureFileNames)
{
    aiScene scene;
    scene.mNumTextures = 2;
    scene.mTextures = new aiTexture*[2];
    scene.mTextures[0] = new aiTexture();
    std::strcpy(scene.mTextures[0]->achFormatHint, "png");
    scene.mTextures[1] = new aiTexture();
    scene.mTextures[1]->mFilename = aiString("packed/Wood.jpg");
    struct Case {
        const char* texture;
        const char* directory;
        const char* expected;
        bool note;
    };
    const Case cases[] = {
        {"", "/scenes", "", false},
        {"tex/brick.png", "/scenes", "/scenes/tex/brick.png", false},
        {"tex\\brick.png", "/scenes/", "/scenes/tex/brick.png", false},
        {"./brick.png", "/scenes", "/scenes/brick.png", false},
        {"/abs/brick.png", "/scenes", "/abs/brick.png", false},
        {"C:\\maps\\brick.png", "/scenes", "C:\\maps\\brick.png", false},
        {"brick.png", "", "brick.png", false},
        {"*0", "/scenes", "embedded0.png", true},
        {"*1", "/scenes", "Wood.jpg", true},
        {"*7", "/scenes", "embedded7", true},
    };
    for (const Case& c : cases) {
        std::string note;
        EXPECT_EQ(textureFileName(c.texture, c.directory, scene, note), c.expected) << c.texture;
        EXPECT_EQ(!note.empty(), c.note) << c.texture << ": " << note;
    }
}

} // namespace
