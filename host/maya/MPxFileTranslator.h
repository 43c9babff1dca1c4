#ifndef _MPxFileTranslator
#define _MPxFileTranslator
// The base class of file translators. The virtual functions are listed in the order of the API-500 table; the
// host calls writer with the access mode of the save or export that the user chose.

#include <maya/MFileObject.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MPxFileTranslator {
 public:
  enum MFileKind { kIsMyFileType, kCouldBeMyFileType, kNotMyFileType };
  enum FileAccessMode {
    kUnknownAccessMode,
    kOpenAccessMode,
    kImportAccessMode,
    kSaveAccessMode,
    kExportAccessMode,
    kExportActiveAccessMode
  };

  MPxFileTranslator();
  virtual ~MPxFileTranslator();
  virtual MStatus reader(const MFileObject& file, const MString& optionsString, FileAccessMode mode);
  virtual MStatus writer(const MFileObject& file, const MString& optionsString, FileAccessMode mode);
  virtual bool haveReadMethod() const;
  virtual bool haveWriteMethod() const;
  virtual bool haveNamespaceSupport() const;
  virtual MString defaultExtension() const;
  virtual MString filter() const;
  virtual bool canBeOpened() const;
  virtual MPxFileTranslator::MFileKind identifyFile(const MFileObject& file, const char* buffer,
                                                    short size) const;

 private:
  MPxFileTranslator(const MPxFileTranslator&);
  MPxFileTranslator& operator=(const MPxFileTranslator&);
  void* data;
};

#endif
