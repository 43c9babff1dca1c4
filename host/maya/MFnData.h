#ifndef _MFnData
#define _MFnData
// Base function set of attribute data objects.

#include <maya/MFnBase.h>

class OPENMAYA_EXPORT MFnData : public MFnBase {
 public:
  MFnData();
  MFnData(MObject& object, MStatus* ReturnStatus = NULL);
  MFnData(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnData();
  virtual MFn::Type type() const;

 private:
  MFnData& operator=(const MFnData&);
  MFnData* operator&() const;
  MFnData* operator&();
};

#endif
