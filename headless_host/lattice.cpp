// Lattices and ffd deformers: building them and their function sets.
#include "scene_model.h"

#include <maya/MFnLattice.h>
#include <maya/MFnLatticeDeformer.h>
#include <maya/MObjectArray.h>
#include <maya/MPoint.h>

#include <algorithm>
#include <cstdlib>

using headless::Node;
using headless::setStatus;

namespace headless {

namespace {

// The most points a lattice may have here; more cannot be a real lattice and would only exhaust memory.
const double kMostLatticePoints = 16777216.0;

}  // namespace

bool setLatticeGeometry(const MObject& lattice, unsigned s, unsigned t, unsigned u, const std::vector<Vec3>& points) {
  Node* node = nodeFrom(lattice);
  if (node == nullptr || !node->hasFn(MFn::kLattice) || s < 2 || t < 2 || u < 2) return false;
  if (static_cast<double>(s) * t * u > kMostLatticePoints) return false;
  if (!points.empty() && points.size() != static_cast<size_t>(s) * t * u) return false;
  std::unique_ptr<LatticeGeometry> g(new LatticeGeometry);
  g->s = s;
  g->t = t;
  g->u = u;
  for (unsigned si = 0; si < s; ++si) {
    for (unsigned ti = 0; ti < t; ++ti) {
      for (unsigned ui = 0; ui < u; ++ui) {
        const size_t index = (static_cast<size_t>(si) * t + ti) * u + ui;
        if (!points.empty()) {
          g->points.emplace_back(points[index].x, points[index].y, points[index].z);
        } else {
          // The undeformed lattice spans the unit cube about the origin.
          g->points.emplace_back(static_cast<double>(si) / (s - 1) - 0.5, static_cast<double>(ti) / (t - 1) - 0.5,
                                 static_cast<double>(ui) / (u - 1) - 0.5);
        }
      }
    }
  }
  node->lattice = std::move(g);
  writeNumbers(node, "sDivisions", {static_cast<double>(s)});
  writeNumbers(node, "tDivisions", {static_cast<double>(t)});
  writeNumbers(node, "uDivisions", {static_cast<double>(u)});
  return true;
}

MObject createLattice(const std::string& name, const MObject& parentTransform, unsigned s, unsigned t, unsigned u,
                      const std::vector<Vec3>& points) {
  Node* parent = nodeFrom(parentTransform);
  if (parent == nullptr || !parent->isTransform() || s < 2 || t < 2 || u < 2) return MObject();
  if (!points.empty() && points.size() != static_cast<size_t>(s) * t * u) return MObject();
  MObject shape = createNode("lattice", name, parentTransform);
  setLatticeGeometry(shape, s, t, u, points);
  return shape;
}

namespace {

const char* geometryInput(const Node* shape) {
  if (shape->hasFn(MFn::kMesh)) return "inMesh";
  if (shape->hasFn(MFn::kNurbsSurface) || shape->hasFn(MFn::kNurbsCurve)) return "create";
  if (shape->hasFn(MFn::kLattice)) return "latticeInput";
  return nullptr;
}

}  // namespace

MObject createFfd(const std::string& name, const MObject& lattice, const std::vector<MObject>& deformedShapes) {
  Node* latticeNode = nodeFrom(lattice);
  if (latticeNode == nullptr || !latticeNode->hasFn(MFn::kLattice)) return MObject();
  for (const MObject& shape : deformedShapes) {
    Node* n = nodeFrom(shape);
    if (n == nullptr || geometryInput(n) == nullptr) return MObject();
  }
  MObject ffd = createNode("ffd", name);
  Node* ffdNode = nodeFrom(ffd);
  connectPlugs(latticeNode, "latticeOutput", ffdNode, "deformedLatticePoints");
  connectPlugs(latticeNode, "worldMatrix[0]", ffdNode, "deformedLatticeMatrix");
  for (size_t i = 0; i < deformedShapes.size(); ++i) {
    Node* shape = nodeFrom(deformedShapes[i]);
    connectPlugs(ffdNode, "outputGeometry[" + std::to_string(i) + "]", shape, geometryInput(shape));
  }
  return ffd;
}

namespace {

// A lattice node without points takes its divisions from its attributes; divisions below two, or more points
// than a lattice may have, give the default 2 x 2 x 2 grid.
LatticeGeometry* latticeOf(const MFnBase& fn, MStatus* status) {
  Node* node = attachedNode(fn, status);
  if (node == nullptr) return nullptr;
  if (!node->lattice) {
    // A lattice node without points has its default grid.
    unsigned s = narrow<unsigned>(readNumber(node, "sDivisions", 2));
    unsigned t = narrow<unsigned>(readNumber(node, "tDivisions", 2));
    unsigned u = narrow<unsigned>(readNumber(node, "uDivisions", 2));
    if (s < 2 || t < 2 || u < 2 || static_cast<double>(s) * t * u > kMostLatticePoints) s = t = u = 2;
    setLatticeGeometry(ObjectAccess::make(node), s, t, u, {});
  }
  return node->lattice.get();
}

}  // namespace

}  // namespace headless

QAX_DAG_FN_CONSTRUCTORS(MFnLattice, MFn::kLattice)

MStatus MFnLattice::getDivisions(unsigned& s, unsigned& t, unsigned& u) {
  MStatus status;
  headless::LatticeGeometry* g = headless::latticeOf(*this, &status);
  if (g == nullptr) return status;
  s = g->s;
  t = g->t;
  u = g->u;
  return MStatus::kSuccess;
}

// A reference into the lattice's own points, in its local space; an index out of range gives
// kInvalidParameter and a reference to a scratch point.
MPoint& MFnLattice::point(unsigned s, unsigned t, unsigned u, MStatus* ReturnStatus) {
  static MPoint scratch;
  headless::LatticeGeometry* g = headless::latticeOf(*this, ReturnStatus);
  if (g == nullptr) return scratch = MPoint();
  if (s >= g->s || t >= g->t || u >= g->u) {
    setStatus(ReturnStatus, MStatus::kInvalidParameter);
    return scratch = MPoint();
  }
  return g->points[(static_cast<size_t>(s) * g->t + t) * g->u + u];
}

QAX_DG_FN_CONSTRUCTORS(MFnLatticeDeformer, MFn::kFFD)

MObject MFnLatticeDeformer::deformLattice(MStatus* ReturnStatus) {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MObject();
  const headless::Connection* c = headless::incomingConnection(node, "deformedLatticePoints");
  if (c == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  return headless::ObjectAccess::make(c->source);
}

MObject MFnLatticeDeformer::baseLattice(MStatus* ReturnStatus) {
  Node* node = headless::attachedNode(*this, ReturnStatus);
  if (node == nullptr) return MObject();
  const headless::Connection* c = headless::incomingConnection(node, "baseLatticeMatrix");
  if (c == nullptr) {
    setStatus(ReturnStatus, MStatus::kFailure);
    return MObject();
  }
  return headless::ObjectAccess::make(c->source);
}

MStatus MFnLatticeDeformer::getDivisions(unsigned& s, unsigned& t, unsigned& u) {
  MStatus status;
  MObject lattice = deformLattice(&status);
  if (!status) return status;
  MFnLattice fn(lattice, &status);
  if (!status) return status;
  return fn.getDivisions(s, t, u);
}

// The shapes fed by outputGeometry[i], in index order.
MStatus MFnLatticeDeformer::getAffectedGeometry(MObjectArray& objects) {
  MStatus status;
  Node* node = headless::attachedNode(*this, &status);
  objects.clear();
  if (node == nullptr) return status;
  std::vector<std::pair<int, Node*>> outputs;
  for (const headless::Connection* c : node->outputs) {
    if (c->sourcePlug.compare(0, 15, "outputGeometry[") == 0 && c->destination->isShape()) {
      outputs.emplace_back(std::atoi(c->sourcePlug.c_str() + 15), c->destination);
    }
  }
  std::stable_sort(outputs.begin(), outputs.end(),
                   [](const std::pair<int, Node*>& a, const std::pair<int, Node*>& b) { return a.first < b.first; });
  for (const auto& output : outputs) objects.append(headless::ObjectAccess::make(output.second));
  return MStatus::kSuccess;
}
