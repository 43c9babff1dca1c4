#ifndef _MFileObject
#define _MFileObject
// A file name with its directory, as the host hands it to a file translator.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MString;

class OPENMAYA_EXPORT MFileObject {
 public:
  MFileObject();
  MFileObject(const MFileObject& other);
  virtual ~MFileObject();
  MFileObject& operator=(const MFileObject& other);

  MStatus setName(const MString& fileName);
  MStatus setRawPath(const MString& pathString);
  MStatus setFullName(const MString& fileName);
  MString name() const;      // the file name without its directory
  MString rawPath() const;
  MString path() const;      // the directory, ending in '/'
  MString fullName() const;  // directory and file name
  bool exists();
  bool isSet() const;

 private:
  char* directory_;
  char* name_;
};

#endif
