#ifndef _MDGContext
#define _MDGContext
// The evaluation context of a plug read; fsNormal is the current time.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class OPENMAYA_EXPORT MDGContext {
 public:
  MDGContext();
  MDGContext(const MDGContext& other);
  virtual ~MDGContext();
  MDGContext& operator=(const MDGContext& other);
  bool isNormal(MStatus* ReturnStatus = NULL) const;

  // Not const: it is bound to non-const MDGContext& default arguments.
  static MDGContext fsNormal;

 private:
  int kind_;
};

#endif
