#ifndef _MColor
#define _MColor
// A colour of four floats: red, green, blue and alpha.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MColor {
 public:
  enum MColorType { kRGB, kHSV, kCMY, kCMYK };

  // The element accessors and copies are inline, as a colour array of a large mesh is read element by element.
  MColor() : r(0.0f), g(0.0f), b(0.0f), a(1.0f) {}
  MColor(const MColor& other) = default;
  MColor(float red, float green, float blue = 0.0f, float alpha = 1.0f) : r(red), g(green), b(blue), a(alpha) {}
  MColor(const float rgb[3]) : r(rgb[0]), g(rgb[1]), b(rgb[2]), a(1.0f) {}
  ~MColor() = default;

  MColor& operator=(const MColor& other) = default;
  float& operator()(unsigned i) { return (*this)[i]; }
  float operator()(unsigned i) const { return (*this)[i]; }
  float& operator[](unsigned i) { return i == 0 ? r : i == 1 ? g : i == 2 ? b : a; }
  float operator[](unsigned i) const { return i == 0 ? r : i == 1 ? g : i == 2 ? b : a; }
  MColor& operator/=(float scalar);
  MColor operator/(float scalar) const;
  MColor& operator*=(float scalar);
  MColor operator*(float scalar) const;
  friend OPENMAYA_EXPORT MColor operator*(float scalar, const MColor& color);
  MColor operator+(const MColor& other) const;
  MColor& operator+=(const MColor& other);
  MColor operator-() const;
  MColor operator-(const MColor& other) const;
  MColor operator*(const MColor& other) const;
  MColor& operator*=(const MColor& other);
  bool operator!=(const MColor& other) const;
  bool operator==(const MColor& other) const;
  bool get(float rgb[3]) const;

  float r;
  float g;
  float b;
  float a;
};

#endif
