#ifndef _MFnNurbsCurve
#define _MFnNurbsCurve
// Function set for NURBS curves: degree and control points.

#include <maya/MFnDagNode.h>

class MPoint;

class OPENMAYA_EXPORT MFnNurbsCurve : public MFnDagNode {
 public:
  enum Form { kInvalid = 0, kOpen, kClosed, kPeriodic, kLast };

  MFnNurbsCurve();
  MFnNurbsCurve(MObject& object, MStatus* ret = NULL);
  MFnNurbsCurve(const MObject& object, MStatus* ret = NULL);
  MFnNurbsCurve(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnNurbsCurve();
  virtual MFn::Type type() const;

  int numCVs(MStatus* ReturnStatus = NULL) const;
  int numSpans(MStatus* ReturnStatus = NULL) const;
  int degree(MStatus* ReturnStatus = NULL) const;
  Form form(MStatus* ReturnStatus = NULL) const;
  MStatus getCV(unsigned int index, MPoint& pt, MSpace::Space space = MSpace::kObject) const;

 private:
  MFnNurbsCurve& operator=(const MFnNurbsCurve&);
  MFnNurbsCurve* operator&() const;
  MFnNurbsCurve* operator&();
};

#endif
