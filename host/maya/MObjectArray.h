#ifndef _MObjectArray
#define _MObjectArray
// An array of MObject.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
#include <maya/MObject.h>

class OPENMAYA_EXPORT MObjectArray {
 public:
  MObjectArray();
  MObjectArray(const MObjectArray& other);
  MObjectArray(const MObject source[], unsigned count);
  MObjectArray(unsigned initialSize, const MObject& initialValue = MObject::kNullObj);
  ~MObjectArray();

  const MObject& operator[](unsigned index) const;
  MObject& operator[](unsigned index);
  MStatus set(const MObject& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const MObject& element, unsigned index);
  MStatus append(const MObject& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  MObjectArray& operator=(const MObjectArray& other);
  MObject* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
