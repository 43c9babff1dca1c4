#ifndef _MPlugArray
#define _MPlugArray
// An array of MPlug.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
class MPlug;

class OPENMAYA_EXPORT MPlugArray {
 public:
  MPlugArray();
  MPlugArray(const MPlugArray& other);
  MPlugArray(const MPlug source[], unsigned count);
  ~MPlugArray();

  MPlug operator[](unsigned index) const;
  MPlug operator[](unsigned index);
  MPlugArray& operator=(const MPlugArray& other);
  MStatus set(const MPlug& element, unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const MPlug& element, unsigned index);
  MStatus append(const MPlug& element);
  MStatus clear();
  void setSizeIncrement(unsigned increment);
  unsigned sizeIncrement() const;

 private:
  MPlug* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
