#ifndef _MFnNonExtendedLight
#define _MFnNonExtendedLight
// Function set for point-like lights: directional, point and spot lights.

#include <maya/MFnNonAmbientLight.h>

class OPENMAYA_EXPORT MFnNonExtendedLight : public MFnNonAmbientLight {
 public:
  MFnNonExtendedLight();
  MFnNonExtendedLight(MObject& object, MStatus* ret = NULL);
  MFnNonExtendedLight(const MObject& object, MStatus* ret = NULL);
  MFnNonExtendedLight(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnNonExtendedLight();
  virtual MFn::Type type() const;

  double shadowRadius(MStatus* ReturnStatus = NULL) const;
  bool castSoftShadows(MStatus* ReturnStatus = NULL) const;
  bool useDepthMapShadows(MStatus* ReturnStatus = NULL) const;

 private:
  MFnNonExtendedLight& operator=(const MFnNonExtendedLight&);
  MFnNonExtendedLight* operator&() const;
  MFnNonExtendedLight* operator&();
};

#endif
