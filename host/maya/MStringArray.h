#ifndef _MStringArray
#define _MStringArray
// An array of MString.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MStringArray {
 public:
  MStringArray();
  MStringArray(const MStringArray& other);
  MStringArray(const MString strings[], unsigned count);
  MStringArray(unsigned initialSize, const MString& initialValue);
  ~MStringArray();

  MString operator[](unsigned index) const;
  MString& operator[](unsigned index);
  MStringArray& operator=(const MStringArray& other);
  MStatus set(const MString& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const MString& element, unsigned index);
  MStatus append(const MString& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  MString* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
