#ifndef _MFnPhongShader
#define _MFnPhongShader
// Function set for phong shaders.

#include <maya/MFnReflectShader.h>

class OPENMAYA_EXPORT MFnPhongShader : public MFnReflectShader {
 public:
  MFnPhongShader();
  MFnPhongShader(MObject& object, MStatus* ReturnStatus = NULL);
  MFnPhongShader(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnPhongShader();
  virtual MFn::Type type() const;

  float cosPower(MStatus* ReturnStatus = NULL) const;
  MStatus setCosPower(const float& cos_power);

 private:
  MFnPhongShader& operator=(const MFnPhongShader&);
  MFnPhongShader* operator&() const;
  MFnPhongShader* operator&();
};

#endif
