#ifndef _MDoubleArray
#define _MDoubleArray
// An array of double.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MDoubleArray {
 public:
  MDoubleArray();
  MDoubleArray(const MDoubleArray& other);
  MDoubleArray(const double source[], unsigned count);
  MDoubleArray(unsigned initialSize, double initialValue = 0);
  ~MDoubleArray();

  double operator[](unsigned index) const;
  double& operator[](unsigned index);
  MDoubleArray& operator=(const MDoubleArray& other);
  MStatus set(const double& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const double& element, unsigned index);
  MStatus append(const double& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  double* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
