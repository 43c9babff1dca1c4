// The API's value classes: colours, vectors, points and 4x4 matrices (row vectors, translation in the last row).
#include <maya/MColor.h>
#include <maya/MFloatPoint.h>
#include <maya/MFloatVector.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MVector.h>

#include <cmath>
#include <utility>

namespace {

// Shared by the double and float forms of the vector and point classes.
template <class Vector, class Component>
MStatus copyXyz(const Vector& v, Component xyz[3]) {
  xyz[0] = static_cast<Component>(v.x);
  xyz[1] = static_cast<Component>(v.y);
  xyz[2] = static_cast<Component>(v.z);
  return MStatus::kSuccess;
}

template <class Point, class Component>
MStatus copyXyzw(const Point& p, Component xyzw[4]) {
  copyXyz(p, xyzw);
  xyzw[3] = static_cast<Component>(p.w);
  return MStatus::kSuccess;
}

// A point at infinity (w 0) and a cartesian one (w 1) stay as they are.
template <class Point>
Point& cartesianizePoint(Point& p) {
  if (p.w != 0 && p.w != 1) {
    p.x /= p.w;
    p.y /= p.w;
    p.z /= p.w;
    p.w = 1;
  }
  return p;
}

void copyCells(const double from[4][4], double to[4][4]) {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) to[r][c] = from[r][c];
  }
}

// The row at or below row col with the largest magnitude in column col (partial pivoting).
template <int Columns>
int pivotRow(const double (&a)[4][Columns], int col) {
  int pivot = col;
  for (int r = col + 1; r < 4; ++r) {
    if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
  }
  return pivot;
}

template <class Combine>
MMatrix cellByCell(const MMatrix& left, const MMatrix& right, Combine combine) {
  MMatrix result;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) result.matrix[r][c] = combine(left.matrix[r][c], right.matrix[r][c]);
  }
  return result;
}

}  // namespace

// ---- MColor
MColor& MColor::operator/=(float s) { return *this = *this / s; }
MColor MColor::operator/(float s) const { return MColor(r / s, g / s, b / s, a / s); }
MColor& MColor::operator*=(float s) { return *this = *this * s; }
MColor MColor::operator*(float s) const { return MColor(r * s, g * s, b * s, a * s); }
MColor operator*(float s, const MColor& c) { return c * s; }
MColor MColor::operator+(const MColor& o) const { return MColor(r + o.r, g + o.g, b + o.b, a + o.a); }
MColor& MColor::operator+=(const MColor& o) { return *this = *this + o; }
MColor MColor::operator-() const { return MColor(-r, -g, -b, -a); }
MColor MColor::operator-(const MColor& o) const { return MColor(r - o.r, g - o.g, b - o.b, a - o.a); }
MColor MColor::operator*(const MColor& o) const { return MColor(r * o.r, g * o.g, b * o.b, a * o.a); }
MColor& MColor::operator*=(const MColor& o) { return *this = *this * o; }
bool MColor::operator==(const MColor& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
bool MColor::operator!=(const MColor& o) const { return !(*this == o); }
bool MColor::get(float rgb[3]) const {
  rgb[0] = r;
  rgb[1] = g;
  rgb[2] = b;
  return true;
}

// ---- MVector
const MVector MVector::zero(0, 0, 0);
const MVector MVector::one(1, 1, 1);
const MVector MVector::xAxis(1, 0, 0);
const MVector MVector::yAxis(0, 1, 0);
const MVector MVector::zAxis(0, 0, 1);
const MVector MVector::xNegAxis(-1, 0, 0);
const MVector MVector::yNegAxis(0, -1, 0);
const MVector MVector::zNegAxis(0, 0, -1);

MVector::MVector() : x(0), y(0), z(0) {}
MVector::MVector(const MVector&) = default;
MVector::MVector(const MFloatVector& o) : x(o.x), y(o.y), z(o.z) {}
MVector::MVector(const MPoint& p) : x(p.x), y(p.y), z(p.z) {}
MVector::MVector(double xx, double yy, double zz) : x(xx), y(yy), z(zz) {}
MVector::MVector(const double xyz[3]) : x(xyz[0]), y(xyz[1]), z(xyz[2]) {}
MVector::~MVector() {}
MVector& MVector::operator=(const MVector&) = default;
double MVector::operator()(unsigned i) const { return (*this)[i]; }
double MVector::operator[](unsigned i) const { return i == 0 ? x : i == 1 ? y : z; }
double& MVector::operator()(unsigned i) { return (*this)[i]; }
double& MVector::operator[](unsigned i) { return i == 0 ? x : i == 1 ? y : z; }
MVector MVector::operator^(const MVector& o) const {
  return MVector(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
}
double MVector::operator*(const MVector& o) const { return x * o.x + y * o.y + z * o.z; }
MVector& MVector::operator/=(double s) { return *this = *this / s; }
MVector MVector::operator/(double s) const { return MVector(x / s, y / s, z / s); }
MVector& MVector::operator*=(double s) { return *this = *this * s; }
MVector MVector::operator*(double s) const { return MVector(x * s, y * s, z * s); }
MVector operator*(double s, const MVector& v) { return v * s; }
MVector MVector::operator+(const MVector& o) const { return MVector(x + o.x, y + o.y, z + o.z); }
MVector& MVector::operator+=(const MVector& o) { return *this = *this + o; }
MVector MVector::operator-() const { return MVector(-x, -y, -z); }
MVector MVector::operator-(const MVector& o) const { return MVector(x - o.x, y - o.y, z - o.z); }
MVector& MVector::operator-=(const MVector& o) { return *this = *this - o; }
MVector MVector::operator*(const MMatrix& m) const {
  return MVector(x * m.matrix[0][0] + y * m.matrix[1][0] + z * m.matrix[2][0],
                 x * m.matrix[0][1] + y * m.matrix[1][1] + z * m.matrix[2][1],
                 x * m.matrix[0][2] + y * m.matrix[1][2] + z * m.matrix[2][2]);
}
MVector& MVector::operator*=(const MMatrix& m) { return *this = *this * m; }
bool MVector::operator==(const MVector& o) const { return x == o.x && y == o.y && z == o.z; }
bool MVector::operator!=(const MVector& o) const { return !(*this == o); }
MStatus MVector::get(double xyz[3]) const { return copyXyz(*this, xyz); }
double MVector::length() const { return std::sqrt(x * x + y * y + z * z); }
MVector MVector::normal() const {
  double l = length();
  return l > 0 ? *this / l : *this;
}
MStatus MVector::normalize() {
  *this = normal();
  return MStatus::kSuccess;
}
double MVector::angle(const MVector& o) const {
  double l = length() * o.length();
  if (l == 0) return 0;
  double c = (*this * o) / l;
  return std::acos(c > 1 ? 1 : c < -1 ? -1 : c);
}
bool MVector::isEquivalent(const MVector& o, double tolerance) const { return (*this - o).length() <= tolerance; }
bool MVector::isParallel(const MVector& o, double tolerance) const {
  return (normal() ^ o.normal()).length() <= tolerance;
}

// ---- MFloatVector
const MFloatVector MFloatVector::zero(0, 0, 0);
const MFloatVector MFloatVector::one(1, 1, 1);
const MFloatVector MFloatVector::xAxis(1, 0, 0);
const MFloatVector MFloatVector::yAxis(0, 1, 0);
const MFloatVector MFloatVector::zAxis(0, 0, 1);

MFloatVector::MFloatVector() : x(0), y(0), z(0) {}
MFloatVector::MFloatVector(const MFloatVector&) = default;
MFloatVector::MFloatVector(const MVector& o)
    : x(static_cast<float>(o.x)), y(static_cast<float>(o.y)), z(static_cast<float>(o.z)) {}
MFloatVector::MFloatVector(float xx, float yy, float zz) : x(xx), y(yy), z(zz) {}
MFloatVector::MFloatVector(const float xyz[3]) : x(xyz[0]), y(xyz[1]), z(xyz[2]) {}
MFloatVector::~MFloatVector() {}
MFloatVector& MFloatVector::operator=(const MFloatVector&) = default;
float MFloatVector::operator()(unsigned i) const { return (*this)[i]; }
float MFloatVector::operator[](unsigned i) const { return i == 0 ? x : i == 1 ? y : z; }
float& MFloatVector::operator()(unsigned i) { return (*this)[i]; }
float& MFloatVector::operator[](unsigned i) { return i == 0 ? x : i == 1 ? y : z; }
MFloatVector MFloatVector::operator^(const MFloatVector& o) const {
  return MFloatVector(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
}
float MFloatVector::operator*(const MFloatVector& o) const { return x * o.x + y * o.y + z * o.z; }
MFloatVector& MFloatVector::operator/=(float s) { return *this = *this / s; }
MFloatVector MFloatVector::operator/(float s) const { return MFloatVector(x / s, y / s, z / s); }
MFloatVector& MFloatVector::operator*=(float s) { return *this = *this * s; }
MFloatVector MFloatVector::operator*(float s) const { return MFloatVector(x * s, y * s, z * s); }
MFloatVector MFloatVector::operator+(const MFloatVector& o) const { return MFloatVector(x + o.x, y + o.y, z + o.z); }
MFloatVector& MFloatVector::operator+=(const MFloatVector& o) { return *this = *this + o; }
MFloatVector MFloatVector::operator-() const { return MFloatVector(-x, -y, -z); }
MFloatVector MFloatVector::operator-(const MFloatVector& o) const { return MFloatVector(x - o.x, y - o.y, z - o.z); }
MFloatVector& MFloatVector::operator-=(const MFloatVector& o) { return *this = *this - o; }
bool MFloatVector::operator==(const MFloatVector& o) const { return x == o.x && y == o.y && z == o.z; }
bool MFloatVector::operator!=(const MFloatVector& o) const { return !(*this == o); }
MStatus MFloatVector::get(float xyz[3]) const { return copyXyz(*this, xyz); }
float MFloatVector::length() const { return std::sqrt(x * x + y * y + z * z); }
MFloatVector MFloatVector::normal() const {
  float l = length();
  return l > 0 ? *this / l : *this;
}
MStatus MFloatVector::normalize() {
  *this = normal();
  return MStatus::kSuccess;
}
bool MFloatVector::isEquivalent(const MFloatVector& o, float tolerance) const {
  return (*this - o).length() <= tolerance;
}

// ---- MPoint
const MPoint MPoint::origin(0, 0, 0, 1);

MPoint::MPoint() : x(0), y(0), z(0), w(1) {}
MPoint::MPoint(const MPoint&) = default;
MPoint::MPoint(const MVector& v) : x(v.x), y(v.y), z(v.z), w(1) {}
MPoint::MPoint(const MFloatPoint& o) : x(o.x), y(o.y), z(o.z), w(o.w) {}
MPoint::MPoint(double xx, double yy, double zz, double ww) : x(xx), y(yy), z(zz), w(ww) {}
MPoint::MPoint(const double xyzw[4]) : x(xyzw[0]), y(xyzw[1]), z(xyzw[2]), w(xyzw[3]) {}
MPoint::~MPoint() {}
MPoint& MPoint::operator=(const MPoint&) = default;
double MPoint::operator()(unsigned i) const { return (*this)[i]; }
double MPoint::operator[](unsigned i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
double& MPoint::operator()(unsigned i) { return (*this)[i]; }
double& MPoint::operator[](unsigned i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
MVector MPoint::operator-(const MPoint& o) const { return MVector(x - o.x, y - o.y, z - o.z); }
MPoint MPoint::operator+(const MVector& v) const { return MPoint(x + v.x, y + v.y, z + v.z, w); }
MPoint MPoint::operator-(const MVector& v) const { return MPoint(x - v.x, y - v.y, z - v.z, w); }
MPoint& MPoint::operator+=(const MVector& v) { return *this = *this + v; }
MPoint& MPoint::operator-=(const MVector& v) { return *this = *this - v; }
MPoint MPoint::operator*(const double s) const { return MPoint(x * s, y * s, z * s, w); }
MPoint MPoint::operator/(const double s) const { return MPoint(x / s, y / s, z / s, w); }
MPoint MPoint::operator*(const MMatrix& m) const {
  double r[4];
  for (int c = 0; c < 4; ++c) {
    r[c] = x * m.matrix[0][c] + y * m.matrix[1][c] + z * m.matrix[2][c] + w * m.matrix[3][c];
  }
  return MPoint(r[0], r[1], r[2], r[3]);
}
MPoint& MPoint::operator*=(const MMatrix& m) { return *this = *this * m; }
bool MPoint::operator==(const MPoint& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
bool MPoint::operator!=(const MPoint& o) const { return !(*this == o); }
MPoint& MPoint::cartesianize() { return cartesianizePoint(*this); }
MPoint& MPoint::rationalize() {
  if (w != 0) {
    x /= w;
    y /= w;
    z /= w;
  }
  return *this;
}
MPoint& MPoint::homogenize() {
  x *= w;
  y *= w;
  z *= w;
  return *this;
}
MStatus MPoint::get(double xyzw[4]) const { return copyXyzw(*this, xyzw); }
MStatus MPoint::get(float xyzw[4]) const { return copyXyzw(*this, xyzw); }
double MPoint::distanceTo(const MPoint& o) const { return (*this - o).length(); }
bool MPoint::isEquivalent(const MPoint& o, double tolerance) const {
  return distanceTo(o) <= tolerance && std::fabs(w - o.w) <= tolerance;
}

// ---- MFloatPoint
const MFloatPoint MFloatPoint::origin(0, 0, 0, 1);

MFloatPoint::MFloatPoint() : x(0), y(0), z(0), w(1) {}
MFloatPoint::MFloatPoint(const MFloatPoint&) = default;
MFloatPoint::MFloatPoint(float xx, float yy, float zz, float ww) : x(xx), y(yy), z(zz), w(ww) {}
MFloatPoint::MFloatPoint(const float xyzw[4]) : x(xyzw[0]), y(xyzw[1]), z(xyzw[2]), w(xyzw[3]) {}
MFloatPoint::~MFloatPoint() {}
MStatus MFloatPoint::get(float xyzw[4]) const { return copyXyzw(*this, xyzw); }
MStatus MFloatPoint::setCast(const MPoint& p) {
  x = static_cast<float>(p.x);
  y = static_cast<float>(p.y);
  z = static_cast<float>(p.z);
  w = static_cast<float>(p.w);
  return MStatus::kSuccess;
}
MFloatPoint& MFloatPoint::operator=(const MFloatPoint&) = default;
float MFloatPoint::operator()(unsigned i) const { return (*this)[i]; }
float MFloatPoint::operator[](unsigned i) const { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
float& MFloatPoint::operator()(unsigned i) { return (*this)[i]; }
float& MFloatPoint::operator[](unsigned i) { return i == 0 ? x : i == 1 ? y : i == 2 ? z : w; }
MFloatVector MFloatPoint::operator-(const MFloatPoint& o) const { return MFloatVector(x - o.x, y - o.y, z - o.z); }
MFloatPoint MFloatPoint::operator+(const MFloatVector& v) const { return MFloatPoint(x + v.x, y + v.y, z + v.z, w); }
MFloatPoint MFloatPoint::operator-(const MFloatVector& v) const { return MFloatPoint(x - v.x, y - v.y, z - v.z, w); }
bool MFloatPoint::operator==(const MFloatPoint& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
bool MFloatPoint::operator!=(const MFloatPoint& o) const { return !(*this == o); }
MFloatPoint& MFloatPoint::cartesianize() { return cartesianizePoint(*this); }
float MFloatPoint::distanceTo(const MFloatPoint& o) const { return (*this - o).length(); }
bool MFloatPoint::isEquivalent(const MFloatPoint& o, float tolerance) const {
  return distanceTo(o) <= tolerance && std::fabs(w - o.w) <= tolerance;
}

// ---- MMatrix
const MMatrix MMatrix::identity;

MMatrix::MMatrix() { setToIdentity(); }
MMatrix::MMatrix(const MMatrix&) = default;
MMatrix::MMatrix(const double values[4][4]) { copyCells(values, matrix); }
MMatrix::~MMatrix() {}
MMatrix& MMatrix::operator=(const MMatrix&) = default;
double MMatrix::operator()(unsigned row, unsigned column) const { return matrix[row][column]; }
const double* MMatrix::operator[](unsigned row) const { return matrix[row]; }
double* MMatrix::operator[](unsigned row) { return matrix[row]; }
MStatus MMatrix::get(double destination[4][4]) const {
  copyCells(matrix, destination);
  return MStatus::kSuccess;
}
MMatrix MMatrix::transpose() const {
  MMatrix t;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) t.matrix[r][c] = matrix[c][r];
  }
  return t;
}
MMatrix& MMatrix::setToIdentity() {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) matrix[r][c] = r == c ? 1.0 : 0.0;
  }
  return *this;
}
MMatrix& MMatrix::setToProduct(const MMatrix& left, const MMatrix& right) { return *this = left * right; }

// Gauss-Jordan elimination with partial pivoting; a singular matrix gives the identity.
MMatrix MMatrix::inverse() const {
  double a[4][8];
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      a[r][c] = matrix[r][c];
      a[r][c + 4] = r == c ? 1.0 : 0.0;
    }
  }
  for (int col = 0; col < 4; ++col) {
    const int pivot = pivotRow(a, col);
    if (std::fabs(a[pivot][col]) < 1e-300) return MMatrix();
    for (int c = 0; c < 8; ++c) std::swap(a[col][c], a[pivot][c]);
    double scale = a[col][col];
    for (int c = 0; c < 8; ++c) a[col][c] /= scale;
    for (int r = 0; r < 4; ++r) {
      if (r == col) continue;
      double f = a[r][col];
      for (int c = 0; c < 8; ++c) a[r][c] -= f * a[col][c];
    }
  }
  MMatrix result;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) result.matrix[r][c] = a[r][c + 4];
  }
  return result;
}
MMatrix& MMatrix::operator*=(const MMatrix& right) { return *this = *this * right; }
MMatrix MMatrix::operator*(const MMatrix& right) const {
  MMatrix result;
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += matrix[r][k] * right.matrix[k][c];
      result.matrix[r][c] = sum;
    }
  }
  return result;
}
MMatrix& MMatrix::operator+=(const MMatrix& right) { return *this = *this + right; }
MMatrix MMatrix::operator+(const MMatrix& right) const {
  return cellByCell(*this, right, [](double l, double r) { return l + r; });
}
MMatrix& MMatrix::operator-=(const MMatrix& right) { return *this = *this - right; }
MMatrix MMatrix::operator-(const MMatrix& right) const {
  return cellByCell(*this, right, [](double l, double r) { return l - r; });
}
bool MMatrix::operator==(const MMatrix& o) const { return isEquivalent(o, 0.0); }
bool MMatrix::operator!=(const MMatrix& o) const { return !(*this == o); }
bool MMatrix::isEquivalent(const MMatrix& o, double tolerance) const {
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) {
      if (std::fabs(matrix[r][c] - o.matrix[r][c]) > tolerance) return false;
    }
  }
  return true;
}
double MMatrix::det4x4() const {
  // Expansion through the elimination used by inverse(): product of pivots with row-swap signs.
  double a[4][4];
  copyCells(matrix, a);
  double det = 1.0;
  for (int col = 0; col < 4; ++col) {
    const int pivot = pivotRow(a, col);
    if (a[pivot][col] == 0.0) return 0.0;
    if (pivot != col) {
      for (int c = 0; c < 4; ++c) std::swap(a[col][c], a[pivot][c]);
      det = -det;
    }
    det *= a[col][col];
    for (int r = col + 1; r < 4; ++r) {
      double f = a[r][col] / a[col][col];
      for (int c = col; c < 4; ++c) a[r][c] -= f * a[col][c];
    }
  }
  return det;
}
