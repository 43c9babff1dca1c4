#ifndef _MFnAmbientLight
#define _MFnAmbientLight
// Function set for ambient lights.

#include <maya/MFnLight.h>

class OPENMAYA_EXPORT MFnAmbientLight : public MFnLight {
 public:
  MFnAmbientLight();
  MFnAmbientLight(MObject& object, MStatus* ret = NULL);
  MFnAmbientLight(const MObject& object, MStatus* ret = NULL);
  MFnAmbientLight(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnAmbientLight();
  virtual MFn::Type type() const;

  float ambientShade(MStatus* ReturnStatus = NULL) const;
  bool castSoftShadows(MStatus* ReturnStatus = NULL) const;

 private:
  MFnAmbientLight& operator=(const MFnAmbientLight&);
  MFnAmbientLight* operator&() const;
  MFnAmbientLight* operator&();
};

#endif
