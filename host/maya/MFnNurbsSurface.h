#ifndef _MFnNurbsSurface
#define _MFnNurbsSurface
// Function set for NURBS surfaces: degrees, the control-point grid and whether its spans are Bezier patches.

#include <maya/MFnDagNode.h>

class MPoint;

class OPENMAYA_EXPORT MFnNurbsSurface : public MFnDagNode {
 public:
  enum Form { kInvalid = 0, kOpen, kClosed, kPeriodic, kLast };

  MFnNurbsSurface();
  MFnNurbsSurface(MObject& object, MStatus* ret = NULL);
  MFnNurbsSurface(const MObject& object, MStatus* ret = NULL);
  MFnNurbsSurface(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnNurbsSurface();
  virtual MFn::Type type() const;

  int numCVsInU(MStatus* ReturnStatus = NULL) const;
  int numCVsInV(MStatus* ReturnStatus = NULL) const;
  int numSpansInU(MStatus* ReturnStatus = NULL) const;
  int numSpansInV(MStatus* ReturnStatus = NULL) const;
  int degreeU(MStatus* ReturnStatus = NULL) const;
  int degreeV(MStatus* ReturnStatus = NULL) const;
  Form formInU(MStatus* ReturnStatus = NULL) const;
  Form formInV(MStatus* ReturnStatus = NULL) const;
  bool isBezier(MStatus* ReturnStatus = NULL) const;
  MStatus getCV(unsigned int indexU, unsigned int indexV, MPoint& pnt,
                MSpace::Space space = MSpace::kObject) const;

 private:
  MFnNurbsSurface& operator=(const MFnNurbsSurface&);
  MFnNurbsSurface* operator&() const;
  MFnNurbsSurface* operator&();
};

#endif
