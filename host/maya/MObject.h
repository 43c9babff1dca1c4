#ifndef _MObject
#define _MObject
// A handle to a node, attribute, data or plug-in object of the host; its type decides which function sets attach.

#include <maya/MFn.h>
#include <maya/MTypes.h>

namespace headless {
struct Object;
struct ObjectAccess;
}

class FND_EXPORT MObject {
 public:
  MObject();
  MObject(const MObject& other);
  ~MObject();

  bool hasFn(MFn::Type type) const;
  bool isNull() const;
  MFn::Type apiType() const;
  const char* apiTypeStr() const;
  bool operator==(const MObject& other) const;
  bool operator!=(const MObject& other) const;
  MObject& operator=(const MObject& other);

  // Not const: it is bound to non-const MObject& default arguments.
  static MObject kNullObj;

 private:
  friend struct headless::ObjectAccess;
  headless::Object* object_;
};

#endif
