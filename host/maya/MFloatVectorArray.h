#ifndef _MFloatVectorArray
#define _MFloatVectorArray
// An array of MFloatVector.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MFloatVector.h>

class OPENMAYA_EXPORT MFloatVectorArray {
 public:
  MFloatVectorArray();
  MFloatVectorArray(const MFloatVectorArray& other);
  MFloatVectorArray(const MFloatVector source[], unsigned count);
  MFloatVectorArray(unsigned initialSize, const MFloatVector& initialValue);
  ~MFloatVectorArray();

  const MFloatVector& operator[](unsigned index) const;
  MFloatVector& operator[](unsigned index);
  MFloatVectorArray& operator=(const MFloatVectorArray& other);
  bool set(const MFloatVector& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  bool remove(unsigned index);
  bool insert(const MFloatVector& element, unsigned index);
  bool append(const MFloatVector& element);
  bool clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  MFloatVector* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
