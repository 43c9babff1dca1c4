// The mesh function set and the face and vertex iterators.
#include "scene_model.h"

#include <maya/MColorArray.h>
#include <maya/MFloatArray.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFloatVectorArray.h>
#include <maya/MFnMesh.h>
#include <maya/MIntArray.h>
#include <maya/MItMeshPolygon.h>
#include <maya/MItMeshVertex.h>
#include <maya/MPoint.h>
#include <maya/MPointArray.h>
#include <maya/MVector.h>
#include <maya/MString.h>

#include <algorithm>
#include <cstdint>
#include <vector>

using headless::MeshGeometry;
using headless::Node;
using headless::setStatus;

namespace headless {

namespace {

const MeshGeometry& emptyMesh() {
  static const MeshGeometry none;
  return none;
}

// The geometry of the attached mesh (empty for a mesh shape without any), or null with kFailure.
const MeshGeometry* meshOf(const MFnBase& fn, MStatus* status) {
  Node* node = attachedNode(fn, status);
  if (node == nullptr) return nullptr;
  return node->mesh ? node->mesh.get() : &emptyMesh();
}

// The geometry and the matrix for a space, or null with the status to return.
const MeshGeometry* meshInSpace(const MFnBase& fn, MSpace::Space space, MMatrix& matrix, MStatus& status) {
  const MeshGeometry* g = meshOf(fn, &status);
  if (g != nullptr && !spaceMatrix(fn, space, matrix)) {
    status = MStatus::kInvalidParameter;
    return nullptr;
  }
  return g;
}

// The distinct vertex pairs of the faces' sides, counted by sorting their keys.
int countEdges(const MeshGeometry& g) {
  std::vector<std::uint64_t> edges;
  edges.reserve(g.faceVertices.size());
  for (int f = 0; f < g.numFaces(); ++f) {
    for (int k = g.faceStart[f]; k < g.faceStart[f + 1]; ++k) {
      int a = g.faceVertices[k], b = g.faceVertices[k + 1 < g.faceStart[f + 1] ? k + 1 : g.faceStart[f]];
      if (a > b) std::swap(a, b);
      edges.push_back((static_cast<std::uint64_t>(static_cast<std::uint32_t>(a)) << 32) | static_cast<std::uint32_t>(b));
    }
  }
  std::sort(edges.begin(), edges.end());
  return static_cast<int>(std::unique(edges.begin(), edges.end()) - edges.begin());
}

bool currentUVSet(const Node* node, const MString* uvSet) {
  if (uvSet == nullptr) return true;
  std::string current;
  readText(node, "currentUVSet", current);
  return current == uvSet->asChar();
}

}  // namespace

}  // namespace headless

QAX_DAG_FN_CONSTRUCTORS(MFnMesh, MFn::kMesh)

int MFnMesh::numVertices(MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  return g != nullptr ? static_cast<int>(g->points.size()) : 0;
}

int MFnMesh::numEdges(MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  if (g == nullptr) return 0;
  // Counting takes a sort of every side; exports never ask, so it waits for the first question.
  if (g->numEdges < 0) g->numEdges = headless::countEdges(*g);
  return g->numEdges;
}

int MFnMesh::numPolygons(MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  return g != nullptr ? g->numFaces() : 0;
}

int MFnMesh::numFaceVertices(MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  return g != nullptr ? static_cast<int>(g->faceVertices.size()) : 0;
}

int MFnMesh::polygonVertexCount(int polygonId, MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  if (g == nullptr) return 0;
  if (polygonId < 0 || polygonId >= g->numFaces()) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return 0;
  }
  return g->faceSize(polygonId);
}

MStatus MFnMesh::getPolygonVertices(int polygonId, MIntArray& vertexList) const {
  MStatus status;
  const MeshGeometry* g = headless::meshOf(*this, &status);
  if (g == nullptr) return status;
  if (polygonId < 0 || polygonId >= g->numFaces()) return MStatus::kInvalidParameter;
  vertexList.clear();
  for (int k = g->faceStart[polygonId]; k < g->faceStart[polygonId + 1]; ++k) vertexList.append(g->faceVertices[k]);
  return MStatus::kSuccess;
}

MStatus MFnMesh::getPoints(MFloatPointArray& vertexArray, MSpace::Space space) const {
  MStatus status;
  MMatrix matrix;
  const MeshGeometry* g = headless::meshInSpace(*this, space, matrix, status);
  if (g == nullptr) return status;
  vertexArray.setLength(static_cast<unsigned>(g->points.size()));
  for (size_t i = 0; i < g->points.size(); ++i) {
    MPoint p = g->points[i].point() * matrix;
    vertexArray[static_cast<unsigned>(i)] =
        MFloatPoint(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
  }
  return MStatus::kSuccess;
}

MStatus MFnMesh::getPoints(MPointArray& vertexArray, MSpace::Space space) const {
  MStatus status;
  MMatrix matrix;
  const MeshGeometry* g = headless::meshInSpace(*this, space, matrix, status);
  if (g == nullptr) return status;
  vertexArray.setLength(static_cast<unsigned>(g->points.size()));
  for (size_t i = 0; i < g->points.size(); ++i) vertexArray[static_cast<unsigned>(i)] = g->points[i].point() * matrix;
  return MStatus::kSuccess;
}

int MFnMesh::numNormals(MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  if (g == nullptr) return 0;
  g->waitForNormals();
  return static_cast<int>(g->normals.size() / 3);
}

// World-space normals go through the inverse transpose of the world matrix and are normalised again.
MStatus MFnMesh::getNormals(MFloatVectorArray& normals, MSpace::Space space) const {
  MStatus status;
  MMatrix matrix;
  const MeshGeometry* g = headless::meshInSpace(*this, space, matrix, status);
  if (g == nullptr) return status;
  g->waitForNormals();
  const MMatrix normalMatrix = matrix.inverse().transpose();
  const unsigned count = static_cast<unsigned>(g->normals.size() / 3);
  normals.setLength(count);
  for (unsigned i = 0; i < count; ++i) {
    MVector n(g->normals[3 * i], g->normals[3 * i + 1], g->normals[3 * i + 2]);
    if (space == MSpace::kWorld) n = (n * normalMatrix).normal();
    normals[i] = MFloatVector(n);
  }
  return MStatus::kSuccess;
}

int MFnMesh::numUVs(MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  return g != nullptr ? static_cast<int>(g->u.size()) : 0;
}

int MFnMesh::numUVs(const MString& uvSet, MStatus* ReturnStatus) const {
  const MeshGeometry* g = headless::meshOf(*this, ReturnStatus);
  if (g == nullptr) return 0;
  if (!headless::currentUVSet(headless::attachedNode(*this, nullptr), &uvSet)) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return 0;
  }
  return static_cast<int>(g->u.size());
}

MStatus MFnMesh::getUVs(MFloatArray& uArray, MFloatArray& vArray, const MString* uvSet) const {
  MStatus status;
  const MeshGeometry* g = headless::meshOf(*this, &status);
  if (g == nullptr) return status;
  if (!headless::currentUVSet(headless::attachedNode(*this, nullptr), uvSet)) return MStatus::kInvalidParameter;
  uArray.setLength(static_cast<unsigned>(g->u.size()));
  vArray.setLength(static_cast<unsigned>(g->v.size()));
  for (size_t i = 0; i < g->u.size(); ++i) {
    uArray[static_cast<unsigned>(i)] = g->u[i];
    vArray[static_cast<unsigned>(i)] = g->v[i];
  }
  return MStatus::kSuccess;
}

MStatus MFnMesh::getPolygonUVid(int polygonId, int vertexId, int& uvId, const MString* uvSet) const {
  MStatus status;
  const MeshGeometry* g = headless::meshOf(*this, &status);
  if (g == nullptr) return status;
  if (!headless::currentUVSet(headless::attachedNode(*this, nullptr), uvSet)) return MStatus::kInvalidParameter;
  if (polygonId < 0 || polygonId >= g->numFaces() || vertexId < 0 || vertexId >= g->faceSize(polygonId)) {
    return MStatus::kInvalidParameter;
  }
  const int k = g->faceStart[polygonId] + vertexId;
  if (g->faceVertexUV.empty() || g->faceVertexUV[k] < 0) return MStatus::kInvalidParameter;
  uvId = g->faceVertexUV[k];
  return MStatus::kSuccess;
}

int MFnMesh::numUVSets(MStatus* ReturnStatus) const {
  return headless::meshOf(*this, ReturnStatus) != nullptr ? 1 : 0;
}

MString MFnMesh::currentUVSetName(MStatus* ReturnStatus) const {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  std::string name;
  if (node != nullptr) headless::readText(node, "currentUVSet", name);
  return MString(name.c_str());
}

// One colour per face-vertex in face order; a corner without a colour gives (-1, -1, -1, -1), the value the
// host documents for unset colours (for the API-500 form it is not documented).
MStatus MFnMesh::getFaceVertexColors(MColorArray& colors) {
  MStatus status;
  const MeshGeometry* g = headless::meshOf(*this, &status);
  if (g == nullptr) return status;
  const unsigned count = static_cast<unsigned>(g->faceVertices.size());
  colors.setLength(count);
  for (unsigned k = 0; k < count; ++k) {
    const int id = g->faceVertexColor.empty() ? -1 : g->faceVertexColor[k];
    if (id < 0) {
      colors[k] = MColor(-1.0f, -1.0f, -1.0f, -1.0f);
    } else {
      const headless::Color4& c = g->colors[id];
      colors[k] = MColor(c.r, c.g, c.b, c.a);
    }
  }
  return MStatus::kSuccess;
}

// The index into getFaceVertexColors' array: the face-vertex's ordinal, coloured or not.
MStatus MFnMesh::getFaceVertexColorIndex(int faceIndex, int localVertexIndex, int& colorIndex) {
  MStatus status;
  const MeshGeometry* g = headless::meshOf(*this, &status);
  if (g == nullptr) return status;
  if (faceIndex < 0 || faceIndex >= g->numFaces() || localVertexIndex < 0 ||
      localVertexIndex >= g->faceSize(faceIndex)) {
    return MStatus::kInvalidParameter;
  }
  colorIndex = g->faceStart[faceIndex] + localVertexIndex;
  return MStatus::kSuccess;
}

// ---- iterators
namespace headless {

struct MeshWalk {
  Ref<Node> mesh;
  PathData path;  // valid when made from a path
  int count = 0;
  int position = 0;

  const MeshGeometry& geometry() const { return mesh->mesh ? *mesh->mesh : emptyMesh(); }
  bool done() const { return !mesh->alive || position >= count; }
};

namespace {

// The mesh an iterator walks: a mesh node, or the mesh shape a DAG path leads to (a transform's path reaches
// the shape below it).
MeshWalk* startWalk(Node* node, const PathData* path, bool faces) {
  if (node != nullptr && !node->hasFn(MFn::kMesh) && node->isTransform()) node = firstShapeChild(node);
  if (node == nullptr || !node->hasFn(MFn::kMesh)) return nullptr;
  MeshWalk* walk = new MeshWalk;
  walk->mesh = Ref<Node>(node);
  if (path != nullptr) {
    walk->path = *path;
    if (endNode(path) != node) walk->path.push(node);
  }
  walk->count = faces ? walk->geometry().numFaces() : static_cast<int>(walk->geometry().points.size());
  return walk;
}

MPoint walkPoint(const MeshWalk& walk, int vertex, MSpace::Space space, MStatus* status) {
  if (space == MSpace::kWorld && !walk.path.valid) {
    setStatus(status, MStatus::kInvalidParameter);
    return MPoint();
  }
  setStatus(status, MStatus::kSuccess);
  const MPoint p = walk.geometry().points[vertex].point();
  return space == MSpace::kWorld ? p * inclusiveMatrix(walk.path) : p;
}

// What the face and vertex iterators share: a walk that failed to start is null, and every call on it fails.
MeshWalk* startPathWalk(const MDagPath& object, bool faces) {
  const PathData* path = PathAccess::get(object);
  return startWalk(endNode(path), path, faces);
}

MStatus::MStatusCode startedCode(const MeshWalk* walk) {
  return walk != nullptr ? MStatus::kSuccess : MStatus::kFailure;
}

bool walkIsDone(const MeshWalk* walk, MStatus* status) {
  setStatus(status, startedCode(walk));
  return walk == nullptr || walk->done();
}

MStatus walkNext(MeshWalk* walk) {
  if (walk == nullptr) return MStatus::kFailure;
  if (walk->position < walk->count) ++walk->position;
  return MStatus::kSuccess;
}

MStatus walkReset(MeshWalk* walk) {
  if (walk == nullptr) return MStatus::kFailure;
  walk->position = 0;
  return MStatus::kSuccess;
}

int walkCount(const MeshWalk* walk, MStatus* status) {
  setStatus(status, startedCode(walk));
  return walk != nullptr ? walk->count : 0;
}

int walkIndex(const MeshWalk* walk, MStatus* status) {
  const bool ok = walk != nullptr && !walk->done();
  setStatus(status, ok ? MStatus::kSuccess : MStatus::kFailure);
  return ok ? walk->position : -1;
}

// The face-vertex ordinal of a corner of the current face, or -1 with kFailure past the end and
// kInvalidParameter for a corner the face does not have.
int currentCorner(const MeshWalk* walk, int localVertexIndex, MStatus* status) {
  if (walk == nullptr || walk->done()) {
    setStatus(status, MStatus::kFailure);
    return -1;
  }
  const MeshGeometry& g = walk->geometry();
  if (localVertexIndex < 0 || localVertexIndex >= g.faceSize(walk->position)) {
    setStatus(status, MStatus::kInvalidParameter);
    return -1;
  }
  setStatus(status, MStatus::kSuccess);
  return g.faceStart[walk->position] + localVertexIndex;
}

}  // namespace

}  // namespace headless

using headless::MeshWalk;

MItMeshPolygon::MItMeshPolygon(const MObject& polyObject, MStatus* ReturnStatus)
    : walk_(headless::startWalk(headless::nodeFrom(polyObject), nullptr, true)) {
  setStatus(ReturnStatus, headless::startedCode(walk_));
}

MItMeshPolygon::MItMeshPolygon(const MDagPath& polyObject, MObject&, MStatus* ReturnStatus)
    : walk_(headless::startPathWalk(polyObject, true)) {
  setStatus(ReturnStatus, headless::startedCode(walk_));
}

MItMeshPolygon::~MItMeshPolygon() { delete walk_; }

bool MItMeshPolygon::isDone(MStatus* ReturnStatus) { return headless::walkIsDone(walk_, ReturnStatus); }
MStatus MItMeshPolygon::next() { return headless::walkNext(walk_); }
MStatus MItMeshPolygon::reset() { return headless::walkReset(walk_); }
int MItMeshPolygon::count(MStatus* ReturnStatus) { return headless::walkCount(walk_, ReturnStatus); }
int MItMeshPolygon::index(MStatus* ReturnStatus) { return headless::walkIndex(walk_, ReturnStatus); }

int MItMeshPolygon::polygonVertexCount(MStatus* ReturnStatus) {
  const bool ok = walk_ != nullptr && !walk_->done();
  setStatus(ReturnStatus, ok ? MStatus::kSuccess : MStatus::kFailure);
  return ok ? walk_->geometry().faceSize(walk_->position) : 0;
}

int MItMeshPolygon::vertexIndex(int index, MStatus* ReturnStatus) {
  const int corner = headless::currentCorner(walk_, index, ReturnStatus);
  return corner >= 0 ? walk_->geometry().faceVertices[corner] : -1;
}

MStatus MItMeshPolygon::getVertices(MIntArray& vertices) {
  vertices.clear();
  if (walk_ == nullptr || walk_->done()) return MStatus::kFailure;
  const MeshGeometry& g = walk_->geometry();
  for (int k = g.faceStart[walk_->position]; k < g.faceStart[walk_->position + 1]; ++k) {
    vertices.append(g.faceVertices[k]);
  }
  return MStatus::kSuccess;
}

MPoint MItMeshPolygon::point(int index, MSpace::Space space, MStatus* ReturnStatus) {
  const int vertex = vertexIndex(index, ReturnStatus);
  if (vertex < 0) return MPoint();
  return headless::walkPoint(*walk_, vertex, space, ReturnStatus);
}

int MItMeshPolygon::normalIndex(int localVertexIndex, MStatus* ReturnStatus) const {
  const int corner = headless::currentCorner(walk_, localVertexIndex, ReturnStatus);
  if (corner < 0) return -1;
  walk_->geometry().waitForNormals();
  return walk_->geometry().faceVertexNormal[corner];
}

bool MItMeshPolygon::hasUVs(MStatus* ReturnStatus) const {
  if (walk_ == nullptr || walk_->done()) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return false;
  }
  setStatus(ReturnStatus, MStatus::kSuccess);
  const MeshGeometry& g = walk_->geometry();
  if (g.faceVertexUV.empty()) return false;
  for (int k = g.faceStart[walk_->position]; k < g.faceStart[walk_->position + 1]; ++k) {
    if (g.faceVertexUV[k] < 0) return false;
  }
  return true;
}

// An unmapped corner, like an index out of range, gives kInvalidParameter and leaves index untouched.
MStatus MItMeshPolygon::getUVIndex(int vertex, int& index, const MString* uvSet) {
  if (walk_ == nullptr || walk_->done()) return MStatus::kFailure;
  if (!headless::currentUVSet(walk_->mesh.get(), uvSet)) return MStatus::kInvalidParameter;
  const MeshGeometry& g = walk_->geometry();
  if (vertex < 0 || vertex >= g.faceSize(walk_->position)) return MStatus::kInvalidParameter;
  const int k = g.faceStart[walk_->position] + vertex;
  if (g.faceVertexUV.empty() || g.faceVertexUV[k] < 0) return MStatus::kInvalidParameter;
  index = g.faceVertexUV[k];
  return MStatus::kSuccess;
}

MItMeshVertex::MItMeshVertex(MObject& polyObject, MStatus* ReturnStatus)
    : walk_(headless::startWalk(headless::nodeFrom(polyObject), nullptr, false)) {
  setStatus(ReturnStatus, headless::startedCode(walk_));
}

MItMeshVertex::MItMeshVertex(const MDagPath& polyObject, MObject&, MStatus* ReturnStatus)
    : walk_(headless::startPathWalk(polyObject, false)) {
  setStatus(ReturnStatus, headless::startedCode(walk_));
}

MItMeshVertex::~MItMeshVertex() { delete walk_; }

bool MItMeshVertex::isDone(MStatus* ReturnStatus) { return headless::walkIsDone(walk_, ReturnStatus); }
MStatus MItMeshVertex::next() { return headless::walkNext(walk_); }
MStatus MItMeshVertex::reset() { return headless::walkReset(walk_); }
int MItMeshVertex::count(MStatus* ReturnStatus) { return headless::walkCount(walk_, ReturnStatus); }
int MItMeshVertex::index(MStatus* ReturnStatus) { return headless::walkIndex(walk_, ReturnStatus); }

MPoint MItMeshVertex::position(MSpace::Space space, MStatus* ReturnStatus) {
  if (walk_ == nullptr || walk_->done()) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MPoint();
  }
  return headless::walkPoint(*walk_, walk_->position, space, ReturnStatus);
}
