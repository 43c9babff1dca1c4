#pragma once
// The translator's option string: pairs "key=value;" with the integer options "vertexColors",
// "relProjPath" and "optimize".

#include <maya/MString.h>

// Clears includeVertexColors, useProjectRelativePaths and optimizeModel, then sets each from its key
// in the option string: a non-zero integer value sets the flag, 0 clears it, the last occurrence of
// a key wins. Keys match exactly, case included; other keys and pieces without a value are ignored.
void parseExportOptions(const MString& options);

// Logs "Options:\n" and the three flags as 0 or 1.
void logExportOptions();
