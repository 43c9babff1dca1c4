#ifndef _MFnLight
#define _MFnLight
// Function set for every light: colour, intensity and direction. Attached to a light's transform path it
// works on the light shape below it.

#include <maya/MFnDagNode.h>
class MFloatVector;
class MColor;
class MDagPath;

class OPENMAYA_EXPORT MFnLight : public MFnDagNode {
 public:
  MFnLight();
  MFnLight(MObject& object, MStatus* ret = NULL);
  MFnLight(const MObject& object, MStatus* ret = NULL);
  MFnLight(const MDagPath& object, MStatus* ret = NULL);
  virtual ~MFnLight();
  virtual MFn::Type type() const;

  MColor color(MStatus* ReturnStatus = NULL) const;
  MStatus setColor(const MColor& col);
  float intensity(MStatus* ReturnStatus = NULL) const;
  MStatus setIntensity(const float& intens);
  bool useRayTraceShadows(MStatus* ReturnStatus = NULL) const;
  MColor shadowColor(MStatus* ReturnStatus = NULL) const;
  double centerOfIllumination(MStatus* ReturnStatus = NULL) const;
  // The direction the light points in for one instance (not normalised).
  MFloatVector lightDirection(int instance, MSpace::Space space = MSpace::kWorld, MStatus* ReturnStatus = NULL) const;
  // The lightDirection render attribute, meaningful only while rendering.
  MFloatVector lightDirection(MStatus* ReturnStatus = NULL) const;
  bool lightAmbient(MStatus* ReturnStatus = NULL) const;
  bool lightDiffuse(MStatus* ReturnStatus = NULL) const;
  bool lightSpecular(MStatus* ReturnStatus = NULL) const;

 private:
  MFnLight& operator=(const MFnLight&);
  MFnLight* operator&() const;
  MFnLight* operator&();
};

#endif
