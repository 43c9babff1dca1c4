// NURBS surfaces and curves: building them and their function sets.
#include "scene_model.h"

#include <maya/MFnNurbsCurve.h>
#include <maya/MFnNurbsSurface.h>
#include <maya/MPoint.h>

using headless::Node;
using headless::setStatus;

namespace headless {

bool setNurbsSurfaceGeometry(const MObject& surface, const NurbsSurfaceData& data) {
  Node* node = nodeFrom(surface);
  if (node == nullptr || !node->hasFn(MFn::kNurbsSurface)) return false;
  if (data.degreeU < 1 || data.degreeV < 1 || data.numCVsU <= data.degreeU || data.numCVsV <= data.degreeV ||
      static_cast<size_t>(data.numCVsU) * static_cast<size_t>(data.numCVsV) != data.cvs.size()) {
    return false;
  }
  std::unique_ptr<NurbsSurfaceGeometry> g(new NurbsSurfaceGeometry);
  g->degreeU = data.degreeU;
  g->degreeV = data.degreeV;
  g->numU = data.numCVsU;
  g->numV = data.numCVsV;
  g->bezier = data.bezier;
  for (const Vec3& p : data.cvs) g->cvs.emplace_back(p.x, p.y, p.z);
  node->surface = std::move(g);
  return true;
}

MObject createNurbsSurface(const std::string& name, const MObject& parentTransform, const NurbsSurfaceData& data) {
  Node* parent = nodeFrom(parentTransform);
  if (parent == nullptr || !parent->isTransform()) return MObject();
  if (data.degreeU < 1 || data.degreeV < 1 || data.numCVsU <= data.degreeU || data.numCVsV <= data.degreeV ||
      static_cast<size_t>(data.numCVsU) * static_cast<size_t>(data.numCVsV) != data.cvs.size()) {
    return MObject();
  }
  MObject shape = createNode("nurbsSurface", name, parentTransform);
  setNurbsSurfaceGeometry(shape, data);
  return shape;
}

bool setNurbsCurveGeometry(const MObject& curve, const NurbsCurveData& data) {
  Node* node = nodeFrom(curve);
  if (node == nullptr || !node->hasFn(MFn::kNurbsCurve)) return false;
  if (data.degree < 1 || data.cvs.size() <= static_cast<size_t>(data.degree)) return false;
  std::unique_ptr<NurbsCurveGeometry> g(new NurbsCurveGeometry);
  g->degree = data.degree;
  for (const Vec3& p : data.cvs) g->cvs.emplace_back(p.x, p.y, p.z);
  node->curve = std::move(g);
  return true;
}

MObject createNurbsCurve(const std::string& name, const MObject& parentTransform, const NurbsCurveData& data) {
  Node* parent = nodeFrom(parentTransform);
  if (parent == nullptr || !parent->isTransform()) return MObject();
  if (data.degree < 1 || data.cvs.size() <= static_cast<size_t>(data.degree)) return MObject();
  MObject shape = createNode("nurbsCurve", name, parentTransform);
  setNurbsCurveGeometry(shape, data);
  return shape;
}

namespace {

const NurbsSurfaceGeometry& emptySurface() {
  static const NurbsSurfaceGeometry none{3, 3, 0, 0, {}, false};
  return none;
}

const NurbsCurveGeometry& emptyCurve() {
  static const NurbsCurveGeometry none{3, {}};
  return none;
}

const NurbsSurfaceGeometry* surfaceOf(const MFnBase& fn, MStatus* status) {
  Node* node = attachedNode(fn, status);
  if (node == nullptr) return nullptr;
  return node->surface ? node->surface.get() : &emptySurface();
}

const NurbsCurveGeometry* curveOf(const MFnBase& fn, MStatus* status) {
  Node* node = attachedNode(fn, status);
  if (node == nullptr) return nullptr;
  return node->curve ? node->curve.get() : &emptyCurve();
}

// A control point in the requested space; world space needs the set attached through a path.
MStatus placePoint(const MFnBase& fn, const MPoint& local, MSpace::Space space, MPoint& result) {
  if (space != MSpace::kWorld) {
    result = local;
    return MStatus::kSuccess;
  }
  const PathData* path = attachedPath(fn);
  if (path == nullptr) return MStatus::kInvalidParameter;
  result = local * inclusiveMatrix(*path);
  return MStatus::kSuccess;
}

}  // namespace

}  // namespace headless

QAX_DAG_FN_CONSTRUCTORS(MFnNurbsSurface, MFn::kNurbsSurface)

int MFnNurbsSurface::numCVsInU(MStatus* ReturnStatus) const {
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, ReturnStatus);
  return g != nullptr ? g->numU : 0;
}
int MFnNurbsSurface::numCVsInV(MStatus* ReturnStatus) const {
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, ReturnStatus);
  return g != nullptr ? g->numV : 0;
}
int MFnNurbsSurface::numSpansInU(MStatus* ReturnStatus) const {
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, ReturnStatus);
  return g != nullptr && g->numU > 0 ? g->numU - g->degreeU : 0;
}
int MFnNurbsSurface::numSpansInV(MStatus* ReturnStatus) const {
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, ReturnStatus);
  return g != nullptr && g->numV > 0 ? g->numV - g->degreeV : 0;
}
int MFnNurbsSurface::degreeU(MStatus* ReturnStatus) const {
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, ReturnStatus);
  return g != nullptr ? g->degreeU : 0;
}
int MFnNurbsSurface::degreeV(MStatus* ReturnStatus) const {
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, ReturnStatus);
  return g != nullptr ? g->degreeV : 0;
}
MFnNurbsSurface::Form MFnNurbsSurface::formInU(MStatus* ReturnStatus) const {
  return headless::surfaceOf(*this, ReturnStatus) != nullptr ? kOpen : kInvalid;
}
MFnNurbsSurface::Form MFnNurbsSurface::formInV(MStatus* ReturnStatus) const {
  return headless::surfaceOf(*this, ReturnStatus) != nullptr ? kOpen : kInvalid;
}
bool MFnNurbsSurface::isBezier(MStatus* ReturnStatus) const {
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, ReturnStatus);
  return g != nullptr && g->bezier;
}

MStatus MFnNurbsSurface::getCV(unsigned int indexU, unsigned int indexV, MPoint& pnt, MSpace::Space space) const {
  MStatus status;
  const headless::NurbsSurfaceGeometry* g = headless::surfaceOf(*this, &status);
  if (g == nullptr) return status;
  if (indexU >= static_cast<unsigned>(g->numU) || indexV >= static_cast<unsigned>(g->numV)) {
    return MStatus::kInvalidParameter;
  }
  return headless::placePoint(*this, g->cvs[indexU * g->numV + indexV], space, pnt);
}

QAX_DAG_FN_CONSTRUCTORS(MFnNurbsCurve, MFn::kNurbsCurve)

// 0 when the curve has no geometry.
int MFnNurbsCurve::numCVs(MStatus* ReturnStatus) const {
  const headless::NurbsCurveGeometry* g = headless::curveOf(*this, ReturnStatus);
  return g != nullptr ? static_cast<int>(g->cvs.size()) : 0;
}
int MFnNurbsCurve::numSpans(MStatus* ReturnStatus) const {
  const headless::NurbsCurveGeometry* g = headless::curveOf(*this, ReturnStatus);
  return g != nullptr && !g->cvs.empty() ? static_cast<int>(g->cvs.size()) - g->degree : 0;
}
int MFnNurbsCurve::degree(MStatus* ReturnStatus) const {
  const headless::NurbsCurveGeometry* g = headless::curveOf(*this, ReturnStatus);
  return g != nullptr ? g->degree : 0;
}
MFnNurbsCurve::Form MFnNurbsCurve::form(MStatus* ReturnStatus) const {
  return headless::curveOf(*this, ReturnStatus) != nullptr ? kOpen : kInvalid;
}

MStatus MFnNurbsCurve::getCV(unsigned int index, MPoint& pt, MSpace::Space space) const {
  MStatus status;
  const headless::NurbsCurveGeometry* g = headless::curveOf(*this, &status);
  if (g == nullptr) return status;
  if (index >= g->cvs.size()) return MStatus::kInvalidParameter;
  return headless::placePoint(*this, g->cvs[index], space, pt);
}
