#ifndef _MFloatPoint
#define _MFloatPoint
// A position of four floats in homogeneous form; w is 1 for an ordinary point.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MPoint;
class MFloatVector;

class OPENMAYA_EXPORT MFloatPoint {
 public:
  MFloatPoint();  // (0, 0, 0, 1)
  MFloatPoint(const MFloatPoint& other);
  MFloatPoint(float x, float y, float z = 0.0f, float w = 1.0f);
  MFloatPoint(const float xyzw[4]);
  ~MFloatPoint();

  MStatus get(float xyzw[4]) const;
  MStatus setCast(const MPoint& point);
  MFloatPoint& operator=(const MFloatPoint& other);
  float operator()(unsigned i) const;
  float operator[](unsigned i) const;
  float& operator()(unsigned i);
  float& operator[](unsigned i);
  MFloatVector operator-(const MFloatPoint& other) const;
  MFloatPoint operator+(const MFloatVector& vector) const;
  MFloatPoint operator-(const MFloatVector& vector) const;
  bool operator==(const MFloatPoint& other) const;
  bool operator!=(const MFloatPoint& other) const;
  MFloatPoint& cartesianize();
  float distanceTo(const MFloatPoint& other) const;
  bool isEquivalent(const MFloatPoint& other, float tolerance = 1.0e-5f) const;

  static const MFloatPoint origin;

  float x;
  float y;
  float z;
  float w;
};

#endif
