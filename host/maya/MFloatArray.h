#ifndef _MFloatArray
#define _MFloatArray
// An array of float.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MFloatArray {
 public:
  MFloatArray();
  MFloatArray(const MFloatArray& other);
  MFloatArray(const float source[], unsigned count);
  MFloatArray(unsigned initialSize, float initialValue = 0);
  ~MFloatArray();

  float operator[](unsigned index) const;
  float& operator[](unsigned index);
  MFloatArray& operator=(const MFloatArray& other);
  MStatus set(const float& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const float& element, unsigned index);
  MStatus append(const float& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  float* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
