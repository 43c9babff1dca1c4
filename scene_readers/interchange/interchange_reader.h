#pragma once
// Loads a scene from a common interchange format (OBJ with MTL, glTF, FBX, COLLADA, PLY, STL and the other
// formats the Assimp library imports) into the headless host's scene, for export through the plug-in: the node
// hierarchy as transforms, meshes with their polygons as the file has them, materials as shaders with shading
// groups, cameras and lights, and the file's up axis where the format records one.

#include <headless/scene.h>

#include <string>
#include <vector>

namespace interchange {

enum class UpAxisChoice { FromFile, Y, Z };

struct InterchangeOptions {
    double scale = 1.0;                           // multiplies every length: positions, translations, clipping
    UpAxisChoice upAxis = UpAxisChoice::FromFile; // FromFile: the file's where it records one, else Y
    unsigned long long memoryBudget = 0;          // bytes the import may take; 0 = 64 times the file, >= 4 GiB
};

struct InterchangeReport {
    bool ok = false;
    std::string message;               // on failure: "<file>: <what is wrong>"
    std::vector<std::string> warnings; // each complete, without "Warning: "
    headless::UpAxis upAxis = headless::UpAxis::Y;
    bool upAxisFromFile = false;
    // What reached the scene.
    int transforms = 0, meshes = 0, instances = 0, shaders = 0, fileTextures = 0, cameras = 0, lights = 0;
    long long faces = 0;
};

// Resets the scene to a new one (default cameras, lambert1 in initialShadingGroup) and fills it from the file at
// path. Fails, leaving the scene new and empty, for a file that cannot be read or that the library cannot
// import, a PLY header whose counts the file cannot hold, an import over the memory budget, a scale that is not
// a positive finite number, and a file without a single mesh with faces. Objects that cannot be converted
// (no faces, positions that are not finite, cameras or lights with bad values) are skipped with a warning each.
InterchangeReport loadInterchangeFile(const std::string& path, const InterchangeOptions& options = {});

// True when path ends in an extension the library imports (case ignored).
bool isInterchangeFile(const std::string& path);

} // namespace interchange
