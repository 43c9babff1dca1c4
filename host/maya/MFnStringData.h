#ifndef _MFnStringData
#define _MFnStringData
// Function set for string data, the value object of a string attribute.

#include <maya/MFnData.h>
#include <maya/MString.h>

class OPENMAYA_EXPORT MFnStringData : public MFnData {
 public:
  MFnStringData();
  MFnStringData(MObject& object, MStatus* ReturnStatus = NULL);
  MFnStringData(const MObject& object, MStatus* ReturnStatus = NULL);
  virtual ~MFnStringData();
  virtual MFn::Type type() const;

  MString string(MStatus* ReturnStatus = NULL) const;
  MStatus set(const MString& newString);
  MObject create(const MString& str, MStatus* ReturnStatus = NULL);
  MObject create(MStatus* ReturnStatus = NULL);

 private:
  MFnStringData& operator=(const MFnStringData&);
  MFnStringData* operator&() const;
  MFnStringData* operator&();
};

#endif
