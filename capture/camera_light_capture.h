#pragma once
// Camera and light capture: one Camera or Light record per accepted host node, logged and kept in the
// scene model. Positions are in world space times exportScale; directions are not scaled; nothing is
// axis-converted.

#include <cstdint>

#include <maya/MDagPath.h>

#include "model/model.h"

// Fills camera from the camera shape at path: eye point and centre of interest (world, scaled), up
// direction (world), fields of view, focal length, depth-of-field and vertical-lock flags. Returns 1,
// or 0 with nothing stored when the camera function set cannot be attached. model and upAxis unused.
int32_t loadCamera(const MDagPath& path, Camera& camera, Model& model, int32_t upAxis);

// Fills light from the light at path (the driver passes the light's transform): position (world
// translation, scaled), colour, the world direction the light points in, intensity, and per kind the
// decay rate, type, cone angle and drop-off. Returns 1, or 0 when a function set cannot be attached
// (fields read before that stay stored). An ambient or other light is captured with its type left 0.
int32_t loadLight(const MDagPath& path, Light& light, Model& model, int32_t upAxis);
