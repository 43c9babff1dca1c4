#pragma once
// Loads a Maya ASCII (.ma) scene into the headless host's scene: the scene is reset to a new scene
// (default cameras, lambert1 in initialShadingGroup) and filled with the file's transforms, meshes,
// NURBS surfaces and curves, lattices with their ffd deformers, cameras, lights, shaders, file
// textures and shading groups. Node types and attributes the reader does not use are skipped and
// summed up in one warning each; malformed input fails the load with "file:line: expected ...", and
// the scene is then left new and empty.

#include <map>
#include <string>
#include <vector>

namespace mayaascii {

struct LoadReport {
    bool ok = false;
    std::string message;                       // on failure: "file:line: what was expected"
    std::vector<std::string> warnings;         // each complete, without "Warning: "
    // Shapes left out because their geometry exists only through construction history that is not evaluated,
    // and per node type on such histories, how many shapes it cost.
    std::vector<std::string> historyOnlyShapes;
    std::map<std::string, int> unevaluatedHistoryTypes;
    // What reached the scene.
    int transforms = 0, meshes = 0, nurbsSurfaces = 0, nurbsCurves = 0, lattices = 0, ffds = 0;
    int cameras = 0, lights = 0, shaders = 0, fileTextures = 0, shadingGroups = 0, connections = 0;
    // What did not.
    std::map<std::string, int> skippedNodeTypes;  // type -> node count
    int skippedAttributes = 0;
    int skippedConnections = 0;
};

// Reads the file at path; a file that cannot be read fails with a message naming it.
LoadReport loadMayaAsciiFile(const std::string& path);

// Loads text as if read from a file called fileName (used in messages only).
LoadReport loadMayaAsciiText(const std::string& text, const std::string& fileName);

} // namespace mayaascii
