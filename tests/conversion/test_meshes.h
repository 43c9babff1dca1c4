#pragma once
// Scene models for the conversion tests: meshes written out by hand or drawn at random, built with the
// same registered arrays the capture makes, and compared entry by entry.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/model.h"

namespace testmeshes {

// One stored corner: indices into the mesh's positions, texture coordinates, normals and colours.
struct Corner {
    int32_t vert;
    int32_t uv;
    int32_t normal;
    int32_t color;
};

struct MeshData {
    std::vector<float> verts;   // xyz
    std::vector<float> uvs;     // uv
    std::vector<float> normals; // xyz
    std::vector<float> colors;  // rgb
    std::vector<std::vector<Corner>> faces; // 6 corners at most are stored; a longer face keeps its count
    int32_t materialIndex = 0;
};

// Empty when the two meshes hold the same counts, bit-identical arrays and identical polygons;
// otherwise the first difference.
std::string meshDifference(const Mesh& a, const Mesh& b);

// A scene model of numMaterials zeroed materials (named "material<i>") and one frame with these meshes
// (registered copies of their arrays, unused polygon slots holding -1), released with freeModel when it goes.
class SceneModel {
public:
    SceneModel(int32_t numMaterials, const std::vector<MeshData>& meshes);
    ~SceneModel();
    SceneModel(const SceneModel&) = delete;
    SceneModel& operator=(const SceneModel&) = delete;
    Model model{};
    Mesh& mesh(int32_t i) { return model.frames[0].meshes[i]; }
    Material& material(int32_t i) { return model.materials[i]; }
};

struct RandomMeshShape {
    int32_t maxEntries = 24;   // per value array
    int32_t maxFaces = 24;
    int32_t minCorners = 3;
    int32_t maxCorners = 6;
    bool withNaN = true;       // some components are NaN
    bool badIndices = true;    // some corners hold -1 or an index past the array's end
    int32_t valueChoices = 6;  // fewer choices make more exact duplicates
};

// A mesh whose arrays repeat values exactly and hold 0.0 beside -0.0, values one bit apart, with more value
// choices subnormals and an infinity and, when asked, NaNs; faces with random corner counts and, when asked,
// missing or stray indices.
MeshData randomMesh(std::mt19937& random, const RandomMeshShape& shape);

} // namespace testmeshes
