#include "scene_readers/maya_ascii/mesh_builder.h"

#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/values.h"

#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MItMeshPolygon.h>

#include <algorithm>
#include <cmath>

namespace mayaascii {

namespace {

// Stored normals of this size mark a corner without one.
bool isNormalMarker(double x, double y, double z)
{
    return std::fabs(x) >= 1e19 && std::fabs(y) >= 1e19 && std::fabs(z) >= 1e19;
}

// The index k of the set whose name attribute ("uvst[k].uvsn") equals name; -1 when none does.
int findNamedSet(const Node& node, const char* set, const char* nameAttribute, const std::string& name)
{
    const std::string prefix = std::string(set) + "[";
    const std::string suffix = std::string("].") + nameAttribute;
    for (const auto& entry : node.attributes) {
        const std::string& key = entry.first;
        if (key.size() <= prefix.size() + suffix.size() || key.compare(0, prefix.size(), prefix) != 0 ||
            key.compare(key.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const Attribute& attribute = entry.second;
        int64_t index = 0; // a range ("uvst[0:2].uvsn") names no single set
        if (attribute.hasPlain && !attribute.plain.strings.empty() && attribute.plain.strings[0] == name &&
            parseElementIndex(std::string_view(key).substr(prefix.size(), key.size() - prefix.size() - suffix.size()),
                              index)) {
            attribute.used = true;
            return int(index);
        }
    }
    return -1;
}

[[noreturn]] void meshError(int line, const Node& node, const std::string& what)
{
    throw ReadError(line, describeNode(node) + ": " + what);
}

void markUsed(const Node& node, const std::string& prefix)
{
    for (const auto& entry : node.attributes)
        if (entry.first.compare(0, prefix.size(), prefix) == 0)
            entry.second.used = true;
}

} // namespace

bool hasBakedGeometry(const Node& node)
{
    return node.attributes.count("vt") > 0 || node.attributes.count("fc") > 0;
}

BakedMesh bakeMesh(const Node& node)
{
    BakedMesh baked;
    headless::PolyMesh& mesh = baked.mesh;
    // Component bookkeeping, per-set names and face groups are read where they are needed, not set.
    for (const char* ignored : {"cd", "cvd", "hfd", "pd", "gtag", "uvst", "clst", "iog"})
        markUsed(node, ignored);

    // Vertices, with the tweaks added.
    std::vector<double> scratch;
    size_t vertexCount = 0;
    if (const Attribute* vt = findAttribute(node, "vt")) {
        const std::vector<double>& numbers = gatherArray(node, *vt, "vt", 3, false, 0, scratch);
        vertexCount = numbers.size() / 3;
        mesh.points.resize(vertexCount);
        for (size_t i = 0; i < vertexCount; ++i)
            mesh.points[i] = {numbers[3 * i], numbers[3 * i + 1], numbers[3 * i + 2]};
    }
    if (const Attribute* pt = findAttribute(node, "pt")) {
        const std::vector<double>& numbers = gatherArray(node, *pt, "pt", 3, true, vertexCount, scratch);
        for (size_t i = 0; i < numbers.size() / 3; ++i) {
            mesh.points[i].x += numbers[3 * i];
            mesh.points[i].y += numbers[3 * i + 1];
            mesh.points[i].z += numbers[3 * i + 2];
        }
    }

    // Edges: start, end, smooth flag.
    const Attribute* ed = findAttribute(node, "ed");
    const std::vector<double>& edges = ed ? gatherArray(node, *ed, "ed", 3, false, 0, scratch) : scratch;
    const size_t edgeCount = ed ? edges.size() / 3 : 0;
    const int edgeLine = ed ? ed->line : node.line;
    mesh.edges.resize(edgeCount);
    for (size_t e = 0; e < edgeCount; ++e) {
        for (int k = 0; k < 2; ++k) {
            const double v = edges[3 * e + k];
            if (v < 0 || v >= double(vertexCount) || v != std::floor(v))
                meshError(edgeLine, node, "edge " + std::to_string(e) + " joins vertex " + formatNumber(v) +
                                              ", but the mesh has " + std::to_string(vertexCount) + " vertices (.vt)");
        }
        mesh.edges[e] = {int(edges[3 * e]), int(edges[3 * e + 1]), edges[3 * e + 2] != 0};
    }

    // Faces, from chunks that together cover 0..n-1.
    const Attribute* fc = findAttribute(node, "fc");
    std::vector<const Chunk*> chunks;
    if (fc)
        for (const Chunk& chunk : fc->chunks)
            chunks.push_back(&chunk);
    std::sort(chunks.begin(), chunks.end(), [](const Chunk* a, const Chunk* b) { return a->first < b->first; });
    int64_t nextFace = 0;
    for (const Chunk* chunk : chunks) {
        if (chunk->first != nextFace)
            meshError(chunk->value.line, node, "expected faces from " + std::to_string(nextFace) + " in .fc, found " +
                                                   std::to_string(chunk->first));
        nextFace += chunk->count;
    }
    size_t corners = 0;
    for (const Chunk* chunk : chunks)
        if (const auto* faces = std::get_if<PolyFacesData>(&chunk->value.geometry))
            corners += faces->edges.size();
    mesh.faceEdges.reserve(corners);
    mesh.faceStart.reserve(size_t(nextFace) + 1);
    for (const Chunk* chunk : chunks) {
        const auto* faces = std::get_if<PolyFacesData>(&chunk->value.geometry);
        if (!faces)
            meshError(chunk->value.line, node, "expected -type \"polyFaces\" for .fc");
        const int line = chunk->value.line;
        if (!faces->facesWithHoles.empty())
            meshError(line, node, "face " + std::to_string(chunk->first + faces->facesWithHoles[0]) +
                                      " has a hole; faces with holes are not supported");
        for (size_t f = 0; f < faces->faceCount(); ++f) {
            const int64_t faceIndex = chunk->first + int64_t(f);
            const int first = int(mesh.faceEdges.size());
            int previousEnd = -1;
            for (int32_t c = faces->faceStart[f]; c < faces->faceStart[f + 1]; ++c) {
                const int32_t signedEdge = faces->edges[size_t(c)];
                const int64_t edge = signedEdge >= 0 ? signedEdge : -int64_t(signedEdge) - 1;
                if (uint64_t(edge) >= edgeCount)
                    meshError(line, node, "face " + std::to_string(faceIndex) + " uses edge " + std::to_string(edge) +
                                              ", but the mesh has " + std::to_string(edgeCount) + " edges (.ed)");
                mesh.faceEdges.push_back(int(signedEdge));
                const int start = mesh.cornerVertex(int(mesh.faceEdges.size()) - 1);
                if (previousEnd >= 0 && start != previousEnd)
                    meshError(line, node, "the edges of face " + std::to_string(faceIndex) + " do not form a loop");
                previousEnd = signedEdge >= 0 ? mesh.edges[size_t(edge)].end : mesh.edges[size_t(edge)].start;
            }
            if (previousEnd != mesh.cornerVertex(first))
                meshError(line, node, "the edges of face " + std::to_string(faceIndex) + " do not form a loop");
            mesh.faceStart.push_back(int(mesh.faceEdges.size()));
        }
    }
    const size_t cornerCount = mesh.faceEdges.size();

    // Per-corner indices of a set, gathered over the face chunks; empty when no face mentions the set.
    auto cornerIndices = [&](bool uv, int set, std::vector<int>& out) {
        out.clear();
        bool any = false;
        for (const Chunk* chunk : chunks) {
            const auto& faces = std::get<PolyFacesData>(chunk->value.geometry);
            const auto& sets = uv ? faces.uvs : faces.colors;
            auto found = sets.find(set);
            if (found == sets.end()) {
                out.insert(out.end(), faces.edges.size(), -1);
                continue;
            }
            any = true;
            out.insert(out.end(), found->second.begin(), found->second.end());
        }
        if (!any)
            out.clear();
    };
    auto checkIndices = [&](const std::vector<int>& flat, size_t count, const char* what, const std::string& attribute) {
        for (size_t c = 0; c < flat.size(); ++c)
            if (flat[c] < -1 || (flat[c] >= 0 && size_t(flat[c]) >= count))
                meshError(fc ? fc->line : node.line, node,
                          std::string("a face corner uses ") + what + " " + std::to_string(flat[c]) + ", but ." +
                              attribute + " holds " + std::to_string(count));
    };

    // The current UV set ("map1" unless .cuvs names another).
    const std::string uvSetName = plainString(node, "cuvs", "map1");
    int uvSet = findNamedSet(node, "uvst", "uvsn", uvSetName);
    if (uvSet < 0 && uvSetName == "map1")
        uvSet = 0;
    if (uvSet >= 0) {
        const std::string key = "uvst[" + std::to_string(uvSet) + "].uvsp";
        headless::PolyUVSet set;
        set.name = uvSetName;
        if (const Attribute* uvsp = findAttribute(node, key)) {
            const std::vector<double>& numbers = gatherArray(node, *uvsp, key.c_str(), 2, false, 0, scratch);
            set.uvs.reserve(numbers.size() / 2);
            for (size_t i = 0; i < numbers.size() / 2; ++i)
                set.uvs.push_back({float(numbers[2 * i]), float(numbers[2 * i + 1])});
        }
        cornerIndices(true, uvSet, set.cornerUVs);
        checkIndices(set.cornerUVs, set.uvs.size(), "UV", key);
        mesh.uvSets.push_back(std::move(set));
    }

    // The current colour set; older files keep colours in .clr, referenced by "fc" groups.
    const std::string colorSetName = plainString(node, "ccls", "");
    const int colorSet = colorSetName.empty() ? -1 : findNamedSet(node, "clst", "clsn", colorSetName);
    if (colorSet >= 0) {
        const std::string prefix = "clst[" + std::to_string(colorSet) + "]";
        headless::PolyColorSet set;
        set.name = colorSetName;
        set.components = int(plainInteger(node, prefix + ".rprt", 4, INT32_MIN, INT32_MAX));
        if (set.components != 1 && set.components != 3 && set.components != 4)
            meshError(node.line, node, "expected 1, 3 or 4 components per colour in " + prefix + ".rprt, found " +
                                           std::to_string(set.components));
        // Each element of .clsp is one colour of `components` numbers.
        if (const Attribute* clsp = findAttribute(node, prefix + ".clsp")) {
            const std::vector<double>& numbers =
                gatherArray(node, *clsp, (prefix + ".clsp").c_str(), size_t(set.components), false, 0, scratch);
            const size_t colorCount = numbers.size() / size_t(set.components);
            set.colors.reserve(colorCount);
            for (size_t i = 0; i < colorCount; ++i) {
                const double* c = &numbers[i * size_t(set.components)];
                // Alpha-only sets are white with that alpha; RGB sets are opaque.
                if (set.components == 1)
                    set.colors.push_back({1.0f, 1.0f, 1.0f, float(c[0])});
                else
                    set.colors.push_back(
                        {float(c[0]), float(c[1]), float(c[2]), set.components == 4 ? float(c[3]) : 1.0f});
            }
        }
        cornerIndices(false, colorSet, set.cornerColors);
        checkIndices(set.cornerColors, set.colors.size(), "colour", prefix + ".clsp");
        mesh.colorSets.push_back(std::move(set));
        mesh.currentColorSet = 0;
    } else if (const Attribute* clr = findAttribute(node, "clr")) {
        headless::PolyColorSet set;
        const std::vector<double>& numbers = gatherArray(node, *clr, "clr", 4, false, 0, scratch);
        const size_t colorCount = numbers.size() / 4;
        for (size_t i = 0; i < colorCount; ++i)
            set.colors.push_back({float(numbers[4 * i]), float(numbers[4 * i + 1]), float(numbers[4 * i + 2]),
                                  float(numbers[4 * i + 3])});
        for (const Chunk* chunk : chunks) {
            const auto& faces = std::get<PolyFacesData>(chunk->value.geometry);
            if (faces.oldColors.empty())
                set.cornerColors.insert(set.cornerColors.end(), faces.edges.size(), -1);
            else
                set.cornerColors.insert(set.cornerColors.end(), faces.oldColors.begin(), faces.oldColors.end());
        }
        checkIndices(set.cornerColors, colorCount, "colour", "clr");
        mesh.colorSets.push_back(std::move(set));
        mesh.currentColorSet = 0;
    }

    // Stored normals: one per corner in face order; 1e+20 marks a corner without one.
    if (const Attribute* n = findAttribute(node, "n")) {
        const std::vector<double>& numbers = gatherArray(node, *n, "n", 3, false, 0, scratch);
        const size_t count = numbers.size() / 3;
        if (count != cornerCount)
            meshError(n->line, node, "expected one normal per face corner in .n (" + std::to_string(cornerCount) +
                                         "), found " + std::to_string(count));
        baked.normals.resize(count);
        baked.normalStored.resize(count);
        for (size_t i = 0; i < count; ++i) {
            baked.normals[i] = {numbers[3 * i], numbers[3 * i + 1], numbers[3 * i + 2]};
            baked.normalStored[i] = !isNormalMarker(numbers[3 * i], numbers[3 * i + 1], numbers[3 * i + 2]);
        }
    }
    return baked;
}

MObject createMeshShape(const std::string& name, const MObject& parent, BakedMesh mesh, int line)
{
    const size_t stored = size_t(std::count(mesh.normalStored.begin(), mesh.normalStored.end(), true));
    const bool allStored = stored > 0 && stored == mesh.normalStored.size();
    const bool merging = stored > 0 && !allStored; // the mesh is needed again below
    std::string problem;
    MObject shape = headless::createMesh(name, parent, merging ? headless::PolyMesh(mesh.mesh) : std::move(mesh.mesh),
                                         allStored ? mesh.normals : std::vector<headless::Vec3>(), &problem);
    if (shape.isNull())
        throw ReadError(line, name + " (mesh): " + (problem.empty() ? std::string("the host refused the mesh") : problem));
    if (stored == 0 || allStored)
        return shape;

    // Corners without a stored normal keep the one the host computes from the edges' hardness.
    MStatus status;
    MFnMesh fn(shape, &status);
    MFloatVectorArray computed;
    fn.getNormals(computed);
    headless::MeshData merged = headless::toMeshData(mesh.mesh);
    merged.normals = mesh.normals;
    merged.faceNormals.clear();
    MItMeshPolygon faces(shape);
    int corner = 0;
    for (size_t f = 0; f < merged.faces.size() && !faces.isDone(); ++f, faces.next()) {
        std::vector<int> ids;
        for (size_t c = 0; c < merged.faces[f].size(); ++c, ++corner) {
            if (!mesh.normalStored[size_t(corner)]) {
                const int computedIndex = faces.normalIndex(int(c));
                if (computedIndex >= 0 && unsigned(computedIndex) < computed.length())
                    merged.normals[size_t(corner)] = {computed[unsigned(computedIndex)].x,
                                                      computed[unsigned(computedIndex)].y,
                                                      computed[unsigned(computedIndex)].z};
            }
            ids.push_back(corner);
        }
        merged.faceNormals.push_back(std::move(ids));
    }
    if (!headless::setMeshGeometry(shape, merged))
        throw ReadError(line, name + " (mesh): the host refused the merged normals");
    return shape;
}

} // namespace mayaascii
