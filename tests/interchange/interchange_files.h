#pragma once
// Scenes the interchange tests write, in OBJ (with MTL) and COLLADA by hand, in glTF and PLY through the library's
// exporter, from one description of their polygons, so that what the export reads back can be checked against
// the source.

#include <array>
#include <string>
#include <vector>

namespace interchangetest {

struct Corner {
    std::array<float, 3> position{};
    std::array<float, 2> uv{};
    std::array<float, 3> normal{0, 0, 1};
    std::array<float, 4> colour{1, 1, 1, 1};
};

struct SourceMesh {
    std::string name;
    std::string material;   // OBJ: usemtl name; glTF: material index as text ("" = none)
    std::vector<std::vector<Corner>> polygons;
    bool uvs = true, normals = true, colours = false;
};

// A regular polygon of n corners around centre in the plane z = centre z, counter-clockwise seen from +z.
std::vector<Corner> regularPolygon(unsigned corners, std::array<float, 3> centre, float radius);

// An MTL library of two materials: "brick" (phong, map_Kd textures/Brick.png) and "glass" (lambert, d 0.5).
extern const char* const kBrickGlassMtl;

// "Ngons" (material brick): polygons of 4 to 12 corners in a row; "Plate" (material glass): one square.
std::vector<SourceMesh> ngonScene();

// A COLLADA file, Z up, unit 0.01 m: node "tri" translated (0 0 5), turned 90 degrees about z, holding one
// triangle (1 2 3) (4 5 6) (7 8 10). Returns the path (<directory>/zup.dae).
std::string writeZUpCollada(const std::string& directory);

// OBJ: one "o" block per mesh with its "usemtl", every corner its own v/vt/vn; mtl (may be empty) is written to
// <base>.mtl and named by mtllib. Returns the .obj path.
std::string writeObj(const std::string& directory, const std::string& base, const std::vector<SourceMesh>& meshes,
                     const std::string& mtl);

struct GltfNode {
    std::string name;
    int mesh = -1;
    std::array<float, 3> translation{0, 0, 0};
    std::array<float, 4> rotation{0, 0, 0, 1}; // quaternion x y z w
    std::array<float, 3> scale{1, 1, 1};
    std::vector<int> children;
};

struct GltfMaterial {
    std::string name;
    std::array<float, 4> baseColour{1, 1, 1, 1};
    std::string texture; // image uri; "" for none
};

// glTF 2.0 written by the library's own exporter: one mesh per SourceMesh (each corner its own vertex), the
// nodes under the library's container root. Returns the .gltf path (buffers beside it).
std::string writeGltf(const std::string& directory, const std::string& base, const std::vector<SourceMesh>& meshes,
                      const std::vector<GltfMaterial>& materials, const std::vector<GltfNode>& nodes);

// PLY (ASCII) written by the library's own exporter, each corner its own vertex; positions, normals when
// mesh.normals, colours when mesh.colours. Returns the path.
std::string writePly(const std::string& path, const SourceMesh& mesh);

} // namespace interchangetest
