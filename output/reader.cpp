#include "output/reader.h"

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <sys/mman.h>
#include <sys/stat.h>

#include "model/allocation.h"
#include "output/free_qax_model.h"

// Values are copied straight from the file's bytes, which matches memory only on little-endian hosts.
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "reader.cpp copies values as they lie in the file: the .qax format needs a little-endian host"
#endif
static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4, "float32 must be IEEE 754 single");

namespace {

enum { CHUNK_PATH_SIZE = 1024, DETAIL_SIZE = 512, OPEN_CHUNKS_MAX = 2 * QAX_MAX_MATERIAL_DEPTH + 8 };

// Smallest encodings, used to refuse a count before allocating for it: a MAT0 with two empty
// strings, no texture and no sub-material; a GOB1 with empty arrays; an empty string.
const size_t MINIMUM_MATERIAL_BYTES = 188;
const size_t MINIMUM_OBJECT_BYTES = 92;
const size_t MINIMUM_STRING_BYTES = 2;

// A chunk whose header was read and whose contents are being read.
struct OpenChunk {
    const char* tag;
    size_t lengthOffset;
    int32_t length;
};

struct Parser {
    const unsigned char* data;
    size_t size;
    size_t offset; // next byte to read; never above size
    char* error;
    size_t errorSize;
    bool failed;
    char chunkPath[CHUNK_PATH_SIZE]; // "GEOB > GOB1[2] > VERT", names the chunk in messages
    size_t chunkPathLength;
    OpenChunk open[OPEN_CHUNKS_MAX]; // the chunk being read and those enclosing it
    int openCount;
};

void writeMessage(char* buffer, size_t bufferSize, const char* format, ...) __attribute__((format(printf, 3, 4)));
void writeMessage(char* buffer, size_t bufferSize, const char* format, ...)
{
    if (!buffer || bufferSize == 0)
        return;
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, bufferSize, format, args);
    va_end(args);
}

void fail(Parser& parser, size_t offset, const char* format, ...) __attribute__((format(printf, 3, 4)));
void fail(Parser& parser, size_t offset, const char* format, ...)
{
    if (parser.failed)
        return; // the first problem is the one worth reporting
    parser.failed = true;
    char detail[DETAIL_SIZE];
    va_list args;
    va_start(args, format);
    vsnprintf(detail, sizeof(detail), format, args);
    va_end(args);
    writeMessage(parser.error, parser.errorSize, "offset %zu, chunk %s: %s", offset,
                 parser.chunkPathLength ? parser.chunkPath : "QAX1", detail);
}

// Names the chunk being read for the lifetime of the scope: "MATS > MAT0[1] > MTEX".
struct ChunkScope {
    Parser& parser;
    size_t savedLength;

    ChunkScope(Parser& p, const char* tag, int32_t index = -1) : parser(p), savedLength(p.chunkPathLength)
    {
        size_t room = CHUNK_PATH_SIZE - savedLength;
        int written = index >= 0 ? snprintf(p.chunkPath + savedLength, room, "%s%s[%d]", savedLength ? " > " : "", tag, index)
                                 : snprintf(p.chunkPath + savedLength, room, "%s%s", savedLength ? " > " : "", tag);
        p.chunkPathLength = written < 0 ? savedLength : (size_t(written) < room ? savedLength + written : CHUNK_PATH_SIZE - 1);
    }
    ~ChunkScope()
    {
        parser.chunkPathLength = savedLength;
        parser.chunkPath[savedLength] = '\0';
    }
    ChunkScope(const ChunkScope&) = delete;
    ChunkScope& operator=(const ChunkScope&) = delete;
};

// Every read goes through here, bounded by the end of the input and nothing else: lengths are
// checked against the contents once they are read (finishChunk), which names the length at fault.
bool readRaw(Parser& parser, void* destination, size_t count, const char* what)
{
    if (parser.failed)
        return false;
    size_t left = parser.size - parser.offset;
    if (count > left) {
        fail(parser, parser.offset, "expected %s (%zu bytes), but only %zu bytes are left", what, count, left);
        return false;
    }
    if (count)
        memcpy(destination, parser.data + parser.offset, count);
    parser.offset += count;
    return true;
}

template <class T>
bool readValue(Parser& parser, T& value, const char* what)
{
    return readRaw(parser, &value, sizeof(T), what);
}

// Allocates and fills count entries of an array under label; count 0 leaves the array null.
template <class T>
bool readArray(Parser& parser, const char* label, T*& array, size_t count)
{
    if (parser.failed)
        return false;
    if (count == 0)
        return true;
    size_t left = parser.size - parser.offset;
    if (count > left / sizeof(T)) {
        fail(parser, parser.offset, "expected %zu values of %zu bytes, but only %zu bytes are left", count, sizeof(T), left);
        return false;
    }
    array = allocateArray<T>(label, count);
    if (!array) {
        fail(parser, parser.offset, "out of memory for %zu values", count);
        return false;
    }
    return readRaw(parser, array, count * sizeof(T), "the array's values");
}

void describeTag(const unsigned char* tag, char* text, size_t textSize)
{
    bool printable = true;
    for (int i = 0; i < 4; ++i)
        printable = printable && tag[i] >= 0x20 && tag[i] < 0x7F;
    if (printable)
        snprintf(text, textSize, "'%c%c%c%c'", tag[0], tag[1], tag[2], tag[3]);
    else
        snprintf(text, textSize, "bytes %02X %02X %02X %02X", tag[0], tag[1], tag[2], tag[3]);
}

bool expectTag(Parser& parser, const char* tag)
{
    size_t at = parser.offset;
    unsigned char found[4];
    char what[32];
    snprintf(what, sizeof(what), "tag '%s'", tag);
    if (!readRaw(parser, found, 4, what))
        return false;
    if (memcmp(found, tag, 4) != 0) {
        char text[32];
        describeTag(found, text, sizeof(text));
        fail(parser, at, "expected tag '%s', found %s", tag, text);
        return false;
    }
    return true;
}

bool nextTagIs(const Parser& parser, const char* tag)
{
    return !parser.failed && parser.size - parser.offset >= 4 && memcmp(parser.data + parser.offset, tag, 4) == 0;
}

// Opens a chunk: reads its tag and length and checks that the length is not negative and fits in
// the rest of the input. lengthOffset receives where the length field lies, for later messages.
bool readChunkHeader(Parser& parser, const char* tag, int32_t& length, size_t& lengthOffset)
{
    if (!expectTag(parser, tag))
        return false;
    lengthOffset = parser.offset;
    if (!readValue(parser, length, "the chunk length"))
        return false;
    if (length < 0) {
        fail(parser, lengthOffset, "expected a chunk length of at least 0, found %d", length);
        return false;
    }
    size_t left = parser.size - parser.offset;
    if (size_t(length) > left) {
        fail(parser, lengthOffset, "length %d runs past the end of the file: only %zu bytes are left", length, left);
        return false;
    }
    if (parser.openCount == OPEN_CHUNKS_MAX) {
        fail(parser, lengthOffset - 4, "chunks nest deeper than %d levels", int(OPEN_CHUNKS_MAX));
        return false;
    }
    parser.open[parser.openCount++] = {tag, lengthOffset, length};
    return true;
}

// A chunk of fixed size: its length must be exactly expected.
bool readFixedChunkHeader(Parser& parser, const char* tag, int32_t expected, int32_t& length)
{
    size_t lengthOffset = 0;
    if (!readChunkHeader(parser, tag, length, lengthOffset))
        return false;
    if (length != expected) {
        fail(parser, lengthOffset, "expected length %d, found %d", expected, length);
        return false;
    }
    return true;
}

// An array chunk: length, then a count of entries of entrySize bytes each; the length must be
// 4 + entrySize x count.
bool readArrayChunkHeader(Parser& parser, const char* tag, size_t entrySize, int32_t& length,
                          int32_t& count, size_t& countOffset)
{
    size_t lengthOffset = 0;
    if (!readChunkHeader(parser, tag, length, lengthOffset))
        return false;
    countOffset = parser.offset;
    if (!readValue(parser, count, "the entry count"))
        return false;
    if (count < 0) {
        fail(parser, countOffset, "expected an entry count of at least 0, found %d", count);
        return false;
    }
    long long expected = 4 + (long long)entrySize * count;
    if (expected != length) {
        fail(parser, lengthOffset, "expected length 4 + %zu x %d = %lld, found %d", entrySize, count, expected, length);
        return false;
    }
    return true;
}

// Closes the chunk being read: its length must be what was read after its length field, and it must
// end within the chunk that holds it. A chunk that runs past its parent blames the parent's length,
// since the chunk itself was found to hold exactly what its own length says.
bool finishChunk(Parser& parser)
{
    if (parser.failed)
        return false;
    const OpenChunk& chunk = parser.open[--parser.openCount];
    size_t contents = parser.offset - (chunk.lengthOffset + 4);
    if (contents != size_t(chunk.length)) {
        fail(parser, chunk.lengthOffset, "expected length %zu (the size of its contents), found %d", contents, chunk.length);
        return false;
    }
    if (parser.openCount > 0) {
        const OpenChunk& parent = parser.open[parser.openCount - 1];
        size_t parentEnd = parent.lengthOffset + 4 + size_t(parent.length);
        if (parser.offset > parentEnd) {
            fail(parser, parent.lengthOffset, "length %d of the enclosing %s ends at offset %zu, before this chunk ends at offset %zu",
                 parent.length, parent.tag, parentEnd, parser.offset);
            return false;
        }
    }
    return true;
}

// Reads the count of a chunk of variable-sized entries and refuses one that the bytes left could not
// hold, before anything is allocated for it. Whether the chunk's length agrees is checked once its
// entries are read, so that a wrong length is reported where it lies.
bool readEntryCount(Parser& parser, size_t minimumEntryBytes, int32_t& count)
{
    size_t countOffset = parser.offset;
    if (!readValue(parser, count, "the entry count"))
        return false;
    if (count < 0) {
        fail(parser, countOffset, "expected an entry count of at least 0, found %d", count);
        return false;
    }
    size_t left = parser.size - parser.offset;
    if (size_t(count) > left / minimumEntryBytes) {
        fail(parser, countOffset, "entry count %d cannot fit: each entry takes at least %zu bytes and only %zu are left",
             count, minimumEntryBytes, left);
        return false;
    }
    return true;
}

bool readString(Parser& parser, qaxString& string)
{
    size_t at = parser.offset;
    memset(&string, 0, sizeof(string));
    if (!readValue(parser, string.length, "a string length"))
        return false;
    if (string.length > QAX_STRING_SIZE) {
        fail(parser, at, "expected a string length of at most %d, found %u", QAX_STRING_SIZE, unsigned(string.length));
        return false;
    }
    return readRaw(parser, string.text, string.length, "the string's text");
}

bool readMaterial(Parser& parser, qaxMaterial& material, int depth);

// MSUB: sub-materials, each a whole MAT0, nested at most QAX_MAX_MATERIAL_DEPTH deep.
bool readSubMaterials(Parser& parser, qaxMaterial& material, int depth)
{
    ChunkScope scope(parser, "MSUB");
    size_t lengthOffset = 0;
    if (!readChunkHeader(parser, "MSUB", material.subMaterials.length, lengthOffset) ||
        !readEntryCount(parser, MINIMUM_MATERIAL_BYTES, material.subMaterials.numSubMaterials))
        return false;
    int32_t count = material.subMaterials.numSubMaterials;
    if (count > 0 && depth >= QAX_MAX_MATERIAL_DEPTH) {
        fail(parser, lengthOffset + 4, "sub-materials nest deeper than %d levels", QAX_MAX_MATERIAL_DEPTH);
        return false;
    }
    if (count > 0) {
        material.subMaterials.subMaterials = allocateArray<qaxMaterial>("m->subMaterials.subMaterials", size_t(count));
        if (!material.subMaterials.subMaterials) {
            fail(parser, parser.offset, "out of memory for %d sub-materials", count);
            return false;
        }
    }
    for (int32_t i = 0; i < count; ++i) {
        ChunkScope entry(parser, "MAT0", i);
        if (!readMaterial(parser, material.subMaterials.subMaterials[i], depth + 1))
            return false;
    }
    return finishChunk(parser);
}

bool readMaterial(Parser& parser, qaxMaterial& material, int depth)
{
    size_t lengthOffset = 0;
    if (!readChunkHeader(parser, "MAT0", material.length, lengthOffset))
        return false;
    {
        ChunkScope scope(parser, "MHDR");
        size_t headerLengthOffset = 0;
        if (!readChunkHeader(parser, "MHDR", material.header.length, headerLengthOffset) ||
            !readString(parser, material.header.name) || !readString(parser, material.header.type) ||
            !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "MCOL");
        if (!readFixedChunkHeader(parser, "MCOL", 68, material.colors.length) ||
            !readValue(parser, material.colors.ambient, "the ambient colour") ||
            !readValue(parser, material.colors.diffuse, "the diffuse colour") ||
            !readValue(parser, material.colors.specular, "the specular colour") ||
            !readValue(parser, material.colors.incandescence, "the incandescence colour") ||
            !readValue(parser, material.colors.eccentricityScaled, "the scaled eccentricity") ||
            !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "MCFL");
        if (!readFixedChunkHeader(parser, "MCFL", 4, material.flags.length) ||
            !readValue(parser, material.flags.reflective, "the reflective flag") || !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "MUVW");
        if (!readFixedChunkHeader(parser, "MUVW", 28, material.uvw.length) ||
            !readValue(parser, material.uvw.values, "the seven texture-placement values") || !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "MTRA");
        if (!readFixedChunkHeader(parser, "MTRA", 8, material.translucence.length) ||
            !readValue(parser, material.translucence.coeff, "the translucence coefficient") ||
            !readValue(parser, material.translucence.enabled, "the translucence flag") || !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "MTEX");
        size_t texturesLengthOffset = 0;
        if (!readChunkHeader(parser, "MTEX", material.textures.length, texturesLengthOffset) ||
            !readEntryCount(parser, MINIMUM_STRING_BYTES, material.textures.numTextures))
            return false;
        int32_t count = material.textures.numTextures;
        if (count > 0) {
            material.textures.textures = allocateArray<qaxString>("m->textures.textures", size_t(count));
            if (!material.textures.textures) {
                fail(parser, parser.offset, "out of memory for %d texture names", count);
                return false;
            }
        }
        for (int32_t i = 0; i < count; ++i)
            if (!readString(parser, material.textures.textures[i]))
                return false;
        if (!finishChunk(parser))
            return false;
    }
    if (!readSubMaterials(parser, material, depth))
        return false;
    {
        ChunkScope scope(parser, "MEND");
        if (!expectTag(parser, "MEND"))
            return false;
    }
    return finishChunk(parser);
}

// VCOL, TVER and NORM hold one entry per vertex.
bool checkVertexCount(Parser& parser, size_t countOffset, int32_t count, const qaxObject& object)
{
    if (count != object.vertices.numVertices) {
        fail(parser, countOffset, "expected count %d (the VERT count), found %d", object.vertices.numVertices, count);
        return false;
    }
    return true;
}

bool readObject(Parser& parser, qaxObject& object)
{
    size_t lengthOffset = 0;
    size_t countOffset = 0;
    if (!readChunkHeader(parser, "GOB1", object.length, lengthOffset))
        return false;
    {
        ChunkScope scope(parser, "GHDR");
        if (!readFixedChunkHeader(parser, "GHDR", 12, object.header.length) ||
            !readValue(parser, object.header.reserved0, "the first reserved value") ||
            !readValue(parser, object.header.reserved1, "the second reserved value") ||
            !readValue(parser, object.header.materialID, "the material index") || !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "INDI");
        if (!readArrayChunkHeader(parser, "INDI", 2, object.indices.length, object.indices.numIndices, countOffset) ||
            !readArray(parser, "o->indices.indices", object.indices.indices, size_t(object.indices.numIndices)) ||
            !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "VERT");
        if (!readArrayChunkHeader(parser, "VERT", 12, object.vertices.length, object.vertices.numVertices, countOffset) ||
            !readArray(parser, "o->vertices.vertices", object.vertices.vertices, size_t(object.vertices.numVertices) * 3) ||
            !finishChunk(parser))
            return false;
    }
    if (nextTagIs(parser, "VCOL")) {
        ChunkScope scope(parser, "VCOL");
        object.vertexColors.present = 1;
        if (!readArrayChunkHeader(parser, "VCOL", 12, object.vertexColors.length,
                                  object.vertexColors.numVertexColors, countOffset) ||
            !checkVertexCount(parser, countOffset, object.vertexColors.numVertexColors, object) ||
            !readArray(parser, "o->vertexColors.vertexColors", object.vertexColors.vertexColors,
                       size_t(object.vertexColors.numVertexColors) * 3) ||
            !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "TVER");
        if (!readArrayChunkHeader(parser, "TVER", 8, object.UVs.length, object.UVs.numUVs, countOffset) ||
            !checkVertexCount(parser, countOffset, object.UVs.numUVs, object) ||
            !readArray(parser, "o->UVs.UVs", object.UVs.UVs, size_t(object.UVs.numUVs) * 2) || !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "NORM");
        if (!readArrayChunkHeader(parser, "NORM", 12, object.normals.length, object.normals.numNormals, countOffset) ||
            !checkVertexCount(parser, countOffset, object.normals.numNormals, object) ||
            !readArray(parser, "o->normals.normals", object.normals.normals, size_t(object.normals.numNormals) * 3) ||
            !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "BRST");
        if (!readArrayChunkHeader(parser, "BRST", 16, object.bursts.length, object.bursts.numBursts, countOffset))
            return false;
        size_t bursts = size_t(object.bursts.numBursts);
        if (!readArray(parser, "o->bursts.burstStart", object.bursts.burstStart, bursts) ||
            !readArray(parser, "o->bursts.burstCount", object.bursts.burstCount, bursts) ||
            !readArray(parser, "o->bursts.burstMaterialID", object.bursts.burstMaterialID, bursts) ||
            !readArray(parser, "o->bursts.burstVperP", object.bursts.burstVperP, bursts) || !finishChunk(parser))
            return false;
    }
    {
        ChunkScope scope(parser, "GEND");
        if (!expectTag(parser, "GEND"))
            return false;
    }
    return finishChunk(parser);
}

bool readMaterialList(Parser& parser, qaxModel& model)
{
    ChunkScope scope(parser, "MATS");
    size_t lengthOffset = 0;
    if (!readChunkHeader(parser, "MATS", model.materials.length, lengthOffset) ||
        !readEntryCount(parser, MINIMUM_MATERIAL_BYTES, model.materials.numMaterials))
        return false;
    int32_t count = model.materials.numMaterials;
    if (count > 0) {
        model.materials.materials = allocateArray<qaxMaterial>("qaxModel->materials.materials", size_t(count));
        if (!model.materials.materials) {
            fail(parser, parser.offset, "out of memory for %d materials", count);
            return false;
        }
    }
    for (int32_t i = 0; i < count; ++i) {
        ChunkScope entry(parser, "MAT0", i);
        if (!readMaterial(parser, model.materials.materials[i], 0))
            return false;
    }
    return finishChunk(parser);
}

bool readObjectList(Parser& parser, qaxModel& model)
{
    ChunkScope scope(parser, "GEOB");
    size_t lengthOffset = 0;
    if (!readChunkHeader(parser, "GEOB", model.objects.length, lengthOffset) ||
        !readEntryCount(parser, MINIMUM_OBJECT_BYTES, model.objects.numObjects))
        return false;
    int32_t count = model.objects.numObjects;
    if (count > 0) {
        model.objects.objects = allocateArray<qaxObject>("qaxModel->objects.objects", size_t(count));
        if (!model.objects.objects) {
            fail(parser, parser.offset, "out of memory for %d objects", count);
            return false;
        }
    }
    for (int32_t i = 0; i < count; ++i) {
        ChunkScope entry(parser, "GOB1", i);
        if (!readObject(parser, model.objects.objects[i]))
            return false;
    }
    return finishChunk(parser);
}

bool readModel(Parser& parser, qaxModel& model)
{
    // Reads are bounded by the end of the input only; each chunk's length is checked against what its
    // contents took and against its parent once it is read, so a wrong length is reported on the
    // chunk that carries it.
    {
        ChunkScope scope(parser, "QAX1");
        if (!expectTag(parser, "QAX1") || !readValue(parser, model.fileLength, "the file length"))
            return false;
        if ((long long)model.fileLength != (long long)parser.size - 8) {
            fail(parser, 4, "expected file length %zu - 8 = %lld, found %d", parser.size, (long long)parser.size - 8,
                 model.fileLength);
            return false;
        }
    }
    if (!readMaterialList(parser, model) || !readObjectList(parser, model))
        return false;
    ChunkScope scope(parser, "EQAX");
    if (!expectTag(parser, "EQAX"))
        return false;
    if (parser.offset != parser.size) {
        fail(parser, parser.offset, "expected the end of the file, found %zu more bytes", parser.size - parser.offset);
        return false;
    }
    return true;
}

} // namespace

bool parseQAX(const unsigned char* data, size_t size, qaxModel& model, char* error, size_t errorSize)
{
    memset(&model, 0, sizeof(model));
    writeMessage(error, errorSize, "%s", "");
    Parser parser;
    memset(&parser, 0, sizeof(parser));
    parser.data = data;
    parser.size = data ? size : 0;
    parser.error = error;
    parser.errorSize = errorSize;
    if (readModel(parser, model))
        return true;
    freeQAXModel(model);
    memset(&model, 0, sizeof(model));
    return false;
}

bool readQAXFile(const char* path, qaxModel& model, char* error, size_t errorSize)
{
    memset(&model, 0, sizeof(model));
    writeMessage(error, errorSize, "%s", "");
    FILE* file = fopen(path, "rb");
    if (!file) {
        writeMessage(error, errorSize, "Could not open '%s' for reading: %s", path, strerror(errno));
        return false;
    }
    unsigned char* data = nullptr;
    size_t size = 0;
    bool complete = true;
    // A regular file is mapped: its arrays are copied once, from the page cache into the model, instead of
    // through a buffer of the file's size as well.
    struct stat info;
    void* mapping = MAP_FAILED;
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        mapping = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fileno(file), 0);
    if (mapping != MAP_FAILED) {
        data = static_cast<unsigned char*>(mapping);
        size = size_t(info.st_size);
    } else {
        // Read to the end rather than trusting a size from the file system, which pipes do not have.
        size_t capacity = 0;
        for (;;) {
            if (size == capacity) {
                size_t grown = capacity ? capacity * 2 : 65536;
                unsigned char* larger = static_cast<unsigned char*>(realloc(data, grown));
                if (!larger) {
                    writeMessage(error, errorSize, "Could not read '%s': out of memory after %zu bytes", path, size);
                    complete = false;
                    break;
                }
                data = larger;
                capacity = grown;
            }
            size_t got = fread(data + size, 1, capacity - size, file);
            size += got;
            if (got == 0)
                break;
        }
        if (complete && ferror(file)) {
            writeMessage(error, errorSize, "Could not read '%s': %s", path, strerror(errno));
            complete = false;
        }
    }
    fclose(file);

    bool parsed = false;
    if (complete) {
        char detail[DETAIL_SIZE + CHUNK_PATH_SIZE];
        parsed = parseQAX(data, size, model, detail, sizeof(detail));
        if (!parsed)
            writeMessage(error, errorSize, "'%s': %s", path, detail);
    }
    if (mapping != MAP_FAILED)
        munmap(mapping, size);
    else
        free(data);
    return parsed;
}

bool validateQAXIndices(const qaxModel& model, char* error, size_t errorSize)
{
    writeMessage(error, errorSize, "%s", "");
    if (!model.objects.objects)
        return true;
    for (int32_t i = 0; i < model.objects.numObjects; ++i) {
        const qaxObject& object = model.objects.objects[i];
        if (object.indices.numIndices > 0 && !object.indices.indices) {
            writeMessage(error, errorSize, "object %d: %d indices but no index array", i, object.indices.numIndices);
            return false;
        }
        for (int32_t j = 0; j < object.indices.numIndices; ++j) {
            int32_t value = object.indices.indices[j];
            if (value >= object.vertices.numVertices) {
                writeMessage(error, errorSize, "object %d, index %d of %d: value %d is not below the vertex count %d", i, j,
                             object.indices.numIndices, value, object.vertices.numVertices);
                return false;
            }
        }
    }
    return true;
}
