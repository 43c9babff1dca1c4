#pragma once
// Output models built by hand for the writer, reader and comparison tests.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "output/qax_model.h"

namespace qaxtest {

// The bytes the writer puts out for model (through a file in a temporary directory).
std::vector<unsigned char> writtenBytes(const qaxModel& model);

// Builders: arrays are allocated under the conversion's labels and released by freeQAXModel.
void setString(qaxString& string, const std::string& text);
// A material named name of type "Standard" with the given texture names and values derived from seed;
// lengths are left for computeLengths.
qaxMaterial makeMaterial(const std::string& name, const std::vector<std::string>& textures, int seed);
// Gives material the sub-materials (copied bitwise; material takes over their arrays).
void setSubMaterials(qaxMaterial& material, const std::vector<qaxMaterial>& subMaterials);
// An object of numVertices vertices, numIndices indices (values below numVertices), numBursts bursts,
// with vertex colours when colours is set; values derived from seed.
qaxObject makeObject(int32_t numVertices, int32_t numIndices, int32_t numBursts, bool colours, int seed);
// A model holding the materials and objects (copied bitwise; the model takes over their arrays).
qaxModel makeModel(const std::vector<qaxMaterial>& materials, const std::vector<qaxObject>& objects);
// The format's worked example: one material with an 8-character name and an empty texture name, one
// triangle, no vertex colours.
qaxModel workedExample();
// Every feature at once: sub-materials two deep, several and no texture names, 64-character names, a NaN
// colour, objects with and without colours, an empty object, an index (65535) past the vertex count.
qaxModel richModel();
// Sets every length and fileLength from the counts and string lengths, by the format's rule.
void computeLengths(qaxModel& model);

} // namespace qaxtest
