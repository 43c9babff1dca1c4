#ifndef _MFnLambertShader
#define _MFnLambertShader
// Function set for lambert-family shaders; each getter reads the attribute of the same name.

#include <maya/MFnDependencyNode.h>
class MColor;

class OPENMAYA_EXPORT MFnLambertShader : public MFnDependencyNode {
 public:
  MFnLambertShader();
  MFnLambertShader(MObject& object, MStatus* ReturnStatus = NULL);
  MFnLambertShader(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnLambertShader();
  virtual MFn::Type type() const;

  short refractedRayDepthLimit(MStatus* ReturnStatus = NULL) const;
  MStatus setRefractedRayDepthLimit(const short& depth);
  float refractiveIndex(MStatus* ReturnStatus = NULL) const;
  MStatus setRefractiveIndex(const float& refractive_index);
  bool rtRefractedColor(MStatus* ReturnStatus = NULL) const;
  MStatus setRtRefractedColor(const bool& rt_refracted_color);
  float diffuseCoeff(MStatus* ReturnStatus = NULL) const;
  MStatus setDiffuseCoeff(const float& diffuse_coeff);
  MColor color(MStatus* ReturnStatus = NULL) const;
  MStatus setColor(const MColor& new_color);
  MColor transparency(MStatus* ReturnStatus = NULL) const;
  MStatus setTransparency(const MColor& transp);
  MColor ambientColor(MStatus* ReturnStatus = NULL) const;
  MStatus setAmbientColor(const MColor& ambient_color);
  MColor incandescence(MStatus* ReturnStatus = NULL) const;
  MStatus setIncandescence(const MColor& incand);
  float translucenceCoeff(MStatus* ReturnStatus = NULL) const;
  MStatus setTranslucenceCoeff(const float& translucence_coeff);
  float glowIntensity(MStatus* ReturnStatus = NULL) const;
  MStatus setGlowIntensity(const float& glow_intensity);

 private:
  MFnLambertShader& operator=(const MFnLambertShader&);
  MFnLambertShader* operator&() const;
  MFnLambertShader* operator&();
};

#endif
