#include "output/convert.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "log/log.h"
#include "model/allocation.h"
#include "model/fixed_text.h"
#include "output/triangulate.h"
#include "plugin/settings.h"

namespace {

// Fixed parts of the chunk lengths: MAT0 without MHDR and MTEX, GOB1 without its array chunks.
enum { MATERIAL_FIXED_LENGTH = 172, OBJECT_FIXED_LENGTH = 64, FILE_FIXED_LENGTH = 20 };

// Where one output vertex comes from: a polygon of the mesh and one of its stored corners.
struct CornerSource {
    int32_t polygon;
    int32_t corner;
};

int32_t storedCorners(const Polygon& polygon)
{
    if (polygon.numVerts < 0)
        return 0;
    return polygon.numVerts > MAX_POLYGON_CORNERS ? MAX_POLYGON_CORNERS : polygon.numVerts;
}

int32_t trianglesOfPolygon(const Polygon& polygon)
{
    int32_t corners = storedCorners(polygon);
    return corners >= 3 ? corners - 2 : 0;
}

int64_t trianglesOfMesh(const Mesh& mesh)
{
    int64_t triangles = 0;
    for (int32_t j = 0; j < mesh.numPolygons; ++j)
        triangles += trianglesOfPolygon(mesh.polygons[j]);
    return triangles;
}

int32_t objectsForTriangles(int64_t triangles)
{
    if (triangles <= QAX_MAX_OBJECT_TRIANGLES)
        return 1;
    return int32_t((triangles + QAX_MAX_OBJECT_TRIANGLES - 1) / QAX_MAX_OBJECT_TRIANGLES);
}

// GOB1 length of an object of vertexCount vertices.
int64_t objectLength(int64_t vertexCount, bool withColors)
{
    int64_t length = (4 + 2 * vertexCount) + (4 + 12 * vertexCount) + (4 + 8 * vertexCount) +
                     (4 + 12 * vertexCount) + (4 + 16) + OBJECT_FIXED_LENGTH;
    if (withColors)
        length += (4 + 12 * vertexCount) + 8;
    return length;
}

// Copies width floats of entry index of values, or zeros when the index names no entry: a corner
// without a texture coordinate, normal or colour must not read outside the array. The width is fixed at
// compile time so that the copy of a few floats per corner is inlined rather than a call.
template <int32_t width>
void copyOrZero(float* destination, const float* values, int32_t index, int32_t count)
{
    if (index >= 0 && index < count && values) {
        memcpy(destination, values + size_t(index) * width, sizeof(float) * width);
    } else {
        for (int32_t i = 0; i < width; ++i)
            destination[i] = 0.0f;
    }
}

void setString(qaxString& string, const char* text, size_t length)
{
    memset(string.text, 0, sizeof string.text);
    memcpy(string.text, text, length);
    string.length = uint16_t(length);
}

void convertMaterial(const Material& material, qaxMaterial& out)
{
    setString(out.header.name, material.name, strnlen(material.name, NAME_SIZE - 1));
    setString(out.header.type, "Standard", 8);
    out.header.length = 4 + out.header.name.length + out.header.type.length;

    memcpy(out.colors.ambient, material.ambientColor, sizeof out.colors.ambient);
    memcpy(out.colors.diffuse, material.color, sizeof out.colors.diffuse);
    // A black diffuse colour means "not set" to the readers of the file.
    if (material.color[0] == 0.0f && material.color[1] == 0.0f && material.color[2] == 0.0f) {
        out.colors.diffuse[0] = 1.0f;
        out.colors.diffuse[1] = 1.0f;
        out.colors.diffuse[2] = 1.0f;
    }
    memcpy(out.colors.specular, material.specularColor, sizeof out.colors.specular);
    memcpy(out.colors.incandescence, material.incandescence, sizeof out.colors.incandescence);
    out.colors.eccentricityScaled = material.eccentricity * 128.0f;
    out.colors.length = 68;

    out.flags.reflective = material.reflectivity != 0.0f ? 1 : 0;
    out.flags.length = 4;

    const float uvw[7] = {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f};
    memcpy(out.uvw.values, uvw, sizeof uvw);
    out.uvw.length = 28;

    out.translucence.coeff = material.translucenceCoeff;
    out.translucence.enabled = material.translucenceCoeff != 0.0f ? 1 : 0;
    out.translucence.length = 8;

    char texture[PATH_SIZE];
    memcpy(texture, material.colorTexture, PATH_SIZE - 1);
    texture[PATH_SIZE - 1] = '\0';
    if (!useProjectRelativePaths)
        stripTexturePath(texture);
    size_t length = strlen(texture);
    if (length > QAX_STRING_SIZE)
        length = QAX_STRING_SIZE;
    setString(out.textures.textures[0], texture, length);
    out.textures.length = 6 + int32_t(length);

    out.subMaterials.numSubMaterials = 0;
    out.subMaterials.subMaterials = nullptr;
    out.subMaterials.length = 4;

    out.length = out.header.length + out.textures.length + MATERIAL_FIXED_LENGTH;
}

bool convertMaterials(const Model& model, qaxModel& output)
{
    int32_t count = model.numMaterials > 0 && model.materials ? model.numMaterials : 0;
    output.materials.numMaterials = count;
    output.materials.materials = allocateArray<qaxMaterial>("qaxModel->materials.materials", size_t(count));
    if (!output.materials.materials)
        return false;
    int64_t length = 4;
    for (int32_t i = 0; i < count; ++i) {
        qaxMaterial& out = output.materials.materials[i];
        out.textures.numTextures = 1;
        out.textures.textures = allocateArray<qaxString>("m->textures.textures", 1);
        if (!out.textures.textures)
            return false;
        convertMaterial(model.materials[i], out);
        length += 8 + out.length;
    }
    output.materials.length = int32_t(length);
    return true;
}

// Splits polygon j of the mesh into triangles of its corners, 3 local corner numbers each; returns how many.
int32_t splitPolygon(const Mesh& mesh, int32_t j, int32_t* triangles)
{
    const Polygon& polygon = mesh.polygons[j];
    int32_t corners = storedCorners(polygon);
    if (corners < 3)
        return 0;
    float points[3 * MAX_POLYGON_CORNERS];
    bool positioned = true;
    for (int32_t k = 0; k < corners && positioned; ++k) {
        int32_t v = polygon.vertIndices[k];
        if (v < 0 || v >= mesh.numVerts)
            positioned = false;
        else
            memcpy(points + 3 * k, mesh.verts + size_t(v) * 3, sizeof(float) * 3);
    }
    if (positioned)
        return triangulateFace(points, corners, triangles);
    // A corner without a position gives no shape to follow: keep the plain fan.
    int32_t count = corners - 2;
    for (int32_t t = 0; t < count; ++t) {
        triangles[3 * t] = 0;
        triangles[3 * t + 1] = t + 1;
        triangles[3 * t + 2] = t + 2;
    }
    return count;
}

// The triangles of a mesh polygon by polygon, handed out an object's worth of corners at a time, so that
// no list of the whole mesh's corners is needed.
struct TriangleCursor {
    int32_t nextPolygon;
    int32_t polygon; // the polygon whose triangles are buffered
    int32_t triangles[3 * (MAX_POLYGON_CORNERS - 2)];
    int32_t numCorners; // 3 per buffered triangle
    int32_t nextCorner;
};

// Lists the next count corners of the mesh's triangles in sources, 3 per triangle.
void nextCorners(const Mesh& mesh, TriangleCursor& cursor, CornerSource* sources, int32_t count)
{
    for (int32_t n = 0; n < count;) {
        if (cursor.nextCorner == cursor.numCorners) {
            if (cursor.nextPolygon >= mesh.numPolygons)
                break;
            cursor.polygon = cursor.nextPolygon++;
            cursor.numCorners = 3 * splitPolygon(mesh, cursor.polygon, cursor.triangles);
            cursor.nextCorner = 0;
            continue;
        }
        sources[n++] = CornerSource{cursor.polygon, cursor.triangles[cursor.nextCorner++]};
    }
}

// Allocates and fills the vertex arrays of one object from numVertices corner sources.
bool copyVertices(const Mesh& mesh, const CornerSource* sources, int32_t numVertices, uint8_t withColors,
                  qaxObject& object)
{
    object.vertices.numVertices = numVertices;
    object.vertices.vertices = allocateArray<float>("o->vertices.vertices", size_t(numVertices) * 3);
    if (withColors) {
        object.vertexColors.present = 1;
        object.vertexColors.numVertexColors = numVertices;
        object.vertexColors.vertexColors =
            allocateArray<float>("o->vertexColors.vertexColors", size_t(numVertices) * 3);
        if (!object.vertexColors.vertexColors)
            return false;
    }
    object.UVs.numUVs = numVertices;
    object.UVs.UVs = allocateArray<float>("o->UVs.UVs", size_t(numVertices) * 2);
    object.normals.numNormals = numVertices;
    object.normals.normals = allocateArray<float>("o->normals.normals", size_t(numVertices) * 3);
    if (!object.vertices.vertices || !object.UVs.UVs || !object.normals.normals)
        return false;

    for (int32_t n = 0; n < numVertices; ++n) {
        const Polygon& polygon = mesh.polygons[sources[n].polygon];
        int32_t k = sources[n].corner;
        copyOrZero<3>(object.vertices.vertices + 3 * size_t(n), mesh.verts, polygon.vertIndices[k], mesh.numVerts);
        if (withColors)
            copyOrZero<3>(object.vertexColors.vertexColors + 3 * size_t(n), mesh.colors, polygon.colorIndices[k],
                          mesh.numColors);
        copyOrZero<2>(object.UVs.UVs + 2 * size_t(n), mesh.UVs, polygon.uvIndices[k], mesh.numUVs);
        copyOrZero<3>(object.normals.normals + 3 * size_t(n), mesh.normals, polygon.normalIndices[k], mesh.numNormals);
    }
    return true;
}

// True when vertex s of the object holds exactly these values (colour only when color is given).
bool holdsValues(const qaxObject& object, size_t s, const float* position, const float* normal, const float* uv,
                 const float* color)
{
    const float* vertex = object.vertices.vertices + 3 * s;
    const float* vertexNormal = object.normals.normals + 3 * s;
    const float* vertexUV = object.UVs.UVs + 2 * s;
    if (vertex[0] != position[0] || vertex[1] != position[1] || vertex[2] != position[2] ||
        vertexNormal[0] != normal[0] || vertexNormal[1] != normal[1] || vertexNormal[2] != normal[2] ||
        vertexUV[0] != uv[0] || vertexUV[1] != uv[1])
        return false;
    if (!color)
        return true;
    const float* vertexColor = object.vertexColors.vertexColors + 3 * s;
    return vertexColor[0] == color[0] && vertexColor[1] == color[1] && vertexColor[2] == color[2];
}

// The conversion's keys hash as a sum of their words, each times its own odd constant: the products do
// not wait on one another, so the eight to eleven words of a vertex take a few cycles where a chain of
// mixing steps takes one step per word. The fold brings the high bits, where the products mix, down to the
// low bits the table indexes by; finishHash mixes them further.
const uint64_t LANE_CONSTANTS[11] = {
    0x9e3779b97f4a7c15ull, 0xc2b2ae3d27d4eb4full, 0x165667b19e3779f9ull, 0xd6e8feb86659fd93ull,
    0xff51afd7ed558ccdull, 0xc4ceb9fe1a85ec53ull, 0x27d4eb2f165667c5ull, 0x94d049bb133111ebull,
    0xbf58476d1ce4e5b9ull, 0x2545f4914f6cdd1dull, 0x8cb92ba72f3d8dd7ull,
};

uint32_t foldLanes(uint64_t sum)
{
    sum ^= sum >> 32;
    sum *= 0xd6e8feb86659fd93ull;
    return uint32_t(sum >> 32);
}

uint32_t hashVertex(const float* position, const float* normal, const float* uv, const float* color)
{
    uint64_t sum = 0;
    for (int32_t i = 0; i < 3; ++i)
        sum += exactFloatBits(position[i]) * LANE_CONSTANTS[i];
    for (int32_t i = 0; i < 3; ++i)
        sum += exactFloatBits(normal[i]) * LANE_CONSTANTS[3 + i];
    for (int32_t i = 0; i < 2; ++i)
        sum += exactFloatBits(uv[i]) * LANE_CONSTANTS[6 + i];
    if (color) {
        for (int32_t i = 0; i < 3; ++i)
            sum += exactFloatBits(color[i]) * LANE_CONSTANTS[8 + i];
    }
    return foldLanes(sum);
}

bool holdsNaN(const float* position, const float* normal, const float* uv, const float* color)
{
    return containsNaN(position, 3) || containsNaN(normal, 3) || containsNaN(uv, 2) || (color && containsNaN(color, 3));
}

// The checks of getQAXIndexForVertex on a stored corner of a polygon of mesh, with its warnings: false when
// an index is at or above its array's count (logged; the colour index is checked even without colours) or
// when an index that takes part is negative (silent: the corner has no such value to weld by).
bool cornerWeldable(const Mesh& mesh, const Polygon& polygon, int32_t corner, bool withColor)
{
    int32_t vertIndex = polygon.vertIndices[corner];
    int32_t colorIndex = polygon.colorIndices[corner];
    int32_t normalIndex = polygon.normalIndices[corner];
    int32_t uvIndex = polygon.uvIndices[corner];
    if (vertIndex >= mesh.numVerts) {
        logPrint(0, "Warning: getQAXIndexForVertex: vertIndex %i is out of range %i\n", vertIndex, mesh.numVerts);
        return false;
    }
    if (colorIndex >= mesh.numColors) {
        logPrint(0, "Warning: getQAXIndexForVertex: colorIndex %i is out of range %i\n", colorIndex, mesh.numColors);
        return false;
    }
    if (normalIndex >= mesh.numNormals) {
        logPrint(0, "Warning: getQAXIndexForVertex: normalIndex %i is out of range %i\n", normalIndex,
                 mesh.numNormals);
        return false;
    }
    if (uvIndex >= mesh.numUVs) {
        logPrint(0, "Warning: getQAXIndexForVertex: UVIndex %i is out of range %i\n", uvIndex, mesh.numUVs);
        return false;
    }
    // A missing value is stored as zeros; such a corner keeps a vertex of its own.
    return vertIndex >= 0 && normalIndex >= 0 && uvIndex >= 0 && (!withColor || colorIndex >= 0);
}

// The weld table of a conversion: allocated at the first object, for the largest object of the scene, and
// reused by every object through a mask of the object's own size, so that each object clears only its part.
struct WeldScratch {
    ExactHashTable table;
    uint32_t capacity; // vertices of the largest object
};

enum { WELD_BATCH = 16 };

// Points every corner at the first vertex of the object holding the same values, in one pass: every vertex
// is offered to the table in order, so the id the table gives back is the first of its value so far. A
// corner that cannot be welded keeps its own vertex, so every index stays inside the object; its values
// still enter the table, since later corners may match them.
bool setIndices(const Mesh& mesh, const CornerSource* sources, uint8_t withColors, qaxObject& object,
                WeldScratch& scratch)
{
    if (!scratch.table.slots && !createHashTable(scratch.table, "weld->slots", scratch.capacity))
        return false;
    int32_t count = object.indices.numIndices;
    ExactHashTable table = scratch.table;
    uint32_t size = 16;
    while (size < 2 * uint64_t(count))
        size *= 2;
    table.mask = size - 1;
    memset(table.slots, 0xFF, sizeof(int32_t) * size);

    bool withColor = withColors != 0;
    const float* colors = withColor ? object.vertexColors.vertexColors : nullptr;
    auto valuesOf = [&](int32_t n, const float*& position, const float*& normal, const float*& uv,
                        const float*& color) {
        size_t s = size_t(n);
        position = object.vertices.vertices + 3 * s;
        normal = object.normals.normals + 3 * s;
        uv = object.UVs.UVs + 2 * s;
        color = colors ? colors + 3 * s : nullptr;
    };
    // Vertices go in batches whose home slots are fetched together; the table is larger than the fastest cache.
    for (int32_t start = 0; start < count; start += WELD_BATCH) {
        int32_t end = count - start < WELD_BATCH ? count : start + WELD_BATCH;
        uint32_t hashes[WELD_BATCH];
        bool hasNaN[WELD_BATCH];
        for (int32_t n = start; n < end; ++n) {
            const float *position, *normal, *uv, *color;
            valuesOf(n, position, normal, uv, color);
            hasNaN[n - start] = holdsNaN(position, normal, uv, color);
            hashes[n - start] = hashVertex(position, normal, uv, color);
            __builtin_prefetch(table.slots + (finishHash(hashes[n - start]) & table.mask));
        }
        for (int32_t n = start; n < end; ++n) {
            const float *position, *normal, *uv, *color;
            valuesOf(n, position, normal, uv, color);
            bool weldable = cornerWeldable(mesh, mesh.polygons[sources[n].polygon], sources[n].corner, withColor);
            int32_t index = n;
            if (!hasNaN[n - start]) {
                int32_t found = findOrInsert(table, hashes[n - start], n, [&](int32_t stored) {
                    return holdsValues(object, size_t(stored), position, normal, uv, color);
                });
                if (weldable)
                    index = found;
            } else if (weldable) {
                logPrint(0, "Warning: getQAXIndexForVertex: Matching QAX vertex not found.\n");
            }
            object.indices.indices[n] = uint16_t(index);
        }
    }
    return true;
}

// Builds one object from numTriangles triangles of the mesh, their corners listed in sources.
bool convertObject(const Mesh& mesh, const CornerSource* sources, int32_t numTriangles, uint8_t withColors,
                   qaxObject& object, WeldScratch& weld)
{
    int32_t numVertices = 3 * numTriangles;
    object.header.length = 12;
    object.header.reserved0 = 0;
    object.header.reserved1 = 0;
    object.header.materialID = mesh.materialIndex;

    object.indices.numIndices = numVertices;
    object.indices.indices = allocateArray<uint16_t>("o->indices.indices", size_t(numVertices));
    if (!object.indices.indices)
        return false;

    if (!copyVertices(mesh, sources, numVertices, withColors, object))
        return false;
    logPrint(0, "  Converted %i pairs\n", numVertices);

    logPrint(0, "  Setting indices\n");
    if (!setIndices(mesh, sources, withColors, object, weld))
        return false;

    logPrint(0, "  Setting structure sizes\n");
    object.indices.length = 4 + 2 * numVertices;
    object.vertices.length = 4 + 12 * numVertices;
    if (withColors)
        object.vertexColors.length = 4 + 12 * numVertices;
    object.UVs.length = 4 + 8 * numVertices;
    object.normals.length = 4 + 12 * numVertices;

    object.bursts.numBursts = 1;
    logPrint(0, "  Setting up %i bursts\n", object.bursts.numBursts);
    object.bursts.burstStart = allocateArray<int32_t>("o->bursts.burstStart", 1);
    object.bursts.burstCount = allocateArray<int32_t>("o->bursts.burstCount", 1);
    object.bursts.burstMaterialID = allocateArray<int32_t>("o->bursts.burstMaterialID", 1);
    object.bursts.burstVperP = allocateArray<int32_t>("o->bursts.burstVperP", 1);
    if (!object.bursts.burstStart || !object.bursts.burstCount || !object.bursts.burstMaterialID ||
        !object.bursts.burstVperP)
        return false;
    object.bursts.burstStart[0] = 0;
    object.bursts.burstCount[0] = 3 * object.vertices.numVertices;
    object.bursts.burstMaterialID[0] = object.header.materialID;
    object.bursts.burstVperP[0] = 3;
    object.bursts.length = 4 + 16 * object.bursts.numBursts;

    object.length = int32_t(objectLength(numVertices, withColors != 0));
    return true;
}

// Converts one mesh into objects[0 .. objectsForTriangles(triangles) - 1].
bool convertMesh(const Mesh& mesh, int32_t meshIndex, int64_t triangles, uint8_t withColors, qaxObject* objects,
                 WeldScratch& weld)
{
    int32_t unique = countUniquePairs(&mesh, withColors);
    logPrint(0, "  Number of vertex/normal/uv pairs: %i\n", int32_t(3 * triangles));
    logPrint(0, "  Number of unique vertex/normal/uv pairs: %i\n", unique);

    int32_t numObjects = objectsForTriangles(triangles);
    if (numObjects > 1)
        logPrint(0, "  Mesh %i split into %i objects of at most %i triangles\n", meshIndex, numObjects,
                 int32_t(QAX_MAX_OBJECT_TRIANGLES));

    int64_t largest = triangles < QAX_MAX_OBJECT_TRIANGLES ? triangles : int64_t(QAX_MAX_OBJECT_TRIANGLES);
    CornerSource* sources = allocateArray<CornerSource>("mesh->cornerSources", size_t(3 * largest));
    if (!sources)
        return false;

    TriangleCursor cursor = {};
    bool converted = true;
    int64_t first = 0;
    for (int32_t i = 0; i < numObjects && converted; ++i) {
        int64_t count = triangles - first;
        if (count > QAX_MAX_OBJECT_TRIANGLES)
            count = QAX_MAX_OBJECT_TRIANGLES;
        nextCorners(mesh, cursor, sources, int32_t(3 * count));
        converted = convertObject(mesh, sources, int32_t(count), withColors, objects[i], weld);
        first += count;
    }
    releaseArray(sources);
    return converted;
}

// A corner's index combination; corners of one vertex are told apart by the rest of it.
struct PairKey {
    int32_t vert, normal, uv, color;
};

struct CornerRest {
    int32_t normal, uv, color;
};

// Orders and equalities of the keys, member by member.
auto members(const PairKey& key)
{
    return std::tie(key.vert, key.normal, key.uv, key.color);
}

auto members(const CornerRest& rest)
{
    return std::tie(rest.normal, rest.uv, rest.color);
}

template <class Key>
bool sameKey(const Key& a, const Key& b)
{
    return members(a) == members(b);
}

template <class Key>
bool keyBefore(const Key& a, const Key& b)
{
    return members(a) < members(b);
}

// Up to this many keys, each is compared with those before it; a larger group is sorted first.
enum { SMALL_GROUP = 16 };

// Distinct keys among keys[0 .. count - 1], which may be reordered.
template <class Key>
int32_t countDistinct(Key* keys, int32_t count)
{
    int32_t distinct = 0;
    if (count <= SMALL_GROUP) {
        for (int32_t i = 0; i < count; ++i) {
            int32_t j = 0;
            while (j < i && !sameKey(keys[j], keys[i]))
                ++j;
            distinct += j == i ? 1 : 0;
        }
        return distinct;
    }
    std::sort(keys, keys + count, keyBefore<Key>);
    for (int32_t i = 0; i < count; ++i)
        distinct += i == 0 || !sameKey(keys[i - 1], keys[i]) ? 1 : 0;
    return distinct;
}

} // namespace

bool convertToQAX(const Model& model, qaxModel& output)
{
    logPrint(0, "Converting model data to qax format...\n");
    if (model.numFrames < 1 || !model.frames) {
        logPrint(0, "No frames to convert.\n");
        return false;
    }
    const Frame& frame = model.frames[0];
    int32_t numMeshes = frame.numMeshes > 0 && frame.meshes ? frame.numMeshes : 0;
    uint8_t withColors = includeVertexColors;

    if (!convertMaterials(model, output))
        return false;

    // Every length of the file is an int32: refuse a scene that could not be written. The triangle counts are
    // kept for the conversion: each takes a walk over all of a mesh's polygons.
    int64_t* trianglesOf = allocateArray<int64_t>("convert->triangles", size_t(numMeshes));
    if (!trianglesOf)
        return false;
    int64_t numObjects = 0;
    int64_t objectsLength = 4;
    WeldScratch weld = {{nullptr, 0}, 0};
    for (int32_t m = 0; m < numMeshes; ++m) {
        int64_t triangles = trianglesOf[m] = trianglesOfMesh(frame.meshes[m]);
        int64_t largest = 3 * (triangles < QAX_MAX_OBJECT_TRIANGLES ? triangles : int64_t(QAX_MAX_OBJECT_TRIANGLES));
        if (largest > weld.capacity)
            weld.capacity = uint32_t(largest);
        int32_t count = objectsForTriangles(triangles);
        numObjects += count;
        // Lengths are affine in the vertex count, so the pieces of a split mesh sum like this.
        objectsLength += 8 * count + objectLength(3 * triangles, withColors != 0) +
                         (count - 1) * objectLength(0, withColors != 0);
    }
    if (output.materials.length + objectsLength + FILE_FIXED_LENGTH > INT32_MAX) {
        logPrint(0, "Error: The scene is too large for a qax file.\n");
        releaseArray(trianglesOf);
        return false;
    }

    output.objects.numObjects = int32_t(numObjects);
    output.objects.objects = allocateArray<qaxObject>("qaxModel->objects.objects", size_t(numObjects));
    if (!output.objects.objects) {
        releaseArray(trianglesOf);
        return false;
    }

    qaxObject* next = output.objects.objects;
    int64_t length = 4;
    bool converted = true;
    for (int32_t m = 0; m < numMeshes && converted; ++m) {
        const Mesh& mesh = frame.meshes[m];
        int64_t triangles = trianglesOf[m];
        int32_t count = objectsForTriangles(triangles);
        converted = convertMesh(mesh, m, triangles, withColors, next, weld);
        for (int32_t i = 0; i < count && converted; ++i)
            length += 8 + next[i].length;
        next += count;
    }
    releaseHashTable(weld.table);
    releaseArray(trianglesOf);
    if (!converted)
        return false;
    output.objects.length = int32_t(length);
    output.fileLength = output.materials.length + output.objects.length + FILE_FIXED_LENGTH;
    logPrint(0, "Successful.\n");
    return true;
}

bool buildVertexWeldTable(VertexWeldTable& weld, const qaxObject& object, uint8_t includeColors)
{
    weld.object = &object;
    weld.includeColors = includeColors;
    int32_t count = object.vertices.numVertices;
    if (!createHashTable(weld.table, "weld->slots", uint32_t(count > 0 ? count : 0)))
        return false;
    for (int32_t i = 0; i < count; ++i) {
        size_t s = size_t(i);
        const float* position = object.vertices.vertices + 3 * s;
        const float* normal = object.normals.normals + 3 * s;
        const float* uv = object.UVs.UVs + 2 * s;
        const float* color = includeColors ? object.vertexColors.vertexColors + 3 * s : nullptr;
        if (holdsNaN(position, normal, uv, color))
            continue;
        findOrInsert(weld.table, hashVertex(position, normal, uv, color), i, [&](int32_t stored) {
            return holdsValues(object, size_t(stored), position, normal, uv, color);
        });
    }
    return true;
}

void releaseVertexWeldTable(VertexWeldTable& weld)
{
    releaseHashTable(weld.table);
    weld.object = nullptr;
}

int32_t getQAXIndexForVertex(const VertexWeldTable& weld, const Mesh* mesh, int32_t polygonIndex, int32_t corner)
{
    if (!mesh) {
        logPrint(0, "Warning: getQAXIndexForVertex: mesh is NULL\n");
        return -1;
    }
    if (polygonIndex < 0 || polygonIndex >= mesh->numPolygons) {
        logPrint(0, "Warning: getQAXIndexForVertex: triangleIndex %i is out of range %i\n", polygonIndex,
                 mesh->numPolygons);
        return -1;
    }
    const Polygon& polygon = mesh->polygons[polygonIndex];
    int32_t corners = storedCorners(polygon);
    if (corner < 0 || corner >= corners) {
        logPrint(0, "Warning: getQAXIndexForVertex: local vertIndex %i is out of range %i\n", corner, corners);
        return -1;
    }
    bool withColor = weld.includeColors != 0;
    if (!cornerWeldable(*mesh, polygon, corner, withColor))
        return -1;

    const float* position = mesh->verts + 3 * size_t(polygon.vertIndices[corner]);
    const float* normal = mesh->normals + 3 * size_t(polygon.normalIndices[corner]);
    const float* uv = mesh->UVs + 2 * size_t(polygon.uvIndices[corner]);
    const float* color = withColor ? mesh->colors + 3 * size_t(polygon.colorIndices[corner]) : nullptr;
    int32_t match = -1;
    if (!holdsNaN(position, normal, uv, color)) {
        match = findInTable(weld.table, hashVertex(position, normal, uv, color), [&](int32_t stored) {
            return holdsValues(*weld.object, size_t(stored), position, normal, uv, color);
        });
    }
    if (match < 0)
        logPrint(0, "Warning: getQAXIndexForVertex: Matching QAX vertex not found.\n");
    return match;
}

int32_t countUniquePairs(const Mesh* mesh, uint8_t includeColors)
{
    if (!mesh)
        return 0;
    int64_t corners = 0;
    for (int32_t j = 0; j < mesh->numPolygons; ++j)
        corners += storedCorners(mesh->polygons[j]);
    // The limits of the table of corner ids this count replaced, with the same messages.
    if (mesh->numPolygons > INT32_MAX / MAX_POLYGON_CORNERS || corners > (int64_t(1) << 30)) {
        logPrint(0, "Error: Allocation of %s is too large.\n", "pairs");
        return -1;
    }
    // Equal combinations share their vertex, so the corners are grouped by vertex index (a counting sort,
    // which needs no hashing) and each vertex's few corners are told apart among themselves: two passes over
    // the polygons and one over the groups, each in order. A corner whose vertex index names no vertex of
    // the mesh goes to a group of strays, told apart by the whole combination.
    const int32_t numVerts = mesh->numVerts > 0 ? mesh->numVerts : 0;
    auto groupOf = [&](int32_t vert) { return vert >= 0 && vert < numVerts ? vert : numVerts; };
    auto forEachCorner = [&](auto visit) {
        for (int32_t j = 0; j < mesh->numPolygons; ++j) {
            const Polygon& polygon = mesh->polygons[j];
            int32_t numCorners = storedCorners(polygon);
            for (int32_t k = 0; k < numCorners; ++k)
                visit(polygon, k);
        }
    };
    int32_t* groupEnd = allocateArray<int32_t>("pairs->groups", size_t(numVerts) + 1);
    if (!groupEnd)
        return -1;
    forEachCorner([&](const Polygon& polygon, int32_t k) { ++groupEnd[groupOf(polygon.vertIndices[k])]; });
    // Each group's count becomes where it starts; placing its corners moves that to where it ends.
    int32_t placed = 0;
    for (int32_t g = 0; g < numVerts; ++g) {
        int32_t count = groupEnd[g];
        groupEnd[g] = placed;
        placed += count;
    }
    const int32_t numStrays = groupEnd[numVerts];
    CornerRest* rests = allocateArray<CornerRest>("pairs", size_t(placed), UNFILLED);
    PairKey* strays = allocateArray<PairKey>("pairs->strays", size_t(numStrays), UNFILLED);
    if (!rests || !strays) {
        releaseArray(groupEnd);
        releaseArray(rests);
        releaseArray(strays);
        return -1;
    }
    int32_t stray = 0;
    forEachCorner([&](const Polygon& polygon, int32_t k) {
        int32_t vert = polygon.vertIndices[k];
        int32_t color = includeColors ? polygon.colorIndices[k] : 0;
        if (groupOf(vert) < numVerts)
            rests[groupEnd[vert]++] = CornerRest{polygon.normalIndices[k], polygon.uvIndices[k], color};
        else
            strays[stray++] = PairKey{vert, polygon.normalIndices[k], polygon.uvIndices[k], color};
    });
    int32_t unique = countDistinct(strays, numStrays);
    for (int32_t g = 0, begin = 0; g < numVerts; begin = groupEnd[g++])
        unique += countDistinct(rests + begin, groupEnd[g] - begin);
    releaseArray(strays);
    releaseArray(rests);
    releaseArray(groupEnd);
    return unique;
}

void stripTexturePath(char* path)
{
    char working[PATH_SIZE];
    size_t length = strnlen(path, PATH_SIZE - 1);
    memcpy(working, path, length);
    working[length] = '\0';
    toLowerAscii(working);
    toForwardSlashes(working);
    const char* slash = strrchr(working, '/');
    if (slash)
        memmove(path, slash + 1, strlen(slash + 1) + 1);
}
