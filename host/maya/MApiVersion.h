#ifndef _MApiVersion
#define _MApiVersion
// Defines the exported C symbol MApiVersion, the API version the module was built for, in the one translation
// unit of a plug-in that includes MFnPlugin.h without first defining MNoVersionString.

#include <maya/MTypes.h>

#ifndef MNoVersionString
#define MAPIVERSION_TEXT2(version) #version
#define MAPIVERSION_TEXT(version) MAPIVERSION_TEXT2(version)
extern "C" {
PLUGIN_EXPORT char MApiVersion[] = MAPIVERSION_TEXT(MAYA_API_VERSION);
}
#undef MAPIVERSION_TEXT
#undef MAPIVERSION_TEXT2
#endif

#endif
