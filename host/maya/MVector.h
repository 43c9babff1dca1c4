#ifndef _MVector
#define _MVector
// A direction of three doubles.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;
class MFloatVector;
class MPoint;

class OPENMAYA_EXPORT MVector {
 public:
  enum Axis { kXaxis, kYaxis, kZaxis, kWaxis };

  MVector();  // (0, 0, 0)
  MVector(const MVector& other);
  MVector(const MFloatVector& other);
  MVector(const MPoint& point);
  MVector(double x, double y, double z = 0.0);
  MVector(const double xyz[3]);
  ~MVector();

  MVector& operator=(const MVector& other);
  double operator()(unsigned i) const;
  double operator[](unsigned i) const;
  double& operator()(unsigned i);
  double& operator[](unsigned i);
  MVector operator^(const MVector& other) const;  // cross product
  double operator*(const MVector& other) const;   // dot product
  MVector& operator/=(double scalar);
  MVector operator/(double scalar) const;
  MVector& operator*=(double scalar);
  MVector operator*(double scalar) const;
  friend OPENMAYA_EXPORT MVector operator*(double scalar, const MVector& vector);
  MVector operator+(const MVector& other) const;
  MVector& operator+=(const MVector& other);
  MVector operator-() const;
  MVector operator-(const MVector& other) const;
  MVector& operator-=(const MVector& other);
  MVector operator*(const MMatrix& matrix) const;  // ignores the matrix's translation
  MVector& operator*=(const MMatrix& matrix);
  bool operator!=(const MVector& other) const;
  bool operator==(const MVector& other) const;
  MStatus get(double xyz[3]) const;
  double length() const;
  MVector normal() const;
  MStatus normalize();
  double angle(const MVector& other) const;
  bool isEquivalent(const MVector& other, double tolerance = 1.0e-10) const;
  bool isParallel(const MVector& other, double tolerance = 1.0e-10) const;

  static const MVector zero;
  static const MVector one;
  static const MVector xAxis;
  static const MVector yAxis;
  static const MVector zAxis;
  static const MVector xNegAxis;
  static const MVector yNegAxis;
  static const MVector zNegAxis;

  double x;
  double y;
  double z;
};

#endif
