#ifndef _MFileIO
#define _MFileIO
// The scene file the host has open.

#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MFileIO {
 public:
  static MString currentFile();
  static MStatus setCurrentFile(const MString& fileName);
  static bool isNewingFile(MStatus* ReturnStatus = NULL);
  static bool isReadingFile(MStatus* ReturnStatus = NULL);
  static bool isWritingFile(MStatus* ReturnStatus = NULL);

 private:
  MFileIO();
};

#endif
