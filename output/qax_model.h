#pragma once
// The output model: the .qax file in memory, one record per chunk, each with its chunk length.
//
// File layout (little-endian, no padding; a chunk is tag, int32 length of what follows, payload):
//   "QAX1" fileLength
//   MATS count { MAT0 { MHDR MCOL MCFL MUVW MTRA MTEX MSUB "MEND" } }
//   GEOB count { GOB1 { GHDR INDI VERT [VCOL] TVER NORM BRST "GEND" } }
//   "EQAX"

#include <cstdint>

enum { QAX_STRING_SIZE = 64 };

// uint16 length, then exactly length bytes of text (no terminator in the file).
struct qaxString {
    uint16_t length;
    char text[QAX_STRING_SIZE];
};

struct qaxMaterial {
    int32_t length;
    struct {
        int32_t length;
        qaxString name;
        qaxString type;
    } header;
    struct {
        int32_t length;
        float ambient[4];
        float diffuse[4];
        float specular[4];
        float incandescence[4];
        float eccentricityScaled;
    } colors;
    struct {
        int32_t length;
        int32_t reflective;
    } flags;
    struct {
        int32_t length;
        float values[7];
    } uvw;
    struct {
        int32_t length;
        float coeff;
        int32_t enabled;
    } translucence;
    struct {
        int32_t length;
        int32_t numTextures;
        qaxString* textures; // "m->textures.textures"
    } textures;
    struct {
        int32_t length;
        int32_t numSubMaterials;
        qaxMaterial* subMaterials;
    } subMaterials;
};

struct qaxObject {
    int32_t length;
    struct {
        int32_t length;
        int32_t reserved0;
        int32_t reserved1;
        int32_t materialID;
    } header;
    struct {
        int32_t length;
        int32_t numIndices;
        uint16_t* indices; // "o->indices.indices"
    } indices;
    struct {
        int32_t length;
        int32_t numVertices;
        float* vertices; // xyz, "o->vertices.vertices"
    } vertices;
    struct {
        uint8_t present; // not written; decides whether VCOL is written
        int32_t length;
        int32_t numVertexColors;
        float* vertexColors; // rgb, "o->vertexColors.vertexColors"
    } vertexColors;
    struct {
        int32_t length;
        int32_t numUVs;
        float* UVs; // uv, "o->UVs.UVs"
    } UVs;
    struct {
        int32_t length;
        int32_t numNormals;
        float* normals; // xyz, "o->normals.normals"
    } normals;
    struct {
        int32_t length;
        int32_t numBursts;
        int32_t* burstStart;      // "o->bursts.burstStart"
        int32_t* burstCount;      // "o->bursts.burstCount"
        int32_t* burstMaterialID; // "o->bursts.burstMaterialID"
        int32_t* burstVperP;      // "o->bursts.burstVperP"
    } bursts;
};

struct qaxModel {
    int32_t fileLength; // bytes after this field to the end of the file
    struct {
        int32_t length;
        int32_t numMaterials;
        qaxMaterial* materials; // "qaxModel->materials.materials"
    } materials;
    struct {
        int32_t length;
        int32_t numObjects;
        qaxObject* objects; // "qaxModel->objects.objects"
    } objects;
};
