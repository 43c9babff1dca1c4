#pragma once
// File textures feeding shader attributes, and their paths made relative to the project directory.

#include <maya/MFnDependencyNode.h>

// Stores into output (capacity bytes, cut to fit) the "fileTextureName" of the first file texture node
// feeding attribute of shader, made project relative. Returns 1; 0 with output empty when the attribute
// does not exist, nothing feeds it from a file texture, or the name cannot be read.
int getTextureFileName(MFnDependencyNode& shader, const char* attribute, char* output, int capacity);

// Removes projectDirectory from the start of path (capacity bytes) when the path, lower-cased and
// with forward slashes, begins with it; the rest keeps its own case and separators. Logs the path
// before and after.
void makeProjectRelativePath(char* path, int capacity);
