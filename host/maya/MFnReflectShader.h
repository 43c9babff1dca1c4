#ifndef _MFnReflectShader
#define _MFnReflectShader
// Function set for reflective lambert-family shaders (blinn, phong, phongE, ...).

#include <maya/MFnLambertShader.h>

class OPENMAYA_EXPORT MFnReflectShader : public MFnLambertShader {
 public:
  MFnReflectShader();
  MFnReflectShader(MObject& object, MStatus* ReturnStatus = NULL);
  MFnReflectShader(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnReflectShader();
  virtual MFn::Type type() const;

  short reflectedRayDepthLimit(MStatus* ReturnStatus = NULL) const;
  MStatus setReflectedRayDepthLimit(const short& depth);
  MColor specularColor(MStatus* ReturnStatus = NULL) const;
  MStatus setSpecularColor(const MColor& specular_color);
  float reflectivity(MStatus* ReturnStatus = NULL) const;
  MStatus setReflectivity(const float& reflect);
  MColor reflectedColor(MStatus* ReturnStatus = NULL) const;
  MStatus setReflectedColor(const MColor& reflected_color);

 private:
  MFnReflectShader& operator=(const MFnReflectShader&);
  MFnReflectShader* operator&() const;
  MFnReflectShader* operator&();
};

#endif
