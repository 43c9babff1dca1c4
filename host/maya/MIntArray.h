#ifndef _MIntArray
#define _MIntArray
// An array of int.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MIntArray {
 public:
  MIntArray();
  MIntArray(const MIntArray& other);
  MIntArray(const int source[], unsigned count);
  MIntArray(unsigned initialSize, int initialValue = 0);
  ~MIntArray();

  int operator[](unsigned index) const;
  int& operator[](unsigned index);
  MIntArray& operator=(const MIntArray& other);
  MStatus set(const int& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const int& element, unsigned index);
  MStatus append(const int& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  int* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
