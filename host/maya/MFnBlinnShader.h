#ifndef _MFnBlinnShader
#define _MFnBlinnShader
// Function set for blinn shaders.

#include <maya/MFnReflectShader.h>

class OPENMAYA_EXPORT MFnBlinnShader : public MFnReflectShader {
 public:
  MFnBlinnShader();
  MFnBlinnShader(MObject& object, MStatus* ReturnStatus = NULL);
  MFnBlinnShader(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnBlinnShader();
  virtual MFn::Type type() const;

  float eccentricity(MStatus* ReturnStatus = NULL) const;
  MStatus setEccentricity(const float& eccentricity);
  float specularRollOff(MStatus* ReturnStatus = NULL) const;
  MStatus setSpecularRollOff(const float& specular_rolloff);

 private:
  MFnBlinnShader& operator=(const MFnBlinnShader&);
  MFnBlinnShader* operator&() const;
  MFnBlinnShader* operator&();
};

#endif
