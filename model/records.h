#pragma once
// Records held by a frame of the scene model. Layouts are fixed: the order and types of the fields
// are the record's definition.

#include <cstdint>

enum { NAME_SIZE = 32, PATH_SIZE = 260, MAX_POLYGON_CORNERS = 6, MAX_LATTICE_ATTACHED = 10 };

// One face of a mesh: 25 int32. Slots at and beyond numVerts are -1; -1 also means "none".
struct Polygon {
    int32_t numVerts; // corners stored, 0..6
    int32_t vertIndices[MAX_POLYGON_CORNERS];
    int32_t uvIndices[MAX_POLYGON_CORNERS];
    int32_t normalIndices[MAX_POLYGON_CORNERS];
    int32_t colorIndices[MAX_POLYGON_CORNERS];
};
static_assert(sizeof(Polygon) == 25 * 4, "Polygon is 25 int32");

// One captured polygon mesh. Arrays are owned ("mesh->verts", "mesh->UVs", ...).
struct Mesh {
    char name[NAME_SIZE];      // shape name with the first "Shape" cut out
    char shapeName[NAME_SIZE]; // shape name as the host gives it
    int32_t materialIndex;
    int32_t numVerts;
    float* verts; // xyz
    int32_t numUVs;
    float* UVs; // uv
    int32_t numNormals;
    float* normals; // xyz
    int32_t numColors;
    float* colors; // rgb
    int32_t numPolygons;
    Polygon* polygons;
};

// One bicubic Bezier patch cut from a NURBS surface.
struct Nurb {
    int32_t degreeU;
    int32_t degreeV;
    int32_t numCVsInU; // always 4
    int32_t numCVsInV; // always 4
    float* controlPoints; // 16 points, point (i, j) at i * 4 + j ("nurb->controlPoints")
    int32_t materialIndex;
};

// One NURBS curve.
struct Curve {
    char name[NAME_SIZE];
    int32_t degree;
    int32_t numCVs;
    float* controlPoints; // numCVs points ("curve->controlPoints")
};

// One lattice with the captured meshes it deforms.
struct Lattice {
    uint32_t sDivisions;
    uint32_t tDivisions;
    uint32_t uDivisions;
    int32_t numAttached;
    int32_t attached[MAX_LATTICE_ATTACHED]; // mesh index in the first frame, or -1
    float mins[3];
    float maxs[3];
    float* latticePoints; // point (a, b, c) at (a * t + b) * u + c ("lattice->latticePoints")
};

struct Camera {
    float eyePoint[3];
    float centerOfInterest[3];
    float upDirection[3];
    float verticalFov;
    float horizontalFov;
    float focalLength;
    uint8_t depthOfField;
    uint8_t verticalLock;
};

struct Light {
    int32_t type; // 0 directional, 1 point, 2 spot
    float position[3];
    int32_t decayRate;
    float color[3];
    float intensity;
    float direction[3];
    float coneAngle;
    float dropOff;
};
