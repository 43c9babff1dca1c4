#pragma once
// One shader read from the host. A plain fixed-size record; the table is cleared as raw memory.

#include <cstdint>

#include "model/records.h"

struct Material {
    float eccentricity;
    float specularRollOff;
    float cosPower;
    int16_t reflectedRayDepthLimit;
    float specularColor[4];
    char specularColorTexture[PATH_SIZE];
    float reflectivity;
    char reflectivityTexture[PATH_SIZE];
    float reflectedColor[4];
    char reflectedColorTexture[PATH_SIZE];
    int16_t refractedRayDepthLimit;
    float refractiveIndex;
    uint8_t rtRefractedColor;
    float diffuseCoeff;
    float color[4];
    char colorTexture[PATH_SIZE];
    float transparency[4];
    char transparencyTexture[PATH_SIZE];
    float ambientColor[4];
    char ambientColorTexture[PATH_SIZE];
    float incandescence[4];
    char incandescenceTexture[PATH_SIZE];
    float translucenceCoeff;
    float glowIntensity;
    char name[NAME_SIZE];
    int32_t type; // host type of the last reader that ran (lambert, reflect, phong, blinn)
};
