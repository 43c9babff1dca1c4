#ifndef _MFnTransform
#define _MFnTransform
// Function set for transforms: translation, rotation and scale.

#include <maya/MFnDagNode.h>
#include <maya/MTransformationMatrix.h>

class MVector;
class MPoint;

class OPENMAYA_EXPORT MFnTransform : public MFnDagNode {
 public:
  MFnTransform();
  MFnTransform(MObject& object, MStatus* ret = NULL);
  MFnTransform(const MObject& object, MStatus* ret = NULL);
  MFnTransform(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnTransform();
  virtual MFn::Type type() const;

  // kTransform: the translate attribute; kWorld: the translation of the path's world matrix.
  MVector translation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
  MStatus setTranslation(const MVector& vec, MSpace::Space space);
  MStatus getScale(double scale[3]) const;
  MStatus getRotation(double rotation[3], MTransformationMatrix::RotationOrder& order) const;
  MTransformationMatrix::RotationOrder rotationOrder(MStatus* ReturnStatus = NULL) const;
  MPoint rotatePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
  MPoint scalePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;

 private:
  MFnTransform& operator=(const MFnTransform&);
  MFnTransform* operator&() const;
  MFnTransform* operator&();
};

#endif
