#pragma once
// The four shader readers. Each reads its own attributes into a Material record after the reader of
// the type it derives from: lambert <- reflect <- phong / blinn. All return 1; a read that fails keeps
// the record's starting value.

#include <maya/MObject.h>

#include "model/material.h"

// Starting values (eccentricity 0.3, specularRollOff 0.7, cosPower 20, reflectedRayDepthLimit 2,
// specularColor 0.5 0.5 0.5 1, reflectivity 0.5, reflectedColor 0), then the lambert attributes with
// the file textures of "color", "transparency", "ambientColor" and "incandescence", the name (cut to
// 31 characters, with a warning) and type kLambert.
int loadLambertShader(MObject shader, Material& record);
// Lambert step, then reflectedRayDepthLimit, "specularColor", reflectivity (and its texture),
// "reflectedColor"; type kReflect.
int loadReflectShader(MObject shader, Material& record);
// Reflect step, then cosPower; type kPhong.
int loadPhongShader(MObject shader, Material& record);
// Reflect step, then eccentricity and specularRollOff; type kBlinn.
int loadBlinnShader(MObject shader, Material& record);
