#ifndef _MFnSpotLight
#define _MFnSpotLight
// Function set for spot lights; angles are radians.

#include <maya/MFnNonExtendedLight.h>

class OPENMAYA_EXPORT MFnSpotLight : public MFnNonExtendedLight {
 public:
  MFnSpotLight();
  MFnSpotLight(MObject& object, MStatus* ret = NULL);
  MFnSpotLight(const MObject& object, MStatus* ret = NULL);
  MFnSpotLight(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnSpotLight();
  virtual MFn::Type type() const;

  double coneAngle(MStatus* ReturnStatus = NULL) const;
  MStatus setConeAngle(const double& cone_angle);
  double penumbraAngle(MStatus* ReturnStatus = NULL) const;
  double dropOff(MStatus* ReturnStatus = NULL) const;
  MStatus setDropOff(const double& drop_off);

 private:
  MFnSpotLight& operator=(const MFnSpotLight&);
  MFnSpotLight* operator&() const;
  MFnSpotLight* operator&();
};

#endif
