#pragma once
// The interchange tests' scenes: checked-in files in tests/interchange/files, their polygons read back here by a
// small OBJ reader of our own (so that what an export reads back can be checked against the source), and glTF
// and PLY files written from those polygons by the library's own exporter.

#include "library_scenes.h"

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
    std::string material; // the OBJ's usemtl name
    std::vector<std::vector<Corner>> polygons;
    bool uvs = false, normals = false, colours = false;
};

// The path of a file in tests/interchange/files.
std::string fixture(const std::string& file);

// The "o" blocks of an OBJ file with their polygons, corner by corner ("v x y z [r g b]", "vt", "vn", "f a/b/c").
std::vector<SourceMesh> readObj(const std::string& path);

// glTF 2.0 (buffers beside it) and PLY written by the library's exporter, each corner its own vertex, with
// the one material given (a plain one when null); the glTF's nodes are root's children, naming the meshes by
// index. Return the path.
std::string writeGltf(const std::string& path, const std::vector<SourceMesh>& meshes, const NodeDescription& root,
                      aiMaterial* material);
std::string writePly(const std::string& path, const SourceMesh& mesh);

} // namespace interchangetest
