#include "output/writer.h"

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "log/log.h"

// Arrays are written straight from memory, which matches the file only on little-endian machines.
#if !defined(__BYTE_ORDER__) || __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "writer.cpp copies values as they lie in memory: the .qax format needs a little-endian host (or byte swapping added to writeValues)"
#endif
static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4, "float32 must be IEEE 754 single");

namespace {

struct OutputFile {
    FILE* file;
    int error; // errno of the first failed write; later writes are skipped once it is set
};

void writeValues(OutputFile& out, const void* values, size_t valueSize, size_t count)
{
    if (out.error != 0 || count == 0)
        return;
    if (!values) {
        // A count without its array: refuse rather than write a file that lies about its contents.
        out.error = EFAULT;
        return;
    }
    errno = 0;
    if (fwrite(values, valueSize, count, out.file) != count)
        out.error = errno != 0 ? errno : EIO;
}

// Negative counts are written as stored but stand for no elements.
size_t elements(int32_t count, size_t perEntry)
{
    return count > 0 ? size_t(count) * perEntry : 0;
}

void writeTag(OutputFile& out, const char* tag)
{
    writeValues(out, tag, 1, 4);
}

void writeInt32(OutputFile& out, int32_t value)
{
    writeValues(out, &value, sizeof(value), 1);
}

void writeFloat(OutputFile& out, float value)
{
    writeValues(out, &value, sizeof(value), 1);
}

void writeChunkStart(OutputFile& out, const char* tag, int32_t length)
{
    writeTag(out, tag);
    writeInt32(out, length);
}

// A chunk that holds a count and then the count's entries, perEntry values of valueSize bytes each.
void writeCountedChunk(OutputFile& out, const char* tag, int32_t length, int32_t count, const void* values,
                       size_t valueSize, size_t perEntry)
{
    writeChunkStart(out, tag, length);
    writeInt32(out, count);
    writeValues(out, values, valueSize, elements(count, perEntry));
}

void writeString(OutputFile& out, const qaxString& string)
{
    assert(string.length <= QAX_STRING_SIZE);
    writeValues(out, &string.length, sizeof(string.length), 1);
    // Never read past the text field, whatever the length claims.
    size_t length = string.length <= QAX_STRING_SIZE ? size_t(string.length) : size_t(QAX_STRING_SIZE);
    writeValues(out, string.text, 1, length);
}

void writeMaterial(OutputFile& out, const qaxMaterial& material)
{
    writeChunkStart(out, "MAT0", material.length);

    writeChunkStart(out, "MHDR", material.header.length);
    writeString(out, material.header.name);
    writeString(out, material.header.type);

    writeChunkStart(out, "MCOL", material.colors.length);
    writeValues(out, material.colors.ambient, sizeof(float), 4);
    writeValues(out, material.colors.diffuse, sizeof(float), 4);
    writeValues(out, material.colors.specular, sizeof(float), 4);
    writeValues(out, material.colors.incandescence, sizeof(float), 4);
    writeFloat(out, material.colors.eccentricityScaled);

    writeChunkStart(out, "MCFL", material.flags.length);
    writeInt32(out, material.flags.reflective);

    writeChunkStart(out, "MUVW", material.uvw.length);
    writeValues(out, material.uvw.values, sizeof(float), 7);

    writeChunkStart(out, "MTRA", material.translucence.length);
    writeFloat(out, material.translucence.coeff);
    writeInt32(out, material.translucence.enabled);

    writeChunkStart(out, "MTEX", material.textures.length);
    writeInt32(out, material.textures.numTextures);
    for (int32_t i = 0; i < material.textures.numTextures && out.error == 0; ++i)
        writeString(out, material.textures.textures[i]);

    writeChunkStart(out, "MSUB", material.subMaterials.length);
    writeInt32(out, material.subMaterials.numSubMaterials);
    for (int32_t i = 0; i < material.subMaterials.numSubMaterials && out.error == 0; ++i)
        writeMaterial(out, material.subMaterials.subMaterials[i]);

    writeTag(out, "MEND");
}

void writeObject(OutputFile& out, const qaxObject& object)
{
    writeChunkStart(out, "GOB1", object.length);

    writeChunkStart(out, "GHDR", object.header.length);
    writeInt32(out, object.header.reserved0);
    writeInt32(out, object.header.reserved1);
    writeInt32(out, object.header.materialID);

    writeCountedChunk(out, "INDI", object.indices.length, object.indices.numIndices, object.indices.indices,
                      sizeof(uint16_t), 1);
    writeCountedChunk(out, "VERT", object.vertices.length, object.vertices.numVertices, object.vertices.vertices,
                      sizeof(float), 3);
    if (object.vertexColors.present)
        writeCountedChunk(out, "VCOL", object.vertexColors.length, object.vertexColors.numVertexColors,
                          object.vertexColors.vertexColors, sizeof(float), 3);
    writeCountedChunk(out, "TVER", object.UVs.length, object.UVs.numUVs, object.UVs.UVs, sizeof(float), 2);
    writeCountedChunk(out, "NORM", object.normals.length, object.normals.numNormals, object.normals.normals,
                      sizeof(float), 3);

    writeChunkStart(out, "BRST", object.bursts.length);
    writeInt32(out, object.bursts.numBursts);
    size_t bursts = elements(object.bursts.numBursts, 1);
    writeValues(out, object.bursts.burstStart, sizeof(int32_t), bursts);
    writeValues(out, object.bursts.burstCount, sizeof(int32_t), bursts);
    writeValues(out, object.bursts.burstMaterialID, sizeof(int32_t), bursts);
    writeValues(out, object.bursts.burstVperP, sizeof(int32_t), bursts);

    writeTag(out, "GEND");
}

void writeModel(OutputFile& out, const qaxModel& model)
{
    writeTag(out, "QAX1");
    writeInt32(out, model.fileLength);

    writeChunkStart(out, "MATS", model.materials.length);
    writeInt32(out, model.materials.numMaterials);
    for (int32_t i = 0; i < model.materials.numMaterials && out.error == 0; ++i)
        writeMaterial(out, model.materials.materials[i]);

    writeChunkStart(out, "GEOB", model.objects.length);
    writeInt32(out, model.objects.numObjects);
    for (int32_t i = 0; i < model.objects.numObjects && out.error == 0; ++i)
        writeObject(out, model.objects.objects[i]);

    writeTag(out, "EQAX");
}

void logOpenFailure(const char* path)
{
    logPrint(0, "writeOutQAXFile: Could not open file '%s' for writing\n", path);
}

// Creates a new, empty file named after target in target's directory. O_EXCL never reuses a name
// that exists, and the 0666 request leaves the usual permission bits to the umask.
int createTemporaryFile(const char* target, char* temporaryPath, size_t temporarySize)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        snprintf(temporaryPath, temporarySize, "%s.tmp-%ld-%u", target, long(getpid()), counter++);
        int descriptor = open(temporaryPath, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

} // namespace

bool writeOutQAXFile(const char* path, const qaxModel& model)
{
    assert(path);
    logPrint(0, "Writing out qax file...\n");

    // An existing file is replaced the way truncating it would have: through a symbolic link, and
    // keeping its permission bits.
    char* resolvedPath = nullptr;
    const char* target = path;
    struct stat existing;
    bool targetExists = stat(path, &existing) == 0;
    if (path[0] == '\0' || (targetExists && S_ISDIR(existing.st_mode))) {
        logOpenFailure(path);
        return false;
    }
    if (targetExists) {
        struct stat link;
        if (lstat(path, &link) == 0 && S_ISLNK(link.st_mode)) {
            resolvedPath = realpath(path, nullptr);
            if (resolvedPath)
                target = resolvedPath;
        }
    }

    size_t temporarySize = strlen(target) + 32;
    char* temporaryPath = static_cast<char*>(malloc(temporarySize));
    int descriptor = temporaryPath ? createTemporaryFile(target, temporaryPath, temporarySize) : -1;
    FILE* file = nullptr;
    if (descriptor >= 0) {
        if (targetExists && S_ISREG(existing.st_mode))
            (void)fchmod(descriptor, existing.st_mode & 07777); // the old bits are a courtesy only
        file = fdopen(descriptor, "wb");
        if (!file) {
            close(descriptor);
            unlink(temporaryPath);
        }
    }
    if (!file) {
        logOpenFailure(path);
        free(temporaryPath);
        free(resolvedPath);
        return false;
    }

    OutputFile out = {file, 0};
    writeModel(out, model);
    // Buffered bytes fail only here: a full disk shows up in the flush or the close.
    errno = 0;
    if (fflush(file) != 0 && out.error == 0)
        out.error = errno != 0 ? errno : EIO;
    if (ferror(file) && out.error == 0)
        out.error = EIO;
    errno = 0;
    if (fclose(file) != 0 && out.error == 0)
        out.error = errno != 0 ? errno : EIO;

    bool written = out.error == 0;
    if (!written) {
        unlink(temporaryPath);
        logPrint(0, "Error: Could not write qax file '%s': %s. Any file already there was left unchanged.\n", path,
                 strerror(out.error));
    } else if (rename(temporaryPath, target) != 0) {
        int renameError = errno;
        unlink(temporaryPath);
        logPrint(0, "Error: Could not put the written qax file in place at '%s': %s. Any file already there was left unchanged.\n",
                 path, strerror(renameError));
        written = false;
    }
    free(temporaryPath);
    free(resolvedPath);
    if (!written)
        return false;

    logPrint(0, "Successful...\n");
    return true;
}
