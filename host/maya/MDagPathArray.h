#ifndef _MDagPathArray
#define _MDagPathArray
// An array of MDagPath.

#include <maya/MStatus.h>
#include <maya/MTypes.h>
class MDagPath;

class OPENMAYA_EXPORT MDagPathArray {
 public:
  MDagPathArray();
  ~MDagPathArray();

  const MDagPath& operator[](unsigned index) const;
  MDagPath& operator[](unsigned index);
  MStatus setLength(unsigned length);
  unsigned length() const;
  MStatus remove(unsigned index);
  MStatus insert(const MDagPath& element, unsigned index);
  MStatus append(const MDagPath& element);
  MStatus clear();

 private:
  MDagPathArray(const MDagPathArray&);
  MDagPathArray& operator=(const MDagPathArray&);
  MDagPath* items_;
  unsigned length_;
  unsigned capacity_;
};

#endif
