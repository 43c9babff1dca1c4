#ifndef _MFnCamera
#define _MFnCamera
// Function set for cameras. The camera looks down the -Z axis of its world matrix with +Y up; angles are radians.

#include <maya/MFnDagNode.h>

class MPoint;
class MVector;

class OPENMAYA_EXPORT MFnCamera : public MFnDagNode {
 public:
  enum FilmFit { kFillFilmFit, kHorizontalFilmFit, kVerticalFilmFit, kOverscanFilmFit, kInvalid };

  MFnCamera();
  MFnCamera(MObject& object, MStatus* ret = NULL);
  MFnCamera(const MObject& object, MStatus* ret = NULL);
  MFnCamera(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnCamera();
  virtual MFn::Type type() const;

  MPoint eyePoint(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MVector viewDirection(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MVector upDirection(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MVector rightDirection(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  MPoint centerOfInterestPoint(MSpace::Space space = MSpace::kObject, MStatus* ReturnStatus = NULL) const;
  double centerOfInterest(MStatus* ReturnStatus = NULL) const;
  double horizontalFilmAperture(MStatus* ReturnStatus = NULL) const;
  double verticalFilmAperture(MStatus* ReturnStatus = NULL) const;
  FilmFit filmFit(MStatus* ReturnStatus = NULL) const;
  double horizontalFieldOfView(MStatus* ReturnStatus = NULL) const;
  double verticalFieldOfView(MStatus* ReturnStatus = NULL) const;
  double focalLength(MStatus* ReturnStatus = NULL) const;
  double nearClippingPlane(MStatus* ReturnStatus = NULL) const;
  double farClippingPlane(MStatus* ReturnStatus = NULL) const;
  bool isOrtho(MStatus* ReturnStatus = NULL) const;
  double orthoWidth(MStatus* ReturnStatus = NULL) const;
  bool isDepthOfField(MStatus* ReturnStatus = NULL) const;
  bool isVerticalLock(MStatus* ReturnStatus = NULL) const;

 private:
  MFnCamera& operator=(const MFnCamera&);
  MFnCamera* operator&() const;
  MFnCamera* operator&();
};

#endif
