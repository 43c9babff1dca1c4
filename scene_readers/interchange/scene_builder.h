#pragma once
// Fills the headless host's scene from an imported interchange scene.

#include "scene_readers/interchange/camera_light_conversion.h"
#include "scene_readers/interchange/interchange_reader.h"

#include <string>

struct aiScene;

namespace interchange {

struct BuildSettings {
    double scale = 1.0;
    std::string fileDirectory;      // where relative texture paths start
    ReaderQuirks quirks;
    bool rootMatrixIsUnitScale = false; // COLLADA: the library puts the file's unit conversion on the root node
    bool materialsAreStandIns = false;  // PLY: the format has no materials; the library invents a white one
};

// Creates a transform per node (the root only when it holds something or moves its children; names made host
// names and unique; matrices taken apart into translate, rotate, scale and shear), a mesh shape per mesh a node
// names (a mesh named by several nodes becomes one shape with several instances), a shader and shading group
// per material in use (the library's default material, or any material of a format without materials:
// initialShadingGroup), and the cameras and lights under the nodes of their names. Counts and warnings go to
// report; mesh changes are summed into one warning per kind. The scene is expected new. Returns false with
// report.message set when no mesh reached the scene.
bool buildScene(const aiScene& scene, const BuildSettings& settings, InterchangeReport& report);

} // namespace interchange
