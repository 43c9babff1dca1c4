#include "output/compare.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

enum { WHERE_SIZE = 512 };

struct Comparison {
    char* difference;
    size_t differenceSize;
};

bool differ(Comparison& comparison, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool differ(Comparison& comparison, const char* format, ...)
{
    if (comparison.difference && comparison.differenceSize) {
        va_list args;
        va_start(args, format);
        vsnprintf(comparison.difference, comparison.differenceSize, format, args);
        va_end(args);
    }
    return false;
}

bool sameValue(Comparison& comparison, const char* where, const char* field, long long a, long long b)
{
    return a == b || differ(comparison, "%s %s: %lld vs %lld", where, field, a, b);
}

// Negative counts stand for no entries, as in the writer.
size_t entries(int32_t count, size_t perEntry)
{
    return count > 0 ? size_t(count) * perEntry : 0;
}

// An array its count says has entries must be there on both sides.
bool bothPresent(Comparison& comparison, const char* where, const char* field, const void* a, const void* b, size_t count)
{
    return count == 0 || (a && b) ||
           differ(comparison, "%s %s: array missing on the %s side", where, field, !a ? "first" : "second");
}

// Compares by bits: the file holds bits, and NaN != NaN would make a model differ from itself.
bool sameFloats(Comparison& comparison, const char* where, const char* field, const float* a, const float* b, size_t count)
{
    if (!bothPresent(comparison, where, field, a, b, count))
        return false;
    for (size_t i = 0; i < count; ++i) {
        uint32_t bitsA, bitsB;
        memcpy(&bitsA, &a[i], sizeof(bitsA));
        memcpy(&bitsB, &b[i], sizeof(bitsB));
        if (bitsA != bitsB)
            return differ(comparison, "%s %s[%zu]: %.9g (0x%08X) vs %.9g (0x%08X)", where, field, i, double(a[i]), bitsA,
                          double(b[i]), bitsB);
    }
    return true;
}

template <class T>
bool sameIntegers(Comparison& comparison, const char* where, const char* field, const T* a, const T* b, size_t count)
{
    if (!bothPresent(comparison, where, field, a, b, count))
        return false;
    for (size_t i = 0; i < count; ++i)
        if (a[i] != b[i])
            return differ(comparison, "%s %s[%zu]: %lld vs %lld", where, field, i, (long long)a[i], (long long)b[i]);
    return true;
}

// Only the first length bytes of the text are written; the rest of the field is not compared.
bool sameString(Comparison& comparison, const char* where, const char* field, const qaxString& a, const qaxString& b)
{
    if (a.length != b.length)
        return differ(comparison, "%s %s length: %u vs %u", where, field, unsigned(a.length), unsigned(b.length));
    size_t length = a.length <= QAX_STRING_SIZE ? size_t(a.length) : size_t(QAX_STRING_SIZE);
    if (memcmp(a.text, b.text, length) != 0)
        return differ(comparison, "%s %s: '%.*s' vs '%.*s'", where, field, int(length), a.text, int(length), b.text);
    return true;
}

bool sameMaterial(Comparison& comparison, const char* where, const qaxMaterial& a, const qaxMaterial& b)
{
    if (!sameValue(comparison, where, "MAT0 length", a.length, b.length) ||
        !sameValue(comparison, where, "MHDR length", a.header.length, b.header.length) ||
        !sameString(comparison, where, "name", a.header.name, b.header.name) ||
        !sameString(comparison, where, "type", a.header.type, b.header.type) ||
        !sameValue(comparison, where, "MCOL length", a.colors.length, b.colors.length) ||
        !sameFloats(comparison, where, "ambient", a.colors.ambient, b.colors.ambient, 4) ||
        !sameFloats(comparison, where, "diffuse", a.colors.diffuse, b.colors.diffuse, 4) ||
        !sameFloats(comparison, where, "specular", a.colors.specular, b.colors.specular, 4) ||
        !sameFloats(comparison, where, "incandescence", a.colors.incandescence, b.colors.incandescence, 4) ||
        !sameFloats(comparison, where, "eccentricityScaled", &a.colors.eccentricityScaled, &b.colors.eccentricityScaled, 1) ||
        !sameValue(comparison, where, "MCFL length", a.flags.length, b.flags.length) ||
        !sameValue(comparison, where, "reflective", a.flags.reflective, b.flags.reflective) ||
        !sameValue(comparison, where, "MUVW length", a.uvw.length, b.uvw.length) ||
        !sameFloats(comparison, where, "uvw", a.uvw.values, b.uvw.values, 7) ||
        !sameValue(comparison, where, "MTRA length", a.translucence.length, b.translucence.length) ||
        !sameFloats(comparison, where, "translucence coeff", &a.translucence.coeff, &b.translucence.coeff, 1) ||
        !sameValue(comparison, where, "translucence enabled", a.translucence.enabled, b.translucence.enabled) ||
        !sameValue(comparison, where, "MTEX length", a.textures.length, b.textures.length) ||
        !sameValue(comparison, where, "numTextures", a.textures.numTextures, b.textures.numTextures))
        return false;

    size_t textures = entries(a.textures.numTextures, 1);
    if (!bothPresent(comparison, where, "textures", a.textures.textures, b.textures.textures, textures))
        return false;
    for (size_t i = 0; i < textures; ++i) {
        char field[32];
        snprintf(field, sizeof(field), "texture %zu", i);
        if (!sameString(comparison, where, field, a.textures.textures[i], b.textures.textures[i]))
            return false;
    }

    if (!sameValue(comparison, where, "MSUB length", a.subMaterials.length, b.subMaterials.length) ||
        !sameValue(comparison, where, "numSubMaterials", a.subMaterials.numSubMaterials, b.subMaterials.numSubMaterials))
        return false;
    size_t subMaterials = entries(a.subMaterials.numSubMaterials, 1);
    if (!bothPresent(comparison, where, "sub-materials", a.subMaterials.subMaterials, b.subMaterials.subMaterials,
                     subMaterials))
        return false;
    for (size_t i = 0; i < subMaterials; ++i) {
        char inner[WHERE_SIZE];
        snprintf(inner, sizeof(inner), "%s > sub-material %zu", where, i);
        if (!sameMaterial(comparison, inner, a.subMaterials.subMaterials[i], b.subMaterials.subMaterials[i]))
            return false;
    }
    return true;
}

bool sameObject(Comparison& comparison, const char* where, const qaxObject& a, const qaxObject& b)
{
    if (!sameValue(comparison, where, "GOB1 length", a.length, b.length) ||
        !sameValue(comparison, where, "GHDR length", a.header.length, b.header.length) ||
        !sameValue(comparison, where, "reserved0", a.header.reserved0, b.header.reserved0) ||
        !sameValue(comparison, where, "reserved1", a.header.reserved1, b.header.reserved1) ||
        !sameValue(comparison, where, "materialID", a.header.materialID, b.header.materialID) ||
        !sameValue(comparison, where, "INDI length", a.indices.length, b.indices.length) ||
        !sameValue(comparison, where, "numIndices", a.indices.numIndices, b.indices.numIndices) ||
        !sameIntegers(comparison, where, "indices", a.indices.indices, b.indices.indices, entries(a.indices.numIndices, 1)) ||
        !sameValue(comparison, where, "VERT length", a.vertices.length, b.vertices.length) ||
        !sameValue(comparison, where, "numVertices", a.vertices.numVertices, b.vertices.numVertices) ||
        !sameFloats(comparison, where, "vertices", a.vertices.vertices, b.vertices.vertices, entries(a.vertices.numVertices, 3)))
        return false;

    bool presentA = a.vertexColors.present != 0;
    bool presentB = b.vertexColors.present != 0;
    if (presentA != presentB)
        return differ(comparison, "%s VCOL: %s vs %s", where, presentA ? "present" : "absent", presentB ? "present" : "absent");
    if (presentA &&
        (!sameValue(comparison, where, "VCOL length", a.vertexColors.length, b.vertexColors.length) ||
         !sameValue(comparison, where, "numVertexColors", a.vertexColors.numVertexColors, b.vertexColors.numVertexColors) ||
         !sameFloats(comparison, where, "vertexColors", a.vertexColors.vertexColors, b.vertexColors.vertexColors,
                     entries(a.vertexColors.numVertexColors, 3))))
        return false;

    size_t bursts = entries(a.bursts.numBursts, 1);
    return sameValue(comparison, where, "TVER length", a.UVs.length, b.UVs.length) &&
           sameValue(comparison, where, "numUVs", a.UVs.numUVs, b.UVs.numUVs) &&
           sameFloats(comparison, where, "UVs", a.UVs.UVs, b.UVs.UVs, entries(a.UVs.numUVs, 2)) &&
           sameValue(comparison, where, "NORM length", a.normals.length, b.normals.length) &&
           sameValue(comparison, where, "numNormals", a.normals.numNormals, b.normals.numNormals) &&
           sameFloats(comparison, where, "normals", a.normals.normals, b.normals.normals, entries(a.normals.numNormals, 3)) &&
           sameValue(comparison, where, "BRST length", a.bursts.length, b.bursts.length) &&
           sameValue(comparison, where, "numBursts", a.bursts.numBursts, b.bursts.numBursts) &&
           sameIntegers(comparison, where, "burstStart", a.bursts.burstStart, b.bursts.burstStart, bursts) &&
           sameIntegers(comparison, where, "burstCount", a.bursts.burstCount, b.bursts.burstCount, bursts) &&
           sameIntegers(comparison, where, "burstMaterialID", a.bursts.burstMaterialID, b.bursts.burstMaterialID, bursts) &&
           sameIntegers(comparison, where, "burstVperP", a.bursts.burstVperP, b.bursts.burstVperP, bursts);
}

} // namespace

bool compareQAXModels(const qaxModel& a, const qaxModel& b, char* difference, size_t differenceSize)
{
    Comparison comparison = {difference, differenceSize};
    if (difference && differenceSize)
        difference[0] = '\0';
    if (!sameValue(comparison, "model", "fileLength", a.fileLength, b.fileLength) ||
        !sameValue(comparison, "model", "MATS length", a.materials.length, b.materials.length) ||
        !sameValue(comparison, "model", "numMaterials", a.materials.numMaterials, b.materials.numMaterials) ||
        !sameValue(comparison, "model", "GEOB length", a.objects.length, b.objects.length) ||
        !sameValue(comparison, "model", "numObjects", a.objects.numObjects, b.objects.numObjects))
        return false;

    size_t materials = entries(a.materials.numMaterials, 1);
    if (!bothPresent(comparison, "model", "materials", a.materials.materials, b.materials.materials, materials))
        return false;
    for (size_t i = 0; i < materials; ++i) {
        char where[WHERE_SIZE];
        snprintf(where, sizeof(where), "material %zu", i);
        if (!sameMaterial(comparison, where, a.materials.materials[i], b.materials.materials[i]))
            return false;
    }

    size_t objects = entries(a.objects.numObjects, 1);
    if (!bothPresent(comparison, "model", "objects", a.objects.objects, b.objects.objects, objects))
        return false;
    for (size_t i = 0; i < objects; ++i) {
        char where[WHERE_SIZE];
        snprintf(where, sizeof(where), "object %zu", i);
        if (!sameObject(comparison, where, a.objects.objects[i], b.objects.objects[i]))
            return false;
    }
    return true;
}
