#include "conversion/test_meshes.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "model/allocation.h"

namespace testmeshes {

namespace {

float* registeredCopy(const char* label, const float* values, size_t count)
{
    float* copy = allocateArray<float>(label, count);
    if (count)
        memcpy(copy, values, count * sizeof(float));
    return copy;
}

void buildMesh(Mesh& mesh, const MeshData& data)
{
    memset(&mesh, 0, sizeof mesh);
    snprintf(mesh.name, sizeof mesh.name, "mesh");
    snprintf(mesh.shapeName, sizeof mesh.shapeName, "meshShape");
    mesh.materialIndex = data.materialIndex;
    mesh.numVerts = int32_t(data.verts.size() / 3);
    mesh.verts = registeredCopy("mesh->verts", data.verts.data(), data.verts.size());
    mesh.numUVs = int32_t(data.uvs.size() / 2);
    mesh.UVs = registeredCopy("mesh->UVs", data.uvs.data(), data.uvs.size());
    mesh.numNormals = int32_t(data.normals.size() / 3);
    mesh.normals = registeredCopy("mesh->normals", data.normals.data(), data.normals.size());
    mesh.numColors = int32_t(data.colors.size() / 3);
    mesh.colors = registeredCopy("mesh->colors", data.colors.data(), data.colors.size());
    mesh.numPolygons = int32_t(data.faces.size());
    mesh.polygons = allocateArray<Polygon>("mesh->polygons", data.faces.size(), 0xFF);
    for (size_t j = 0; j < data.faces.size(); ++j) {
        Polygon& polygon = mesh.polygons[j];
        int32_t stored = int32_t(data.faces[j].size() < 6 ? data.faces[j].size() : 6);
        polygon.numVerts = int32_t(data.faces[j].size());
        for (int32_t k = 0; k < stored; ++k) {
            polygon.vertIndices[k] = data.faces[j][k].vert;
            polygon.uvIndices[k] = data.faces[j][k].uv;
            polygon.normalIndices[k] = data.faces[j][k].normal;
            polygon.colorIndices[k] = data.faces[j][k].color;
        }
    }
}

} // namespace

std::string meshDifference(const Mesh& a, const Mesh& b)
{
    const struct {
        const char* name;
        const float* a;
        int32_t countA;
        const float* b;
        int32_t countB;
        int32_t width;
    } arrays[] = {{"verts", a.verts, a.numVerts, b.verts, b.numVerts, 3},
                  {"colors", a.colors, a.numColors, b.colors, b.numColors, 3},
                  {"UVs", a.UVs, a.numUVs, b.UVs, b.numUVs, 2},
                  {"normals", a.normals, a.numNormals, b.normals, b.numNormals, 3}};
    for (const auto& x : arrays) {
        if (x.countA != x.countB)
            return std::string(x.name) + " count " + std::to_string(x.countA) + " != " + std::to_string(x.countB);
        for (int32_t i = 0; i < x.countA * x.width; ++i)
            if (memcmp(x.a + i, x.b + i, sizeof(float)) != 0)
                return std::string(x.name) + " component " + std::to_string(i) + " differs";
    }
    if (a.numPolygons != b.numPolygons)
        return "numPolygons differ";
    for (int32_t j = 0; j < a.numPolygons; ++j)
        if (memcmp(&a.polygons[j], &b.polygons[j], sizeof(Polygon)) != 0)
            return "polygon " + std::to_string(j) + " differs";
    return "";
}

SceneModel::SceneModel(int32_t numMaterials, const std::vector<MeshData>& meshes)
{
    model.numMaterials = numMaterials;
    model.materials = allocateArray<Material>("model->materials", size_t(numMaterials));
    for (int32_t i = 0; i < numMaterials; ++i)
        snprintf(model.materials[i].name, sizeof model.materials[i].name, "material%d", int(i));
    model.numFrames = 1;
    model.frames = allocateArray<Frame>("model->frames", 1);
    Frame& frame = model.frames[0];
    frame.numMeshes = int32_t(meshes.size());
    frame.meshes = allocateArray<Mesh>("frame->meshes", meshes.size());
    for (size_t i = 0; i < meshes.size(); ++i)
        buildMesh(frame.meshes[i], meshes[i]);
}

SceneModel::~SceneModel()
{
    freeModel(model);
}

namespace {

// The values the random arrays are made of: zeros of both signs, neighbours one bit apart, a NaN and, past
// the sixth choice, the smallest subnormals of both signs and an infinity.
float randomComponent(std::mt19937& random, const RandomMeshShape& shape)
{
    constexpr float tiny = std::numeric_limits<float>::denorm_min(), inf = std::numeric_limits<float>::infinity();
    static const float choices[] = {0.0f, -0.0f, 1.0f, std::nextafter(1.0f, 2.0f), -2.5f, 0.25f,
                                    tiny, 3.0f,  -1.0f, std::nextafter(0.25f, 0.0f), -tiny, inf};
    const int32_t available = int32_t(sizeof choices / sizeof choices[0]);
    int32_t limit = shape.valueChoices < available ? shape.valueChoices : available;
    if (shape.withNaN && random() % 50 == 0)
        return std::numeric_limits<float>::quiet_NaN();
    return choices[random() % uint32_t(limit > 0 ? limit : 1)];
}

std::vector<float> randomArray(std::mt19937& random, const RandomMeshShape& shape, int32_t width)
{
    int32_t count = int32_t(random() % uint32_t(shape.maxEntries + 1));
    std::vector<float> values;
    for (int32_t i = 0; i < count; ++i) {
        uint32_t kind = random() % 10;
        if (i > 0 && kind < 3) {
            // An exact repeat of an earlier entry.
            int32_t from = int32_t(random() % uint32_t(i));
            for (int32_t c = 0; c < width; ++c)
                values.push_back(values[size_t(from) * width + c]);
        } else if (i > 0 && kind < 4) {
            // An earlier entry with the signs of its zeros flipped: equal, but other bits.
            int32_t from = int32_t(random() % uint32_t(i));
            for (int32_t c = 0; c < width; ++c) {
                float value = values[size_t(from) * width + c];
                values.push_back(value == 0.0f ? -value : value);
            }
        } else {
            for (int32_t c = 0; c < width; ++c)
                values.push_back(randomComponent(random, shape));
        }
    }
    return values;
}

int32_t randomIndex(std::mt19937& random, const RandomMeshShape& shape, int32_t count)
{
    uint32_t kind = random() % 100;
    if (shape.badIndices && kind < 4)
        return -1;
    if (shape.badIndices && kind < 6)
        return count + int32_t(random() % 3);
    if (count == 0)
        return -1;
    return int32_t(random() % uint32_t(count));
}

} // namespace

MeshData randomMesh(std::mt19937& random, const RandomMeshShape& shape)
{
    MeshData data;
    data.verts = randomArray(random, shape, 3);
    data.uvs = randomArray(random, shape, 2);
    data.normals = randomArray(random, shape, 3);
    data.colors = randomArray(random, shape, 3);
    data.materialIndex = int32_t(random() % 3);
    int32_t numVerts = int32_t(data.verts.size() / 3), numUVs = int32_t(data.uvs.size() / 2);
    int32_t numNormals = int32_t(data.normals.size() / 3), numColors = int32_t(data.colors.size() / 3);
    int32_t faces = int32_t(random() % uint32_t(shape.maxFaces + 1));
    for (int32_t j = 0; j < faces; ++j) {
        int32_t corners = shape.minCorners + int32_t(random() % uint32_t(shape.maxCorners - shape.minCorners + 1));
        std::vector<Corner> face;
        for (int32_t k = 0; k < corners; ++k)
            face.push_back(Corner{randomIndex(random, shape, numVerts), randomIndex(random, shape, numUVs),
                                  randomIndex(random, shape, numNormals), randomIndex(random, shape, numColors)});
        data.faces.push_back(face);
    }
    return data;
}

} // namespace testmeshes
