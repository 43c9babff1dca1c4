#pragma once
// Writes an output model as glTF 2.0 so that an export can be looked at in any glTF viewer: one mesh
// and node per object (positions, normals, texture coordinates, vertex colours, 16-bit indices) and
// one material per .qax material (its diffuse colour, incandescence as emission, its texture as the
// base colour texture, referred to by its name).

#include "output/qax_model.h"

#include <string>

namespace qaxtools {

// Writes `model` to path: a .glb name gives the binary form, anything else a .gltf text file with the
// buffer embedded. Texture coordinates are flipped to glTF's top-left origin (v' = 1 - v), normals
// normalised (zero normals become +Y), colours clamped to 0..1. Objects without vertices are left out.
// Returns false with a message in error when the file cannot be written.
bool writeGltf(const qaxModel& model, const std::string& path, std::string& error);

} // namespace qaxtools
