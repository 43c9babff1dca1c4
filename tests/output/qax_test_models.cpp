#include "qax_test_models.h"

#include <cstring>
#include <limits>

#include "model/allocation.h"

namespace qaxtest {

void setString(qaxString& string, const std::string& text)
{
    memset(&string, 0, sizeof(string));
    string.length = uint16_t(text.size());
    memcpy(string.text, text.data(), text.size() < QAX_STRING_SIZE ? text.size() : size_t(QAX_STRING_SIZE));
}

qaxMaterial makeMaterial(const std::string& name, const std::vector<std::string>& textures, int seed)
{
    qaxMaterial material;
    memset(&material, 0, sizeof(material));
    setString(material.header.name, name);
    setString(material.header.type, "Standard");
    float base = 0.125f * float(seed + 1);
    for (int i = 0; i < 4; ++i) {
        material.colors.ambient[i] = base + 0.01f * float(i);
        material.colors.diffuse[i] = base + 0.02f * float(i);
        material.colors.specular[i] = base + 0.03f * float(i);
        material.colors.incandescence[i] = base + 0.04f * float(i);
    }
    material.colors.eccentricityScaled = 0.3f * 128.0f + float(seed);
    material.flags.reflective = seed % 2;
    const float uvw[7] = {0, 0, 1.0f, 1.0f, 0, 0, 0};
    memcpy(material.uvw.values, uvw, sizeof(uvw));
    material.translucence.coeff = 0.25f * float(seed % 3);
    material.translucence.enabled = material.translucence.coeff != 0.0f;
    material.textures.numTextures = int32_t(textures.size());
    material.textures.textures = allocateArray<qaxString>("m->textures.textures", textures.size());
    for (size_t i = 0; i < textures.size(); ++i)
        setString(material.textures.textures[i], textures[i]);
    return material;
}

void setSubMaterials(qaxMaterial& material, const std::vector<qaxMaterial>& subMaterials)
{
    material.subMaterials.numSubMaterials = int32_t(subMaterials.size());
    material.subMaterials.subMaterials = allocateArray<qaxMaterial>("m->subMaterials.subMaterials", subMaterials.size());
    for (size_t i = 0; i < subMaterials.size(); ++i)
        material.subMaterials.subMaterials[i] = subMaterials[i];
}

qaxObject makeObject(int32_t numVertices, int32_t numIndices, int32_t numBursts, bool colours, int seed)
{
    qaxObject object;
    memset(&object, 0, sizeof(object));
    object.header.materialID = seed % 3;
    object.indices.numIndices = numIndices;
    object.indices.indices = allocateArray<uint16_t>("o->indices.indices", size_t(numIndices));
    for (int32_t i = 0; i < numIndices; ++i)
        object.indices.indices[i] = uint16_t(numVertices > 0 ? (i * 7 + seed) % numVertices : 0);
    object.vertices.numVertices = numVertices;
    object.vertices.vertices = allocateArray<float>("o->vertices.vertices", size_t(numVertices) * 3);
    object.UVs.numUVs = numVertices;
    object.UVs.UVs = allocateArray<float>("o->UVs.UVs", size_t(numVertices) * 2);
    object.normals.numNormals = numVertices;
    object.normals.normals = allocateArray<float>("o->normals.normals", size_t(numVertices) * 3);
    if (colours) {
        object.vertexColors.present = 1;
        object.vertexColors.numVertexColors = numVertices;
        object.vertexColors.vertexColors = allocateArray<float>("o->vertexColors.vertexColors", size_t(numVertices) * 3);
    }
    for (int32_t i = 0; i < numVertices * 3; ++i) {
        object.vertices.vertices[i] = float(seed) + 0.5f * float(i);
        object.normals.normals[i] = -0.25f * float(i + seed);
        if (colours)
            object.vertexColors.vertexColors[i] = float(i % 5) / 4.0f;
    }
    for (int32_t i = 0; i < numVertices * 2; ++i)
        object.UVs.UVs[i] = 0.0625f * float(i + seed);
    object.bursts.numBursts = numBursts;
    object.bursts.burstStart = allocateArray<int32_t>("o->bursts.burstStart", size_t(numBursts));
    object.bursts.burstCount = allocateArray<int32_t>("o->bursts.burstCount", size_t(numBursts));
    object.bursts.burstMaterialID = allocateArray<int32_t>("o->bursts.burstMaterialID", size_t(numBursts));
    object.bursts.burstVperP = allocateArray<int32_t>("o->bursts.burstVperP", size_t(numBursts));
    for (int32_t i = 0; i < numBursts; ++i) {
        object.bursts.burstStart[i] = 3 * i;
        object.bursts.burstCount[i] = 3 * numVertices;
        object.bursts.burstMaterialID[i] = seed + i;
        object.bursts.burstVperP[i] = 3;
    }
    return object;
}

qaxModel makeModel(const std::vector<qaxMaterial>& materials, const std::vector<qaxObject>& objects)
{
    qaxModel model;
    memset(&model, 0, sizeof(model));
    model.materials.numMaterials = int32_t(materials.size());
    model.materials.materials = allocateArray<qaxMaterial>("qaxModel->materials.materials", materials.size());
    for (size_t i = 0; i < materials.size(); ++i)
        model.materials.materials[i] = materials[i];
    model.objects.numObjects = int32_t(objects.size());
    model.objects.objects = allocateArray<qaxObject>("qaxModel->objects.objects", objects.size());
    for (size_t i = 0; i < objects.size(); ++i)
        model.objects.objects[i] = objects[i];
    computeLengths(model);
    return model;
}

qaxModel workedExample()
{
    return makeModel({makeMaterial("material", {""}, 0)}, {makeObject(3, 3, 1, false, 0)});
}

qaxModel richModel()
{
    qaxMaterial inner = makeMaterial("inner", {"a.png"}, 4);
    setSubMaterials(inner, {makeMaterial("innermost", {}, 5)});
    qaxMaterial outer = makeMaterial("outer", {"b.png", "", std::string(64, 't')}, 1);
    setSubMaterials(outer, {inner, makeMaterial("sibling", {"c"}, 6)});
    qaxMaterial nan = makeMaterial(std::string(64, 'n'), {}, 2);
    nan.colors.diffuse[1] = std::numeric_limits<float>::quiet_NaN();
    qaxObject wild = makeObject(4, 6, 2, false, 3);
    wild.indices.indices[5] = 65535;
    return makeModel({makeMaterial("plain", {""}, 0), outer, nan},
                     {makeObject(5, 9, 1, true, 1), wild, makeObject(0, 0, 0, true, 2), makeObject(2, 3, 3, false, 4)});
}

// Bytes a chunk takes in the file: its tag and length field, then its length.
static int32_t chunkSize(int32_t length)
{
    return 8 + length;
}

static void computeMaterialLengths(qaxMaterial& material)
{
    material.header.length = 4 + material.header.name.length + material.header.type.length;
    material.colors.length = 68;
    material.flags.length = 4;
    material.uvw.length = 28;
    material.translucence.length = 8;
    material.textures.length = 4;
    for (int32_t i = 0; i < material.textures.numTextures; ++i)
        material.textures.length += 2 + material.textures.textures[i].length;
    material.subMaterials.length = 4;
    for (int32_t i = 0; i < material.subMaterials.numSubMaterials; ++i) {
        computeMaterialLengths(material.subMaterials.subMaterials[i]);
        material.subMaterials.length += chunkSize(material.subMaterials.subMaterials[i].length);
    }
    material.length = chunkSize(material.header.length) + chunkSize(material.colors.length) +
                      chunkSize(material.flags.length) + chunkSize(material.uvw.length) +
                      chunkSize(material.translucence.length) + chunkSize(material.textures.length) +
                      chunkSize(material.subMaterials.length) + 4;
}

static void computeObjectLengths(qaxObject& object)
{
    object.header.length = 12;
    object.indices.length = 4 + 2 * object.indices.numIndices;
    object.vertices.length = 4 + 12 * object.vertices.numVertices;
    object.vertexColors.length = 4 + 12 * object.vertexColors.numVertexColors;
    object.UVs.length = 4 + 8 * object.UVs.numUVs;
    object.normals.length = 4 + 12 * object.normals.numNormals;
    object.bursts.length = 4 + 16 * object.bursts.numBursts;
    object.length = chunkSize(object.header.length) + chunkSize(object.indices.length) +
                    chunkSize(object.vertices.length) + chunkSize(object.UVs.length) + chunkSize(object.normals.length) +
                    chunkSize(object.bursts.length) + 4;
    if (object.vertexColors.present)
        object.length += chunkSize(object.vertexColors.length);
}

void computeLengths(qaxModel& model)
{
    model.materials.length = 4;
    for (int32_t i = 0; i < model.materials.numMaterials; ++i) {
        computeMaterialLengths(model.materials.materials[i]);
        model.materials.length += chunkSize(model.materials.materials[i].length);
    }
    model.objects.length = 4;
    for (int32_t i = 0; i < model.objects.numObjects; ++i) {
        computeObjectLengths(model.objects.objects[i]);
        model.objects.length += chunkSize(model.objects.objects[i].length);
    }
    model.fileLength = chunkSize(model.materials.length) + chunkSize(model.objects.length) + 4;
}

} // namespace qaxtest
