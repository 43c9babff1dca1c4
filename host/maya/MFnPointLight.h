#ifndef _MFnPointLight
#define _MFnPointLight
// Function set for point lights.

#include <maya/MFnNonExtendedLight.h>

class OPENMAYA_EXPORT MFnPointLight : public MFnNonExtendedLight {
 public:
  MFnPointLight();
  MFnPointLight(MObject& object, MStatus* ret = NULL);
  MFnPointLight(const MObject& object, MStatus* ret = NULL);
  MFnPointLight(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnPointLight();
  virtual MFn::Type type() const;

 private:
  MFnPointLight& operator=(const MFnPointLight&);
  MFnPointLight* operator&() const;
  MFnPointLight* operator&();
};

#endif
