#pragma once
// Cameras and lights of an interchange file as host camera and light shapes.

#include "scene_readers/interchange/node_names.h"
#include "scene_readers/interchange/transform_decomposition.h"

#include <assimp/vector3.h>
#include <maya/MObject.h>

#include <string>
#include <vector>

struct aiCamera;
struct aiLight;

namespace interchange {

// The host's cameras and lights sit at their transform's origin, look down its -Z axis with +Y up. Fills parts
// with the transform that puts such a shape at position (times scale) looking along direction with the given up
// vector, all in the node's space. Returns false when no extra transform is needed (origin, -Z, +Y) or when the
// values cannot make one (not finite, a zero direction); an up vector along the direction is replaced.
bool shapeFrame(const aiVector3D& position, const aiVector3D& direction, const aiVector3D& up, double scale,
                TransformParts& parts);

// Quirks of the library's readers that the conversion undoes.
struct ReaderQuirks {
    bool cameraPositionIsNodeTranslation = false; // glTF: the node's translation is repeated as the position
    bool spotAnglesAreHalfAngles = false;          // glTF: cone angles measured from the axis
};

// Creates the camera's shape under nodeTransform, or under a new child transform when the camera's frame is
// not the host's or ownChild is set (the node holds other shapes): horizontal field of view as focal length
// on the default 1.41732-inch film back (film fit horizontal), aspect ratio as the vertical aperture, clipping
// planes (times scale), orthographic width. The field of view is taken as the whole horizontal angle, as the
// library's COLLADA, glTF and FBX readers fill it (its documentation speaks of the half angle). Returns the shape, or null with a warning for values that are not
// finite or out of range.
MObject buildCamera(const aiCamera& camera, const std::string& name, const MObject& nodeTransform, bool ownChild,
                    const ReaderQuirks& quirks, double scale, NameRegistry& names, std::vector<std::string>& warnings);

// Creates the light's shape likewise: ambient, directional, point and spot kinds; colour split into a colour
// with its largest channel 1 and an intensity; decay from the attenuation (quadratic 2, linear 1, else none);
// spot cone angle from the inner cone and penumbra from half the difference to the outer cone. Area and
// unknown kinds are skipped with a warning (null).
MObject buildLight(const aiLight& light, const std::string& name, const MObject& nodeTransform, bool ownChild,
                   const ReaderQuirks& quirks, double scale, NameRegistry& names, std::vector<std::string>& warnings);

} // namespace interchange
