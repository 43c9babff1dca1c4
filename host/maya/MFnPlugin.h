#ifndef _MFnPlugin
#define _MFnPlugin
// Registers a plug-in's services with the host from initializePlugin and withdraws them from
// uninitializePlugin. Including this header also defines MApiVersion (see MApiVersion.h).

#include <maya/MApiVersion.h>
#include <maya/MFnBase.h>
#include <maya/MObject.h>  // the devkit's header reaches it through its node headers

class MString;
class MFileObject;

class OPENMAYA_EXPORT MFnPlugin : public MFnBase {
 public:
  MFnPlugin();
  MFnPlugin(MObject& object, const char* vendor = "Unknown", const char* version = "Unknown",
            const char* requiredApiVersion = "Any", MStatus* ReturnStatus = 0L);
  virtual ~MFnPlugin();
  virtual MFn::Type type() const;

  MString vendor(MStatus* ReturnStatus = NULL) const;
  MString version(MStatus* ReturnStatus = NULL) const;
  MString apiVersion(MStatus* ReturnStatus = NULL) const;
  MString name(MStatus* ReturnStatus = NULL) const;
  MString loadPath(MStatus* ReturnStatus = NULL) const;
  MStatus setName(const MString& newName, bool allowRename = true);
  // The three strings are non-const char pointers in this API version.
  MStatus registerFileTranslator(const MString& translatorName, char* pixmapName, MCreatorFunction creatorFunction,
                                 char* optionsScriptName = NULL, char* defaultOptionsString = NULL,
                                 bool requiresFullMel = false);
  MStatus deregisterFileTranslator(const MString& translatorName);
  static MObject findPlugin(const MString& pluginName);

 private:
  MFnPlugin(const MObject& object, const char* vendor = "Unknown", const char* version = "Unknown",
            const char* requiredApiVersion = "Any", MStatus* ReturnStatus = 0L);
  MFnPlugin& operator=(const MFnPlugin&);
  MFnPlugin* operator&() const;
  MFnPlugin* operator&();
};

#endif
