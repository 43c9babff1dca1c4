#ifndef _MColorArray
#define _MColorArray
// An array of MColor.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MColor.h>

class OPENMAYA_EXPORT MColorArray {
 public:
  MColorArray();
  MColorArray(const MColorArray& other);
  MColorArray(const MColor source[], unsigned count);
  MColorArray(unsigned initialSize, const MColor& initialValue);
  ~MColorArray();

  const MColor& operator[](unsigned index) const;
  MColor& operator[](unsigned index);
  MColorArray& operator=(const MColorArray& other);
  MStatus set(const MColor& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const MColor& element, unsigned index);
  MStatus append(const MColor& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  MColor* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
