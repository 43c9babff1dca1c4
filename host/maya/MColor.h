#ifndef _MColor
#define _MColor
// A colour of four floats: red, green, blue and alpha.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MColor {
 public:
  enum MColorType { kRGB, kHSV, kCMY, kCMYK };

  MColor();  // (0, 0, 0, 1)
  MColor(const MColor& other);
  MColor(float red, float green, float blue = 0.0f, float alpha = 1.0f);
  MColor(const float rgb[3]);
  ~MColor();

  MColor& operator=(const MColor& other);
  float& operator()(unsigned i);
  float operator()(unsigned i) const;
  float& operator[](unsigned i);
  float operator[](unsigned i) const;
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
