#ifndef _MFnDirectionalLight
#define _MFnDirectionalLight
// Function set for directional lights.

#include <maya/MFnNonExtendedLight.h>

class OPENMAYA_EXPORT MFnDirectionalLight : public MFnNonExtendedLight {
 public:
  MFnDirectionalLight();
  MFnDirectionalLight(MObject& object, MStatus* ret = NULL);
  MFnDirectionalLight(const MObject& object, MStatus* ret = NULL);
  MFnDirectionalLight(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnDirectionalLight();
  virtual MFn::Type type() const;

 private:
  MFnDirectionalLight& operator=(const MFnDirectionalLight&);
  MFnDirectionalLight* operator&() const;
  MFnDirectionalLight* operator&();
};

#endif
