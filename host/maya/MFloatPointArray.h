#ifndef _MFloatPointArray
#define _MFloatPointArray
// An array of MFloatPoint.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MFloatPoint.h>

class OPENMAYA_EXPORT MFloatPointArray {
 public:
  MFloatPointArray();
  MFloatPointArray(const MFloatPointArray& other);
  MFloatPointArray(const MFloatPoint source[], unsigned count);
  MFloatPointArray(unsigned initialSize, const MFloatPoint& initialValue);
  ~MFloatPointArray();

  const MFloatPoint& operator[](unsigned index) const;
  MFloatPoint& operator[](unsigned index);
  MFloatPointArray& operator=(const MFloatPointArray& other);
  MStatus set(const MFloatPoint& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const MFloatPoint& element, unsigned index);
  MStatus append(const MFloatPoint& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  MFloatPoint* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
