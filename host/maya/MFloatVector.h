#ifndef _MFloatVector
#define _MFloatVector
// A direction of three floats.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MVector;

class OPENMAYA_EXPORT MFloatVector {
 public:
  MFloatVector();  // (0, 0, 0)
  MFloatVector(const MFloatVector& other);
  MFloatVector(const MVector& other);
  MFloatVector(float x, float y, float z = 0.0f);
  MFloatVector(const float xyz[3]);
  ~MFloatVector();

  MFloatVector& operator=(const MFloatVector& other);
  float operator()(unsigned i) const;
  float operator[](unsigned i) const;
  float& operator()(unsigned i);
  float& operator[](unsigned i);
  MFloatVector operator^(const MFloatVector& other) const;
  float operator*(const MFloatVector& other) const;
  MFloatVector& operator/=(float scalar);
  MFloatVector operator/(float scalar) const;
  MFloatVector& operator*=(float scalar);
  MFloatVector operator*(float scalar) const;
  MFloatVector operator+(const MFloatVector& other) const;
  MFloatVector& operator+=(const MFloatVector& other);
  MFloatVector operator-() const;
  MFloatVector operator-(const MFloatVector& other) const;
  MFloatVector& operator-=(const MFloatVector& other);
  bool operator!=(const MFloatVector& other) const;
  bool operator==(const MFloatVector& other) const;
  MStatus get(float xyz[3]) const;
  float length() const;
  MFloatVector normal() const;
  MStatus normalize();
  bool isEquivalent(const MFloatVector& other, float tolerance = 1.0e-5f) const;

  static const MFloatVector zero;
  static const MFloatVector one;
  static const MFloatVector xAxis;
  static const MFloatVector yAxis;
  static const MFloatVector zAxis;

  float x;
  float y;
  float z;
};

#endif
