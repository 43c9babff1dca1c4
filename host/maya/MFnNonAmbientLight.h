#ifndef _MFnNonAmbientLight
#define _MFnNonAmbientLight
// Function set for lights with a decay: directional, point, spot and area lights.

#include <maya/MFnLight.h>

class OPENMAYA_EXPORT MFnNonAmbientLight : public MFnLight {
 public:
  MFnNonAmbientLight();
  MFnNonAmbientLight(MObject& object, MStatus* ret = NULL);
  MFnNonAmbientLight(const MObject& object, MStatus* ret = NULL);
  MFnNonAmbientLight(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnNonAmbientLight();
  virtual MFn::Type type() const;

  short decayRate(MStatus* ReturnStatus = NULL) const;
  MStatus setDecayRate(const short& decay_rate);

 private:
  MFnNonAmbientLight& operator=(const MFnNonAmbientLight&);
  MFnNonAmbientLight* operator&() const;
  MFnNonAmbientLight* operator&();
};

#endif
