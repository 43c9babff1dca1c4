#pragma once
// Output models built by hand for the writer and reader tests, and an independent serialisation of
// the format that records where every field lies.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "output/qax_model.h"

namespace qaxtest {

enum FieldKind { FIELD_TAG, FIELD_LENGTH, FIELD_COUNT, FIELD_STRING_LENGTH, FIELD_VALUE };

struct Field {
    size_t offset;
    FieldKind kind;
    std::string name; // the tag, or the tag of the chunk the field belongs to
};

// Appends little-endian values one by one and notes each field, so tests can spell a file out and
// then corrupt any field of it.
class ByteLayout {
public:
    void tag(const char* tag);
    void length(const char* chunk, int32_t value) { int32(FIELD_LENGTH, chunk, value); }
    void count(const char* chunk, int32_t value) { int32(FIELD_COUNT, chunk, value); }
    void value(int32_t value) { int32(FIELD_VALUE, "", value); }
    void value(float value);
    void index(uint16_t value) { append(&value, 2); }
    void string(const char* chunk, const std::string& text);
    void int32(FieldKind kind, const char* chunk, int32_t value);

    std::vector<unsigned char> bytes;
    std::vector<Field> fields;

private:
    void append(const void* data, size_t size);
};

// The format's rule, written from scratch in the test: the bytes a model stands for, with its
// stored lengths and counts (like the writer, nothing is recomputed here).
void serializeReference(const qaxModel& model, ByteLayout& layout);

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
// Sets every length and fileLength from the counts and string lengths, by the format's rule.
void computeLengths(qaxModel& model);

} // namespace qaxtest
