#ifndef _MTypes
#define _MTypes
// Basic types, export macros, the API version and MSpace, as the API-500 devkit provides them.

#include <stddef.h>

#define MAYA_API_VERSION 500

// The host finds initializePlugin, uninitializePlugin and MApiVersion by their plain names, so they must be
// visible even when a module is built with hidden visibility.
#ifndef PLUGIN_EXPORT
#if defined(_WIN32)
#define PLUGIN_EXPORT __declspec(dllexport)
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif
#endif
#ifndef FND_EXPORT
#define FND_EXPORT
#endif
#ifndef OPENMAYA_EXPORT
#define OPENMAYA_EXPORT
#endif
#ifndef OPENMAYAANIM_EXPORT
#define OPENMAYAANIM_EXPORT
#endif

class MStatus;

typedef signed short short2[2];
typedef signed short short3[3];
typedef signed int long2[2];
typedef signed int long3[3];
typedef signed int int2[2];
typedef signed int int3[3];
typedef float float2[2];
typedef float float3[3];
typedef double double2[2];
typedef double double3[3];
typedef double double4[4];
typedef unsigned long long MUint64;

typedef void* (*MCreatorFunction)();
typedef MStatus (*MInitializeFunction)();

// The coordinate spaces of transformation and component queries.
class MSpace {
 public:
  enum Space {
    kInvalid = 0,
    kTransform = 1,
    kPreTransform = 2,
    kPostTransform = 3,
    kWorld = 4,
    kObject = kPreTransform,
    kLast = 5
  };
};

#endif
