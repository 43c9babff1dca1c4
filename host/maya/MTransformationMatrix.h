#ifndef _MTransformationMatrix
#define _MTransformationMatrix
// The rotation orders of a transform. (The matrix class itself is not provided by the headless host.)

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MTransformationMatrix {
 public:
  enum RotationOrder { kInvalid, kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX, kLast };

 private:
  MTransformationMatrix();
};

#endif
