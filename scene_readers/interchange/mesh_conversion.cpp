#include "scene_readers/interchange/mesh_conversion.h"

#include "output/triangulate.h"

#include <assimp/mesh.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace interchange {

namespace {

// Welding table: host vertex ids in a power-of-two array at most half full, keyed on the exact bits of the
// positions they stand for (kept by the caller); -1 marks a free slot.
class PositionTable {
public:
    explicit PositionTable(size_t capacity)
    {
        size_t size = 16;
        while (size < 2 * capacity)
            size *= 2;
        slots_.assign(size, -1);
    }

    // The id stored for bits, or id after storing it; equal(stored) compares a stored id's position with bits.
    template <class Equal>
    int findOrInsert(const uint32_t bits[3], int id, Equal equal)
    {
        uint64_t h = bits[0];
        h = (h * 0x9E3779B97F4A7C15ull) ^ bits[1];
        h = (h * 0x9E3779B97F4A7C15ull) ^ bits[2];
        h *= 0x9E3779B97F4A7C15ull;
        const size_t mask = slots_.size() - 1;
        // Collision: linear probing, short runs at this fill.
        for (size_t slot = size_t(h >> 29) & mask;; slot = (slot + 1) & mask) {
            if (slots_[slot] < 0) {
                slots_[slot] = id;
                return id;
            }
            if (equal(slots_[slot]))
                return slots_[slot];
        }
    }

private:
    std::vector<int> slots_;
};

uint32_t floatBits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits == 0x80000000u ? 0u : bits;
}

bool finite3(const aiVector3D& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool allFinite(const aiVector3D* values, unsigned count)
{
    for (unsigned i = 0; i < count; ++i)
        if (!finite3(values[i]))
            return false;
    return true;
}

bool allFiniteColours(const aiColor4D* values, unsigned count)
{
    for (unsigned i = 0; i < count; ++i)
        if (!std::isfinite(values[i].r) || !std::isfinite(values[i].g) || !std::isfinite(values[i].b) ||
            !std::isfinite(values[i].a))
            return false;
    return true;
}

// Appends one face of the given file corners (indices into the mesh's vertices) with its per-corner ids.
struct FaceWriter {
    headless::MeshData& data;
    const std::vector<int>& weldedVertex; // file vertex -> host vertex
    bool uvs, normals, colours;

    void add(const unsigned* corners, size_t count)
    {
        std::vector<int> face(count), faceUVs, faceNormals, faceColours;
        for (size_t i = 0; i < count; ++i)
            face[i] = weldedVertex[corners[i]];
        data.faces.push_back(std::move(face));
        if (uvs) {
            faceUVs.assign(corners, corners + count);
            data.faceUVs.push_back(std::move(faceUVs));
        }
        if (normals) {
            faceNormals.assign(corners, corners + count);
            data.faceNormals.push_back(std::move(faceNormals));
        }
        if (colours) {
            faceColours.assign(corners, corners + count);
            data.faceColors.push_back(std::move(faceColours));
        }
    }
};

} // namespace

bool convertMesh(const aiMesh& mesh, const std::string& meshName, double scale, headless::MeshData& data,
                 MeshTally& tally, std::vector<std::string>& warnings, std::string& problem)
{
    data = headless::MeshData();
    const unsigned numVertices = mesh.mNumVertices;
    if (numVertices == 0 || mesh.mVertices == nullptr || mesh.mNumFaces == 0 || mesh.mFaces == nullptr) {
        problem = "mesh " + meshName + " has no faces";
        return false;
    }

    // Positions, welded by exact value after scaling.
    std::vector<int> weldedVertex(numVertices);
    std::vector<uint32_t> pointBits;
    pointBits.reserve(size_t(numVertices) * 3);
    PositionTable welded(numVertices);
    data.points.reserve(numVertices);
    for (unsigned i = 0; i < numVertices; ++i) {
        const aiVector3D& p = mesh.mVertices[i];
        const float x = float(p.x * scale), y = float(p.y * scale), z = float(p.z * scale);
        if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) {
            problem = "mesh " + meshName + " has a vertex position that is not a finite number (vertex " +
                      std::to_string(i) + ")";
            data = headless::MeshData();
            return false;
        }
        const uint32_t bits[3] = {floatBits(x), floatBits(y), floatBits(z)};
        const int next = int(data.points.size());
        const int id = welded.findOrInsert(bits, next, [&](int stored) {
            return std::memcmp(&pointBits[size_t(stored) * 3], bits, sizeof bits) == 0;
        });
        if (id == next) {
            data.points.push_back(headless::Vec3{x, y, z});
            pointBits.insert(pointBits.end(), bits, bits + 3);
        }
        weldedVertex[i] = id;
    }

    // Per-corner values: one entry per file vertex, so a corner's id is its file index.
    bool withUVs = mesh.mTextureCoords[0] != nullptr;
    if (withUVs && !allFinite(mesh.mTextureCoords[0], numVertices)) {
        warnings.push_back("mesh " + meshName + ": texture coordinates that are not finite numbers, left out");
        withUVs = false;
    }
    bool withNormals = mesh.mNormals != nullptr;
    if (withNormals && !allFinite(mesh.mNormals, numVertices)) {
        warnings.push_back("mesh " + meshName + ": normals that are not finite numbers, left out (the host computes them)");
        withNormals = false;
    }
    bool withColours = mesh.mColors[0] != nullptr;
    if (withColours && !allFiniteColours(mesh.mColors[0], numVertices)) {
        warnings.push_back("mesh " + meshName + ": vertex colours that are not finite numbers, left out");
        withColours = false;
    }
    if (withUVs) {
        data.uvs.resize(numVertices);
        for (unsigned i = 0; i < numVertices; ++i)
            data.uvs[i] = headless::TexCoord{float(mesh.mTextureCoords[0][i].x), float(mesh.mTextureCoords[0][i].y)};
    }
    if (withNormals) {
        data.normals.resize(numVertices);
        for (unsigned i = 0; i < numVertices; ++i)
            data.normals[i] = headless::Vec3{mesh.mNormals[i].x, mesh.mNormals[i].y, mesh.mNormals[i].z};
    }
    if (withColours) {
        data.colors.resize(numVertices);
        for (unsigned i = 0; i < numVertices; ++i) {
            const aiColor4D& c = mesh.mColors[0][i];
            data.colors[i] = headless::Color4{float(c.r), float(c.g), float(c.b), float(c.a)};
        }
    }

    FaceWriter writer{data, weldedVertex, withUVs, withNormals, withColours};
    data.faces.reserve(mesh.mNumFaces);
    std::vector<unsigned> corners;
    std::vector<float> points;
    std::vector<int32_t> triangles;
    std::vector<int> seen;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices < 3 || face.mIndices == nullptr) {
            ++tally.pointsAndLines;
            continue;
        }
        bool inRange = true;
        for (unsigned k = 0; k < face.mNumIndices; ++k)
            inRange = inRange && face.mIndices[k] < numVertices;
        if (!inRange) {
            ++tally.outOfRangeFaces;
            continue;
        }
        // Corners that repeat the position before them add nothing to the outline.
        corners.clear();
        for (unsigned k = 0; k < face.mNumIndices; ++k) {
            const unsigned corner = face.mIndices[k];
            if (corners.empty() || weldedVertex[corners.back()] != weldedVertex[corner])
                corners.push_back(corner);
        }
        while (corners.size() > 1 && weldedVertex[corners.back()] == weldedVertex[corners.front()])
            corners.pop_back();
        if (corners.size() < 3) {
            ++tally.degenerateFaces;
            continue;
        }
        bool distinct = true;
        if (corners.size() > 3) {
            seen.clear();
            for (unsigned corner : corners)
                seen.push_back(weldedVertex[corner]);
            std::sort(seen.begin(), seen.end());
            distinct = std::adjacent_find(seen.begin(), seen.end()) == seen.end();
        }
        if (distinct && corners.size() <= size_t(kMaxCapturedCorners)) {
            writer.add(corners.data(), corners.size());
            continue;
        }
        // Too many corners for the capture, or an outline that touches itself (the host wants distinct
        // corners): cut into triangles as the conversion would.
        const int32_t count = int32_t(corners.size());
        points.resize(size_t(count) * 3);
        for (int32_t k = 0; k < count; ++k) {
            const headless::Vec3& p = data.points[size_t(weldedVertex[corners[size_t(k)]])];
            points[size_t(k) * 3] = float(p.x);
            points[size_t(k) * 3 + 1] = float(p.y);
            points[size_t(k) * 3 + 2] = float(p.z);
        }
        triangles.resize(size_t(count - 2) * 3);
        const int32_t made = triangulateFace(points.data(), count, triangles.data());
        if (corners.size() > size_t(kMaxCapturedCorners))
            ++tally.facesTriangulated;
        for (int32_t t = 0; t < made; ++t) {
            const unsigned triangle[3] = {corners[size_t(triangles[size_t(t) * 3])],
                                          corners[size_t(triangles[size_t(t) * 3 + 1])],
                                          corners[size_t(triangles[size_t(t) * 3 + 2])]};
            const int a = weldedVertex[triangle[0]], b = weldedVertex[triangle[1]], c = weldedVertex[triangle[2]];
            if (a == b || b == c || a == c) {
                ++tally.degenerateFaces;
                continue;
            }
            writer.add(triangle, 3);
            if (corners.size() > size_t(kMaxCapturedCorners))
                ++tally.trianglesFromLargeFaces;
        }
    }
    if (data.faces.empty()) {
        problem = "mesh " + meshName + " has no faces of three or more corners";
        data = headless::MeshData();
        return false;
    }
    return true;
}

} // namespace interchange
