#pragma once
// Which material an object uses: the shader upstream of the first shading group of the object's shape,
// looked up by name in the scene model's material table.

#include <cstdint>

#include <maya/MDagPath.h>
#include <maya/MFn.h>
#include <maya/MObject.h>

#include "model/model.h"

// Name used when no shader can be named.
extern const char* const unknownMaterialName;

// Index of the record of model's material table whose name equals (ignoring ASCII case) the name of
// the shader assigned to path. The shader name is cut to the record's 31 characters before comparing,
// with a warning when it had to be, so long names still find their record. 0, after
// "Error: Material '%s' not found\n", when no record matches.
int32_t getMaterialIndexForPath(const MDagPath& path, const Model& model);

// Puts into name (capacity bytes, cut to fit) the name of the blinn node, or failing that the first
// lambert-family node, upstream of path's shading group. Returns 1 when a node was found (name is
// "unknownMaterial" if its name could not be read), 0 when none was (name is "unknownMaterial").
int getShaderNameForPath(const MDagPath& path, char* name, int capacity);

// Sets shader (null on entry) to the first node compatible with type upstream of the first
// renderable-only set of path's shape; leaves it null when there is none.
void findShaderForPath(const MDagPath& path, MFn::Type type, MObject& shader);

// path extended to its shape; path as given (with "Warning: No Shape node was found\n") when that fails.
MDagPath getShapePath(MDagPath path);
