#include "conversion/quadratic_reference.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "log/log.h"
#include "model/allocation.h"
#include "output/triangulate.h"
#include "plugin/settings.h"

namespace reference {

namespace {

const int32_t kMaxObjectTriangles = 21845;

int32_t cornersOf(const Polygon& polygon)
{
    if (polygon.numVerts < 0)
        return 0;
    return polygon.numVerts > 6 ? 6 : polygon.numVerts;
}

// Fetches width floats of entry index, or zeros when the index names no entry.
void fetch(float* to, const float* values, int32_t index, int32_t count, int32_t width)
{
    for (int32_t i = 0; i < width; ++i)
        to[i] = (index >= 0 && index < count) ? values[index * width + i] : 0.0f;
}

bool sameFloats(const float* a, const float* b, int32_t width)
{
    for (int32_t i = 0; i < width; ++i)
        if (!(a[i] == b[i]))
            return false;
    return true;
}

// One of a polygon's four index arrays.
typedef int32_t (Polygon::*IndexArray)[MAX_POLYGON_CORNERS];

void remapPolygonIndices(Mesh& mesh, IndexArray which, int32_t from, int32_t to)
{
    for (int32_t j = 0; j < mesh.numPolygons; ++j) {
        int32_t* indices = mesh.polygons[j].*which;
        for (int32_t k = 0; k < cornersOf(mesh.polygons[j]); ++k)
            if (indices[k] == from)
                indices[k] = to;
    }
}

int32_t removeDuplicates(Mesh& mesh, float*& values, int32_t& count, int32_t width, IndexArray which,
                         const char* label)
{
    int32_t removed = 0;
    for (int32_t i = 0; i < count; ++i) {
        int32_t j = i + 1;
        while (j < count) {
            if (!sameFloats(values + j * width, values + i * width, width)) {
                ++j;
                continue;
            }
            for (int32_t c = 0; c < width; ++c)
                values[j * width + c] = values[(count - 1) * width + c];
            count = count - 1;
            remapPolygonIndices(mesh, which, j, i);
            if (j < count)
                remapPolygonIndices(mesh, which, count, j);
            ++removed;
        }
    }
    values = static_cast<float*>(reallocateTracked(label, values, size_t(count) * width, sizeof(float)));
    return removed;
}

void setText(qaxString& string, const char* text, int32_t length)
{
    memset(string.text, 0, sizeof string.text);
    memcpy(string.text, text, size_t(length));
    string.length = uint16_t(length);
}

void convertMaterial(const Material& material, qaxMaterial& out)
{
    int32_t nameLength = int32_t(strnlen(material.name, 31));
    setText(out.header.name, material.name, nameLength);
    setText(out.header.type, "Standard", 8);
    out.header.length = 4 + nameLength + 8;
    for (int32_t c = 0; c < 4; ++c) {
        out.colors.ambient[c] = material.ambientColor[c];
        out.colors.diffuse[c] = material.color[c];
        out.colors.specular[c] = material.specularColor[c];
        out.colors.incandescence[c] = material.incandescence[c];
    }
    if (material.color[0] == 0.0f && material.color[1] == 0.0f && material.color[2] == 0.0f)
        out.colors.diffuse[0] = out.colors.diffuse[1] = out.colors.diffuse[2] = 1.0f;
    out.colors.eccentricityScaled = material.eccentricity * 128.0f;
    out.colors.length = 68;
    out.flags.reflective = material.reflectivity != 0.0f;
    out.flags.length = 4;
    const float uvw[7] = {0, 0, 1.0f, 1.0f, 0, 0, 0};
    memcpy(out.uvw.values, uvw, sizeof uvw);
    out.uvw.length = 28;
    out.translucence.coeff = material.translucenceCoeff;
    out.translucence.enabled = material.translucenceCoeff != 0.0f;
    out.translucence.length = 8;

    char working[260];
    memset(working, 0, sizeof working);
    memcpy(working, material.colorTexture, 259);
    if (!useProjectRelativePaths) {
        // lower-case, forward slashes, keep what follows the last slash
        char lowered[260];
        memcpy(lowered, working, sizeof lowered);
        for (char* c = lowered; *c; ++c)
            *c = *c == '\\' ? '/' : (*c >= 'A' && *c <= 'Z' ? char(*c - 'A' + 'a') : *c);
        char* slash = strrchr(lowered, '/');
        if (slash)
            memmove(working, slash + 1, strlen(slash + 1) + 1);
    }
    int32_t length = int32_t(strlen(working));
    if (length > 64)
        length = 64;
    out.textures.numTextures = 1;
    out.textures.textures = allocateArray<qaxString>("m->textures.textures", 1);
    setText(out.textures.textures[0], working, length);
    out.textures.length = 6 + length;
    out.subMaterials.length = 4;
    out.length = out.header.length + out.textures.length + 172;
}

struct Source {
    int32_t polygon;
    int32_t corner;
};

int32_t triangulatePolygon(const Mesh& mesh, const Polygon& polygon, int32_t* triangles)
{
    int32_t corners = cornersOf(polygon);
    if (corners < 3)
        return 0;
    float points[18];
    for (int32_t k = 0; k < corners; ++k) {
        int32_t v = polygon.vertIndices[k];
        if (v < 0 || v >= mesh.numVerts) {
            for (int32_t t = 0; t < corners - 2; ++t) {
                triangles[3 * t] = 0;
                triangles[3 * t + 1] = t + 1;
                triangles[3 * t + 2] = t + 2;
            }
            return corners - 2;
        }
        for (int32_t c = 0; c < 3; ++c)
            points[3 * k + c] = mesh.verts[3 * v + c];
    }
    return triangulateFace(points, corners, triangles);
}

void convertObject(const Mesh& mesh, const Source* sources, int32_t numTriangles, qaxObject& o)
{
    int32_t V = 3 * numTriangles;
    o.header.length = 12;
    o.header.materialID = mesh.materialIndex;
    o.indices.numIndices = V;
    o.indices.indices = allocateArray<uint16_t>("o->indices.indices", V);
    o.vertices.numVertices = V;
    o.vertices.vertices = allocateArray<float>("o->vertices.vertices", 3 * size_t(V));
    if (includeVertexColors) {
        o.vertexColors.present = 1;
        o.vertexColors.numVertexColors = V;
        o.vertexColors.vertexColors = allocateArray<float>("o->vertexColors.vertexColors", 3 * size_t(V));
    }
    o.UVs.numUVs = V;
    o.UVs.UVs = allocateArray<float>("o->UVs.UVs", 2 * size_t(V));
    o.normals.numNormals = V;
    o.normals.normals = allocateArray<float>("o->normals.normals", 3 * size_t(V));
    int32_t n = 0;
    for (int32_t s = 0; s < V; ++s) {
        const Polygon& p = mesh.polygons[sources[s].polygon];
        int32_t k = sources[s].corner;
        fetch(o.vertices.vertices + 3 * n, mesh.verts, p.vertIndices[k], mesh.numVerts, 3);
        if (includeVertexColors)
            fetch(o.vertexColors.vertexColors + 3 * n, mesh.colors, p.colorIndices[k], mesh.numColors, 3);
        fetch(o.UVs.UVs + 2 * n, mesh.UVs, p.uvIndices[k], mesh.numUVs, 2);
        fetch(o.normals.normals + 3 * n, mesh.normals, p.normalIndices[k], mesh.numNormals, 3);
        n = n + 1;
    }
    logPrint(0, "  Converted %i pairs\n", n);
    logPrint(0, "  Setting indices\n");
    for (int32_t p = 0; p < V; ++p) {
        int32_t index = getQAXIndexForVertex(&o, &mesh, sources[p].polygon, sources[p].corner, includeVertexColors);
        o.indices.indices[p] = uint16_t(index < 0 ? p : index);
    }
    logPrint(0, "  Setting structure sizes\n");
    o.indices.length = 4 + 2 * V;
    o.vertices.length = 4 + 12 * V;
    if (o.vertexColors.present)
        o.vertexColors.length = 4 + 12 * V;
    o.UVs.length = 4 + 8 * V;
    o.normals.length = 4 + 12 * V;
    o.bursts.numBursts = 1;
    logPrint(0, "  Setting up %i bursts\n", o.bursts.numBursts);
    o.bursts.burstStart = allocateArray<int32_t>("o->bursts.burstStart", 1);
    o.bursts.burstCount = allocateArray<int32_t>("o->bursts.burstCount", 1);
    o.bursts.burstMaterialID = allocateArray<int32_t>("o->bursts.burstMaterialID", 1);
    o.bursts.burstVperP = allocateArray<int32_t>("o->bursts.burstVperP", 1);
    o.bursts.burstStart[0] = 0;
    o.bursts.burstCount[0] = 3 * o.vertices.numVertices;
    o.bursts.burstMaterialID[0] = o.header.materialID;
    o.bursts.burstVperP[0] = 3;
    o.bursts.length = 4 + 16;
    o.length = o.indices.length + o.vertices.length + o.UVs.length + o.normals.length + o.bursts.length + 64;
    if (o.vertexColors.present)
        o.length += o.vertexColors.length + 8;
}

} // namespace

int32_t getQAXIndexForVertex(const qaxObject* o, const Mesh* m, int32_t j, int32_t k, uint8_t includeColors)
{
    if (!m) {
        logPrint(0, "Warning: getQAXIndexForVertex: mesh is NULL\n");
        return -1;
    }
    if (j < 0 || j >= m->numPolygons) {
        logPrint(0, "Warning: getQAXIndexForVertex: triangleIndex %i is out of range %i\n", j, m->numPolygons);
        return -1;
    }
    const Polygon& p = m->polygons[j];
    if (k < 0 || k >= cornersOf(p)) {
        logPrint(0, "Warning: getQAXIndexForVertex: local vertIndex %i is out of range %i\n", k, cornersOf(p));
        return -1;
    }
    const struct {
        const char* name;
        int32_t index;
        int32_t count;
    } checks[] = {{"vertIndex", p.vertIndices[k], m->numVerts},
                  {"colorIndex", p.colorIndices[k], m->numColors},
                  {"normalIndex", p.normalIndices[k], m->numNormals},
                  {"UVIndex", p.uvIndices[k], m->numUVs}};
    for (const auto& check : checks) {
        if (check.index >= check.count) {
            logPrint(0, "Warning: getQAXIndexForVertex: %s %i is out of range %i\n", check.name, check.index,
                     check.count);
            return -1;
        }
    }
    if (p.vertIndices[k] < 0 || p.normalIndices[k] < 0 || p.uvIndices[k] < 0 ||
        (includeColors && p.colorIndices[k] < 0))
        return -1;
    float position[3], color[3], normal[3], uv[2];
    fetch(position, m->verts, p.vertIndices[k], m->numVerts, 3);
    fetch(color, m->colors, p.colorIndices[k], m->numColors, 3);
    fetch(normal, m->normals, p.normalIndices[k], m->numNormals, 3);
    fetch(uv, m->UVs, p.uvIndices[k], m->numUVs, 2);
    for (int32_t i = 0; i < o->vertices.numVertices; ++i) {
        if (!sameFloats(o->vertices.vertices + 3 * i, position, 3))
            continue;
        if (includeColors && !sameFloats(o->vertexColors.vertexColors + 3 * i, color, 3))
            continue;
        if (!sameFloats(o->normals.normals + 3 * i, normal, 3))
            continue;
        if (!sameFloats(o->UVs.UVs + 2 * i, uv, 2))
            continue;
        return i;
    }
    logPrint(0, "Warning: getQAXIndexForVertex: Matching QAX vertex not found.\n");
    return -1;
}

int32_t countUniquePairs(const Mesh* m, uint8_t includeColors)
{
    if (!m)
        return 0;
    int32_t width = includeColors ? 4 : 3;
    int32_t* pairs = allocateArray<int32_t>("pairs", size_t(m->numPolygons) * 6 * width, 0xFF);
    int32_t entries = 0;
    for (int32_t j = 0; j < m->numPolygons; ++j) {
        const Polygon& p = m->polygons[j];
        for (int32_t k = 0; k < cornersOf(p); ++k) {
            int32_t entry[4] = {p.vertIndices[k], p.normalIndices[k], p.uvIndices[k], p.colorIndices[k]};
            bool found = false;
            for (int32_t e = 0; e < entries && !found; ++e)
                found = memcmp(pairs + e * width, entry, sizeof(int32_t) * width) == 0;
            if (!found) {
                memcpy(pairs + entries * width, entry, sizeof(int32_t) * width);
                ++entries;
            }
        }
    }
    releaseArray(pairs);
    return entries;
}

int32_t removeDuplicateVerts(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.verts, mesh.numVerts, 3, &Polygon::vertIndices, "mesh->verts");
}

int32_t removeDuplicateColors(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.colors, mesh.numColors, 3, &Polygon::colorIndices, "mesh->colors");
}

int32_t removeDuplicateUVs(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.UVs, mesh.numUVs, 2, &Polygon::uvIndices, "mesh->UVs");
}

int32_t removeDuplicateNormals(Mesh& mesh)
{
    return removeDuplicates(mesh, mesh.normals, mesh.numNormals, 3, &Polygon::normalIndices, "mesh->normals");
}

bool convertToQAX(const Model& model, qaxModel& output)
{
    logPrint(0, "Converting model data to qax format...\n");
    if (model.numFrames < 1) {
        logPrint(0, "No frames to convert.\n");
        return false;
    }
    output.materials.numMaterials = model.numMaterials;
    output.materials.materials = allocateArray<qaxMaterial>("qaxModel->materials.materials", model.numMaterials);
    output.materials.length = 4;
    for (int32_t i = 0; i < model.numMaterials; ++i) {
        convertMaterial(model.materials[i], output.materials.materials[i]);
        output.materials.length += 8 + output.materials.materials[i].length;
    }

    const Frame& frame = model.frames[0];
    std::vector<qaxObject> objects;
    output.objects.length = 4;
    for (int32_t m = 0; m < frame.numMeshes; ++m) {
        const Mesh& mesh = frame.meshes[m];
        Source* sources = allocateArray<Source>("reference sources", size_t(mesh.numPolygons) * 12);
        int32_t V = 0;
        for (int32_t j = 0; j < mesh.numPolygons; ++j) {
            int32_t triangles[12];
            int32_t count = triangulatePolygon(mesh, mesh.polygons[j], triangles);
            for (int32_t i = 0; i < 3 * count; ++i)
                sources[V++] = Source{j, triangles[i]};
        }
        logPrint(0, "  Number of vertex/normal/uv pairs: %i\n", V);
        logPrint(0, "  Number of unique vertex/normal/uv pairs: %i\n", countUniquePairs(&mesh, includeVertexColors));
        int32_t T = V / 3;
        int32_t pieces = T <= kMaxObjectTriangles ? 1 : (T + kMaxObjectTriangles - 1) / kMaxObjectTriangles;
        if (pieces > 1)
            logPrint(0, "  Mesh %i split into %i objects of at most %i triangles\n", m, pieces, kMaxObjectTriangles);
        for (int32_t piece = 0; piece < pieces; ++piece) {
            int32_t first = piece * kMaxObjectTriangles;
            int32_t count = T - first < kMaxObjectTriangles ? T - first : kMaxObjectTriangles;
            objects.emplace_back();
            convertObject(mesh, sources + 3 * first, count, objects.back());
            output.objects.length += 8 + objects.back().length;
        }
        releaseArray(sources);
    }
    output.objects.numObjects = int32_t(objects.size());
    output.objects.objects = allocateArray<qaxObject>("qaxModel->objects.objects", objects.size());
    std::copy(objects.begin(), objects.end(), output.objects.objects);
    output.fileLength = output.materials.length + output.objects.length + 20;
    logPrint(0, "Successful.\n");
    return true;
}

} // namespace reference
