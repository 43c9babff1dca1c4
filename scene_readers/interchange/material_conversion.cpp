#include "scene_readers/interchange/material_conversion.h"

#include <assimp/GltfMaterial.h>
#include <assimp/material.h>
#include <assimp/scene.h>

#include <headless/scene.h>

#include <algorithm>
#include <cmath>

namespace interchange {

namespace {

ShaderColour readColour(const aiMaterial& material, const char* key, unsigned type, unsigned index)
{
    ShaderColour colour;
    aiColor4D value;
    if (material.Get(key, type, index, value) == aiReturn_SUCCESS && std::isfinite(value.r) &&
        std::isfinite(value.g) && std::isfinite(value.b)) {
        colour.present = true;
        colour.rgb[0] = value.r;
        colour.rgb[1] = value.g;
        colour.rgb[2] = value.b;
    }
    return colour;
}

bool readFloat(const aiMaterial& material, const char* key, unsigned type, unsigned index, float& value)
{
    return material.Get(key, type, index, value) == aiReturn_SUCCESS && std::isfinite(value);
}

bool isBlack(const ShaderColour& colour)
{
    return colour.rgb[0] <= 0.0f && colour.rgb[1] <= 0.0f && colour.rgb[2] <= 0.0f;
}

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isAbsolute(const std::string& path)
{
    return (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
           (path.size() > 2 && path[1] == ':' && (path[2] == '/' || path[2] == '\\'));
}

} // namespace

ShaderDescription describeMaterial(const aiMaterial& material)
{
    ShaderDescription description;
    aiString name;
    if (material.Get(AI_MATKEY_NAME, name) == aiReturn_SUCCESS)
        description.name = name.C_Str();
    description.libraryDefault = description.name == AI_DEFAULT_MATERIAL_NAME;

    description.diffuse = readColour(material, AI_MATKEY_COLOR_DIFFUSE);
    if (!description.diffuse.present)
        description.diffuse = readColour(material, AI_MATKEY_BASE_COLOR);
    description.ambient = readColour(material, AI_MATKEY_COLOR_AMBIENT);
    description.incandescence = readColour(material, AI_MATKEY_COLOR_EMISSIVE);
    float factor = 1.0f;
    if (description.incandescence.present && readFloat(material, AI_MATKEY_EMISSIVE_INTENSITY, factor))
        for (float& c : description.incandescence.rgb)
            c *= factor;
    description.specular = readColour(material, AI_MATKEY_COLOR_SPECULAR);
    if (description.specular.present && readFloat(material, AI_MATKEY_SHININESS_STRENGTH, factor))
        for (float& c : description.specular.rgb)
            c *= factor;

    float opacity = 1.0f;
    aiString alphaMode;
    const bool opaqueByMode =
        material.Get(AI_MATKEY_GLTF_ALPHAMODE, alphaMode) == aiReturn_SUCCESS && std::string(alphaMode.C_Str()) == "OPAQUE";
    if (!opaqueByMode && readFloat(material, AI_MATKEY_OPACITY, opacity) && opacity < 1.0f) {
        const float transparency = std::min(1.0f, std::max(0.0f, 1.0f - opacity));
        description.transparency.present = true;
        std::fill(description.transparency.rgb, description.transparency.rgb + 3, transparency);
    }

    if (description.specular.present && !isBlack(description.specular)) {
        int shadingModel = 0;
        const bool blinn = material.Get(AI_MATKEY_SHADING_MODEL, shadingModel) == aiReturn_SUCCESS &&
                           shadingModel == aiShadingMode_Blinn;
        description.kind = blinn ? ShaderKind::Blinn : ShaderKind::Phong;
        float shininess = 0.0f;
        if (readFloat(material, AI_MATKEY_SHININESS, shininess) && shininess > 0.0f) {
            if (blinn)
                description.eccentricity = std::sqrt(2.0 / (double(shininess) + 2.0));
            else
                description.cosinePower = std::max(2.0, double(shininess));
        }
    } else {
        description.specular.present = false;
    }

    aiString texture;
    if (material.GetTexture(aiTextureType_DIFFUSE, 0, &texture) == aiReturn_SUCCESS ||
        material.GetTexture(aiTextureType_BASE_COLOR, 0, &texture) == aiReturn_SUCCESS)
        description.texture = texture.C_Str();
    return description;
}

std::string textureFileName(const std::string& texture, const std::string& fileDirectory, const aiScene& scene,
                            std::string& note)
{
    note.clear();
    if (texture.empty())
        return "";
    const std::pair<const aiTexture*, int> embedded = scene.GetEmbeddedTextureAndIndex(texture.c_str());
    if (embedded.first != nullptr || texture[0] == '*') {
        std::string name = embedded.first != nullptr ? fileNameOf(embedded.first->mFilename.C_Str()) : "";
        if (name.empty()) {
            const std::string format = embedded.first != nullptr ? embedded.first->achFormatHint : "";
            std::string number = embedded.second >= 0 ? std::to_string(embedded.second) : "";
            for (size_t i = 1; embedded.second < 0 && i < texture.size() && texture[i] >= '0' && texture[i] <= '9'; ++i)
                number += texture[i];
            name = "embedded" + number + (format.empty() ? "" : "." + format);
        }
        note = "texture " + texture + " is stored inside the file; it is named " + name + " but no such file is written";
        return name;
    }
    if (isAbsolute(texture) || fileDirectory.empty())
        return texture;
    std::string relative = texture;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    while (relative.compare(0, 2, "./") == 0)
        relative.erase(0, 2);
    return fileDirectory + (fileDirectory.back() == '/' ? "" : "/") + relative;
}

ShaderNodes createShaderNodes(const ShaderDescription& description, const std::string& texturePath,
                              const std::string& fallbackName, NameRegistry& names)
{
    static const char* const typeNames[] = {"lambert", "phong", "blinn"};
    ShaderNodes nodes;
    const std::string shaderName = names.claim(description.name, fallbackName);
    nodes.shader = headless::createShader(typeNames[int(description.kind)], shaderName);
    auto setColour = [&](const char* attribute, const ShaderColour& colour) {
        if (colour.present)
            headless::setAttr(nodes.shader, attribute,
                              std::vector<double>{colour.rgb[0], colour.rgb[1], colour.rgb[2]});
    };
    setColour("color", description.diffuse);
    setColour("ambientColor", description.ambient);
    setColour("incandescence", description.incandescence);
    setColour("transparency", description.transparency);
    if (description.kind != ShaderKind::Lambert)
        setColour("specularColor", description.specular);
    if (description.kind == ShaderKind::Phong && description.cosinePower > 0)
        headless::setAttr(nodes.shader, "cosinePower", description.cosinePower);
    if (description.kind == ShaderKind::Blinn && description.eccentricity > 0)
        headless::setAttr(nodes.shader, "eccentricity", description.eccentricity);
    if (!texturePath.empty()) {
        nodes.fileTexture = headless::createFileTexture(names.claim(shaderName + "_file", "file"), texturePath);
        headless::connectTexture(nodes.fileTexture, nodes.shader, "color");
    }
    nodes.shadingGroup = headless::createShadingGroup(names.claim(shaderName + "SG", "shadingGroup"), nodes.shader);
    return nodes;
}

} // namespace interchange
