#ifndef _MPointArray
#define _MPointArray
// An array of MPoint.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MPoint.h>

class OPENMAYA_EXPORT MPointArray {
 public:
  MPointArray();
  MPointArray(const MPointArray& other);
  MPointArray(const MPoint source[], unsigned count);
  MPointArray(unsigned initialSize, const MPoint& initialValue);
  ~MPointArray();

  const MPoint& operator[](unsigned index) const;
  MPoint& operator[](unsigned index);
  MPointArray& operator=(const MPointArray& other);
  MStatus set(const MPoint& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const MPoint& element, unsigned index);
  MStatus append(const MPoint& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  MPoint* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
