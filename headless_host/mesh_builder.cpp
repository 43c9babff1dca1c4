// Building mesh geometry from a MeshData: checks, flattening into face-vertex lists, normals when none given.
#include "mesh_normals.h"
#include "scene_model.h"

#include <headless/poly_mesh.h>
#include <headless/scene.h>

#include <algorithm>
#include <cstdint>
#include <future>
#include <map>
#include <system_error>
#include <set>

namespace headless {

namespace {

bool perCornerMatches(const std::vector<std::vector<int>>& ids, const MeshData& data, size_t count,
                      bool allowUnmapped, std::string& problem, const char* what) {
  if (ids.empty()) return true;
  if (ids.size() != data.faces.size()) {
    problem = std::string(what) + ": one list per face is needed";
    return false;
  }
  for (size_t f = 0; f < ids.size(); ++f) {
    if (ids[f].size() != data.faces[f].size()) {
      problem = std::string(what) + ": face " + std::to_string(f) + " needs one id per corner";
      return false;
    }
    for (int id : ids[f]) {
      if ((id == -1 && allowUnmapped) || (id >= 0 && static_cast<size_t>(id) < count)) continue;
      problem = std::string(what) + ": id " + std::to_string(id) + " out of range in face " + std::to_string(f);
      return false;
    }
  }
  return true;
}

std::string faceList(const std::vector<int>& faces) {
  std::string text;
  std::set<int> sorted(faces.begin(), faces.end());
  for (auto it = sorted.begin(); it != sorted.end();) {
    int first = *it, last = *it;
    while (++it != sorted.end() && *it == last + 1) last = *it;
    text += (text.empty() ? "f[" : " f[") + std::to_string(first) + (last != first ? ":" + std::to_string(last) : "") + "]";
  }
  return text;
}

}  // namespace

namespace {

bool usesAVertexTwice(const int* face, size_t size) {
  // Most faces are small: comparing every pair costs less than sorting a copy.
  if (size <= 16) {
    for (size_t i = 0; i < size; ++i)
      for (size_t j = i + 1; j < size; ++j)
        if (face[i] == face[j]) return true;
    return false;
  }
  std::vector<int> sorted(face, face + size);
  std::sort(sorted.begin(), sorted.end());
  return std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end();
}

std::string checkMesh(const MeshData& data, bool checkVertexIds) {
  std::string problem;
  for (size_t f = 0; f < data.faces.size(); ++f) {
    const std::vector<int>& face = data.faces[f];
    if (face.size() < 3) return "face " + std::to_string(f) + " has fewer than three corners";
    for (int v : face) {
      if (checkVertexIds && (v < 0 || static_cast<size_t>(v) >= data.points.size())) {
        return "face " + std::to_string(f) + " uses vertex " + std::to_string(v) + " that does not exist";
      }
    }
    if (usesAVertexTwice(face.data(), face.size())) return "face " + std::to_string(f) + " uses a vertex twice";
  }
  if (!data.faceUVs.empty() && data.uvs.empty()) return "faceUVs without uvs";
  if (!perCornerMatches(data.faceUVs, data, data.uvs.size(), true, problem, "faceUVs")) return problem;
  if (data.normals.empty() != data.faceNormals.empty()) return "normals and faceNormals go together";
  if (!perCornerMatches(data.faceNormals, data, data.normals.size(), false, problem, "faceNormals")) return problem;
  if (!data.faceColors.empty() && data.colors.empty()) return "faceColors without colors";
  if (!perCornerMatches(data.faceColors, data, data.colors.size(), true, problem, "faceColors")) return problem;
  for (const std::pair<int, int>& e : data.hardEdges) {
    if (e.first < 0 || e.second < 0 || static_cast<size_t>(e.first) >= data.points.size() ||
        static_cast<size_t>(e.second) >= data.points.size()) {
      return "hard edge with a vertex that does not exist";
    }
  }
  return std::string();
}

// Meshes of this many corners or more have their normals computed on a second thread; for smaller ones,
// starting a thread costs more than it saves.
const size_t kBackgroundNormalCorners = size_t(1) << 18;

// The computation started last on a second thread, so that the next one waits for it.
std::shared_future<void>& lastBackgroundNormals() {
  static std::shared_future<void> last;
  return last;
}

// The host's own normals of a mesh from its points, faces and hard edges.
void computeHostNormals(MeshGeometry& g, const std::vector<std::pair<int, int>>& hardEdges) {
  static_assert(sizeof(StoredPoint) == 3 * sizeof(float), "points are read as x y z floats");
  const auto outside = [&](int v) { return v < 0 || static_cast<size_t>(v) >= g.points.size(); };
  // A sound mesh (all but damaged ones) is computed from its own lists, without a copy of its points or corners.
  if (!std::any_of(g.faceVertices.begin(), g.faceVertices.end(), outside)) {
    computeVertexNormals(reinterpret_cast<const float*>(g.points.data()), static_cast<int>(g.points.size()),
                         g.faceStart, g.faceVertices, hardEdges, g.normals, g.faceVertexNormal);
    return;
  }
  // Ids outside the points (a damaged mesh) are computed with extra vertices at the origin.
  std::vector<float> points(3 * g.points.size());
  std::copy_n(reinterpret_cast<const float*>(g.points.data()), points.size(), points.data());
  std::vector<int> renumbered = g.faceVertices;
  std::map<int, int> extra;
  for (int& v : renumbered) {
    if (!outside(v)) continue;
    auto it = extra.find(v);
    if (it == extra.end()) {
      it = extra.emplace(v, static_cast<int>(points.size() / 3)).first;
      points.insert(points.end(), {0.0f, 0.0f, 0.0f});
    }
    v = it->second;
  }
  computeVertexNormals(points.data(), static_cast<int>(points.size() / 3), g.faceStart, renumbered, hardEdges,
                       g.normals, g.faceVertexNormal);
}

// The flat form both ways into the host's storage fill: faces as offsets into per-corner lists.
struct FlatMesh {
  const std::vector<Vec3>* points = nullptr;
  std::vector<int> faceStart, faceVertices;
  const std::vector<TexCoord>* uvs = nullptr;
  std::vector<int> cornerUVs;  // empty: none mapped
  const std::vector<Color4>* colors = nullptr;
  std::vector<int> cornerColors;  // empty: none coloured
  const std::vector<std::pair<int, int>>* hardEdges = nullptr;
  const std::vector<Vec3>* normals = nullptr;  // with cornerNormals, or empty for the host's own
  std::vector<int> cornerNormals;
};

void storeFlat(Node* node, FlatMesh& flat) {
  std::unique_ptr<MeshGeometry> g(new MeshGeometry);
  // The host keeps mesh points in single precision.
  g->points.reserve(flat.points->size());
  for (const Vec3& p : *flat.points) {
    g->points.push_back({static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)});
  }
  g->faceStart = std::move(flat.faceStart);
  g->faceVertices = std::move(flat.faceVertices);
  g->u.reserve(flat.uvs->size());
  g->v.reserve(flat.uvs->size());
  for (const TexCoord& uv : *flat.uvs) {
    g->u.push_back(uv.u);
    g->v.push_back(uv.v);
  }
  if (!flat.uvs->empty()) {
    g->faceVertexUV = std::move(flat.cornerUVs);
    g->faceVertexUV.resize(g->faceVertices.size(), -1);
  }
  if (!flat.normals->empty()) {
    g->normals.reserve(3 * flat.normals->size());
    for (const Vec3& n : *flat.normals) {
      g->normals.push_back(static_cast<float>(n.x));
      g->normals.push_back(static_cast<float>(n.y));
      g->normals.push_back(static_cast<float>(n.z));
    }
    g->faceVertexNormal = std::move(flat.cornerNormals);
  } else if (g->faceVertices.size() < kBackgroundNormalCorners) {
    computeHostNormals(*g, *flat.hardEdges);
  } else {
    // A large mesh's normals take a second thread from here; its first normal query waits for them, while the
    // rest of the scene is built and an export reads the points, colours and UVs. One mesh at a time, so that
    // a scene of many large meshes holds one extra thread and one mesh's scratch.
    std::shared_future<void>& previous = lastBackgroundNormals();
    if (previous.valid()) previous.wait();
    MeshGeometry* target = g.get();
    try {
      g->pendingNormals =
          std::async(std::launch::async, [target, hard = *flat.hardEdges] { computeHostNormals(*target, hard); })
              .share();
      previous = g->pendingNormals;
    } catch (const std::system_error&) {
      computeHostNormals(*g, *flat.hardEdges);  // no thread to be had: now, on this one
    }
  }
  g->colors = *flat.colors;
  if (!flat.colors->empty()) {
    g->faceVertexColor = std::move(flat.cornerColors);
    g->faceVertexColor.resize(g->faceVertices.size(), -1);
  }
  node->mesh = std::move(g);
}

// Per-face id lists laid out per corner, or empty when there are none.
std::vector<int> perCorner(const std::vector<std::vector<int>>& ids, size_t corners) {
  std::vector<int> flat;
  if (ids.empty()) return flat;
  flat.reserve(corners);
  for (const std::vector<int>& face : ids) flat.insert(flat.end(), face.begin(), face.end());
  return flat;
}

bool storeMesh(const MObject& mesh, const MeshData& data, bool checkVertexIds) {
  Node* node = nodeFrom(mesh);
  if (node == nullptr || !node->hasFn(MFn::kMesh) || !checkMesh(data, checkVertexIds).empty()) return false;
  FlatMesh flat;
  flat.points = &data.points;
  size_t corners = 0;
  for (const std::vector<int>& face : data.faces) corners += face.size();
  flat.faceStart.reserve(data.faces.size() + 1);
  flat.faceVertices.reserve(corners);
  flat.faceStart.push_back(0);
  for (const std::vector<int>& face : data.faces) {
    flat.faceVertices.insert(flat.faceVertices.end(), face.begin(), face.end());
    flat.faceStart.push_back(static_cast<int>(flat.faceVertices.size()));
  }
  flat.uvs = &data.uvs;
  flat.cornerUVs = perCorner(data.faceUVs, corners);
  flat.colors = &data.colors;
  flat.cornerColors = perCorner(data.faceColors, corners);
  flat.hardEdges = &data.hardEdges;
  flat.normals = &data.normals;
  flat.cornerNormals = perCorner(data.faceNormals, corners);
  storeFlat(node, flat);
  return true;
}

}  // namespace

std::string validateMesh(const MeshData& data) { return checkMesh(data, true); }

bool setMeshGeometry(const MObject& mesh, const MeshData& data) { return storeMesh(mesh, data, true); }

bool setDamagedMeshGeometry(const MObject& mesh, const MeshData& data) { return storeMesh(mesh, data, false); }

MObject createMesh(const std::string& name, const MObject& parentTransform, const MeshData& data) {
  if (!validateMesh(data).empty()) return MObject();
  Node* parent = nodeFrom(parentTransform);
  if (parent == nullptr || !parent->isTransform()) return MObject();
  MObject shape = createNode("mesh", name, parentTransform);
  setMeshGeometry(shape, data);
  return shape;
}

MObject createMesh(const std::string& name, const MObject& parentTransform, PolyMesh mesh,
                   const std::vector<Vec3>& cornerNormals, std::string* problem) {
  std::string what = validatePolyMesh(mesh);
  FlatMesh flat;
  flat.faceVertices.resize(size_t(mesh.numCorners()));
  for (int c = 0; c < mesh.numCorners(); ++c) flat.faceVertices[c] = mesh.cornerVertex(c);
  for (int f = 0; what.empty() && f < mesh.numFaces(); ++f) {
    const int* face = flat.faceVertices.data() + mesh.faceStart[f];
    if (usesAVertexTwice(face, size_t(mesh.faceStart[f + 1] - mesh.faceStart[f])))
      what = "face " + std::to_string(f) + " uses a vertex twice";
  }
  if (what.empty() && !cornerNormals.empty() && cornerNormals.size() != size_t(mesh.numCorners()))
    what = "one normal per face corner is needed";
  Node* parent = nodeFrom(parentTransform);
  if (what.empty() && (parent == nullptr || !parent->isTransform())) what = "the parent is not a transform";
  if (!what.empty()) {
    if (problem != nullptr) *problem = what;
    return MObject();
  }
  static const std::vector<TexCoord> noUVs;
  static const std::vector<Color4> noColors;
  flat.points = &mesh.points;
  const bool hasUVs = mesh.currentUVSet >= 0 && mesh.currentUVSet < static_cast<int>(mesh.uvSets.size());
  flat.uvs = hasUVs ? &mesh.uvSets[mesh.currentUVSet].uvs : &noUVs;
  if (hasUVs) flat.cornerUVs = std::move(mesh.uvSets[mesh.currentUVSet].cornerUVs);
  const bool hasColors = mesh.currentColorSet >= 0 && mesh.currentColorSet < static_cast<int>(mesh.colorSets.size());
  flat.colors = hasColors ? &mesh.colorSets[mesh.currentColorSet].colors : &noColors;
  if (hasColors) flat.cornerColors = std::move(mesh.colorSets[mesh.currentColorSet].cornerColors);
  std::vector<std::pair<int, int>> hard;
  for (const PolyEdge& edge : mesh.edges)
    if (!edge.smooth) hard.emplace_back(edge.start, edge.end);
  flat.hardEdges = &hard;
  flat.normals = &cornerNormals;
  if (!cornerNormals.empty()) {
    flat.cornerNormals.resize(cornerNormals.size());
    for (size_t c = 0; c < cornerNormals.size(); ++c) flat.cornerNormals[c] = static_cast<int>(c);
  }
  flat.faceStart = std::move(mesh.faceStart);
  MObject shape = createNode("mesh", name, parentTransform);
  storeFlat(nodeFrom(shape), flat);
  return shape;
}

bool assignFaces(const MObject& set, const MObject& mesh, const std::vector<int>& faces, unsigned instance) {
  Node* setNode = nodeFrom(set);
  Node* meshNode = nodeFrom(mesh);
  if (setNode == nullptr || meshNode == nullptr || !setNode->hasFn(MFn::kSet) || !meshNode->hasFn(MFn::kMesh) ||
      faces.empty()) {
    return false;
  }
  const int numFaces = meshNode->mesh ? meshNode->mesh->numFaces() : 0;
  for (int f : faces) {
    if (f < 0 || f >= numFaces) return false;
  }
  const std::string groups = "instObjGroups[" + std::to_string(instance) + "].objectGroups";
  const std::string group = groups + "[" + std::to_string(nextFreeIndex(meshNode, groups)) + "]";
  // As the host does it: the face list on the shape's object group, a groupId node naming the group, and the
  // group connected to the set's members.
  MObject groupId = createNode("groupId", "groupId");
  Node* idNode = nodeFrom(groupId);
  const int id = static_cast<int>(idNode->id);
  writeNumbers(idNode, "groupId", {static_cast<double>(id)});
  writeText(meshNode, group + ".objectGrpCompList", faceList(faces));
  connectPlugs(idNode, "groupId", meshNode, group + ".objectGroupId");
  connectPlugs(idNode, "message", setNode, "groupNodes");
  return connectPlugs(meshNode, group, setNode, "dagSetMembers");
}

}  // namespace headless
