#pragma once
// The materials of an interchange file as host shaders: the closest shader type, its colours, the diffuse
// texture as a file texture on "color", and a shading group for the meshes that use it.

#include "scene_readers/interchange/node_names.h"

#include <maya/MObject.h>

#include <string>

struct aiMaterial;
struct aiScene;

namespace interchange {

enum class ShaderKind { Lambert, Phong, Blinn };

struct ShaderColour {
    bool present = false;
    float rgb[3] = {0, 0, 0};
};

// What a file's material says, in the host's terms.
struct ShaderDescription {
    std::string name;            // the file's name; empty when it has none
    bool libraryDefault = false; // the library's stand-in for faces that name no material
    ShaderKind kind = ShaderKind::Lambert;
    ShaderColour diffuse, ambient, incandescence, specular, transparency;
    double cosinePower = 0;      // phong highlight size; 0 = the host's default
    double eccentricity = 0;     // blinn highlight size; 0 = the host's default
    std::string texture;         // the diffuse (or base colour) texture as the file names it; empty for none
};

// Reads a material: diffuse from the diffuse colour (glTF: the metallic-roughness base colour), ambient,
// emissive as incandescence, specular (times its strength), transparency as 1 - opacity (ignored for glTF's
// opaque alpha mode). A non-black specular colour makes a blinn where the file asks for blinn shading, a phong
// otherwise, with the shininess as cosine power (at least 2) or as eccentricity sqrt(2 / (shininess + 2));
// everything else is a lambert.
ShaderDescription describeMaterial(const aiMaterial& material);

// The host's file texture name for a texture the file names: relative paths (either slash) are taken from
// fileDirectory; absolute ones are kept. An embedded texture ("*N", or a name the file carries inside it) has no
// file: it is named by its own file name, or "embeddedN.<format>", and note says so.
std::string textureFileName(const std::string& texture, const std::string& fileDirectory, const aiScene& scene,
                            std::string& note);

struct ShaderNodes {
    MObject shader, fileTexture, shadingGroup;
};

// Creates the shader of description (named after the material, or fallbackName), its file texture when
// texturePath is not empty, and its shading group "<shader>SG"; names come from names.
ShaderNodes createShaderNodes(const ShaderDescription& description, const std::string& texturePath,
                              const std::string& fallbackName, NameRegistry& names);

} // namespace interchange
