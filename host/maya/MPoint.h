#ifndef _MPoint
#define _MPoint
// A position of four doubles in homogeneous form; w is 1 for an ordinary point.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;
class MVector;
class MFloatPoint;

class OPENMAYA_EXPORT MPoint {
 public:
  MPoint();  // (0, 0, 0, 1)
  MPoint(const MPoint& other);
  MPoint(const MVector& vector);
  MPoint(const MFloatPoint& other);
  MPoint(double x, double y, double z = 0.0, double w = 1.0);
  MPoint(const double xyzw[4]);
  ~MPoint();

  MPoint& operator=(const MPoint& other);
  double operator()(unsigned i) const;
  double operator[](unsigned i) const;
  double& operator()(unsigned i);
  double& operator[](unsigned i);
  MVector operator-(const MPoint& other) const;
  MPoint operator+(const MVector& vector) const;
  MPoint operator-(const MVector& vector) const;
  MPoint& operator+=(const MVector& vector);
  MPoint& operator-=(const MVector& vector);
  MPoint operator*(const double scale) const;
  MPoint operator/(const double scale) const;
  MPoint operator*(const MMatrix& matrix) const;
  MPoint& operator*=(const MMatrix& matrix);
  bool operator==(const MPoint& other) const;
  bool operator!=(const MPoint& other) const;
  MPoint& cartesianize();
  MPoint& rationalize();
  MPoint& homogenize();
  MStatus get(double xyzw[4]) const;
  MStatus get(float xyzw[4]) const;
  double distanceTo(const MPoint& other) const;
  bool isEquivalent(const MPoint& other, double tolerance = 1.0e-10) const;

  static const MPoint origin;

  double x;
  double y;
  double z;
  double w;
};

#endif
