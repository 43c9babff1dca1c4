#ifndef _MMatrix
#define _MMatrix
// A 4x4 matrix of doubles acting on row vectors (point * matrix); the last row holds the translation.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MMatrix {
 public:
  MMatrix();  // identity
  MMatrix(const MMatrix& other);
  MMatrix(const double values[4][4]);
  ~MMatrix();

  MMatrix& operator=(const MMatrix& other);
  double operator()(unsigned row, unsigned column) const;
  const double* operator[](unsigned row) const;
  double* operator[](unsigned row);
  MStatus get(double destination[4][4]) const;
  MMatrix transpose() const;
  MMatrix& setToIdentity();
  MMatrix& setToProduct(const MMatrix& left, const MMatrix& right);
  MMatrix inverse() const;
  MMatrix& operator*=(const MMatrix& right);
  MMatrix operator*(const MMatrix& right) const;
  MMatrix& operator+=(const MMatrix& right);
  MMatrix operator+(const MMatrix& right) const;
  MMatrix& operator-=(const MMatrix& right);
  MMatrix operator-(const MMatrix& right) const;
  bool operator==(const MMatrix& other) const;
  bool operator!=(const MMatrix& other) const;
  bool isEquivalent(const MMatrix& other, double tolerance = 1.0e-10) const;
  double det4x4() const;

  static const MMatrix identity;

  double matrix[4][4];
};

#endif
