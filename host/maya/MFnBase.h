#ifndef _MFnBase
#define _MFnBase
// The base of every function set: attaching to an object and the type tests of the function-set system.
// A set attaches only to an object compatible with its own type(); attaching anything else gives
// kInvalidParameter and leaves the set without an object.

#include <maya/MFn.h>
#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MObject;

namespace headless {
struct Object;
class PathData;
struct FnAccess;
}

class OPENMAYA_EXPORT MFnBase {
 public:
  virtual ~MFnBase();
  virtual MFn::Type type() const;
  bool hasObj(MFn::Type type) const;
  bool hasObj(const MObject& object) const;
  MObject object(MStatus* ReturnStatus = NULL) const;
  virtual MStatus setObject(MObject& object);
  virtual MStatus setObject(const MObject& object);

 protected:
  MFnBase();

 private:
  friend struct headless::FnAccess;
  MFnBase& operator=(const MFnBase&);
  MFnBase* operator&() const;
  MFnBase* operator&();

  headless::Object* object_;  // the attached object (a counted reference), or none
  headless::PathData* path_;  // the DAG path it was attached through, for world-space queries
};

#endif
