#include "materials/shader_readers.h"

#include <maya/MColor.h>
#include <maya/MFn.h>
#include <maya/MFnBlinnShader.h>
#include <maya/MFnLambertShader.h>
#include <maya/MFnPhongShader.h>
#include <maya/MFnReflectShader.h>
#include <maya/MStatus.h>
#include <maya/MString.h>

#include "log/log.h"
#include "materials/texture_paths.h"
#include "model/fixed_text.h"

namespace {

void setColor(float* field, float r, float g, float b, float a)
{
    field[0] = r;
    field[1] = g;
    field[2] = b;
    field[3] = a;
}

void storeColor(float* field, const MColor& color)
{
    setColor(field, color[0], color[1], color[2], color[3]);
}

// What one colour attribute gets: a colour standing in for a connected file texture, a log line when
// it is read from the host, and a value for a failed read (null: keep what the field holds).
struct ColorRule {
    const char* attribute;
    float texturedValue[4];
    const float* failedValue;
    const char* logFormat; // null: stored without a log line
};

const float opaqueWhite[4] = {1, 1, 1, 1};
const float opaqueBlack[4] = {0, 0, 0, 1};

const ColorRule colorRule = {"color", {1, 1, 1, 1}, opaqueWhite, "diffuse color: %f %f %f %f\n"};
const ColorRule transparencyRule = {"transparency", {0, 0, 0, 1}, nullptr, nullptr};
const ColorRule ambientColorRule = {"ambientColor", {0, 0, 0, 1}, opaqueBlack, "ambient: %f %f %f %f\n"};
const ColorRule incandescenceRule = {"incandescence", {0, 0, 0, 1}, opaqueBlack, nullptr};
const ColorRule specularColorRule = {"specularColor", {1, 1, 1, 1}, opaqueWhite, "specularColor: %f %f %f %f\n"};
const ColorRule reflectedColorRule = {"reflectedColor", {1, 1, 1, 1}, nullptr, nullptr};

// The colour procedure: a file texture on the attribute replaces the colour; otherwise the colour is
// read from the host through read (a getter of the shader's function set).
template <class FunctionSet, class Read>
void readColor(FunctionSet& shader, const ColorRule& rule, float* color, char* texture, Read read)
{
    if (getTextureFileName(shader, rule.attribute, texture, PATH_SIZE)) {
        const float* value = rule.texturedValue;
        setColor(color, value[0], value[1], value[2], value[3]);
        return;
    }
    MStatus status;
    MColor value = read(shader, &status);
    if (status) {
        storeColor(color, value);
        if (rule.logFormat)
            logPrint(0, rule.logFormat, (double)color[0], (double)color[1], (double)color[2], (double)color[3]);
    } else if (rule.failedValue) {
        const float* failed = rule.failedValue;
        setColor(color, failed[0], failed[1], failed[2], failed[3]);
    }
}

// Stores a scalar read from the host only when the read succeeded.
template <class T, class Field>
void storeIfRead(Field& field, T value, const MStatus& status)
{
    if (status)
        field = (Field)value;
}

} // namespace

int loadLambertShader(MObject shader, Material& record)
{
    pushLogIndent();
    MFnLambertShader lambert(shader);

    MStatus status;
    MString name = lambert.name(&status);
    const char* shaderName = status ? name.asChar() : "invalidNode";

    record.eccentricity = 0.3f;
    record.specularRollOff = 0.7f;
    record.cosPower = 20.0f;
    record.reflectedRayDepthLimit = 2;
    setColor(record.specularColor, 0.5f, 0.5f, 0.5f, 1.0f);
    record.reflectivity = 0.5f;
    setColor(record.reflectedColor, 0, 0, 0, 0);

    short refractedRayDepthLimit = lambert.refractedRayDepthLimit(&status);
    storeIfRead(record.refractedRayDepthLimit, refractedRayDepthLimit, status);
    float refractiveIndex = lambert.refractiveIndex(&status);
    storeIfRead(record.refractiveIndex, refractiveIndex, status);
    bool rtRefractedColor = lambert.rtRefractedColor(&status);
    storeIfRead(record.rtRefractedColor, rtRefractedColor ? 1 : 0, status);
    float diffuseCoeff = lambert.diffuseCoeff(&status);
    storeIfRead(record.diffuseCoeff, diffuseCoeff, status);

    readColor(lambert, colorRule, record.color, record.colorTexture,
              [](MFnLambertShader& fn, MStatus* st) { return fn.color(st); });
    readColor(lambert, transparencyRule, record.transparency, record.transparencyTexture,
              [](MFnLambertShader& fn, MStatus* st) { return fn.transparency(st); });
    readColor(lambert, ambientColorRule, record.ambientColor, record.ambientColorTexture,
              [](MFnLambertShader& fn, MStatus* st) { return fn.ambientColor(st); });
    readColor(lambert, incandescenceRule, record.incandescence, record.incandescenceTexture,
              [](MFnLambertShader& fn, MStatus* st) { return fn.incandescence(st); });

    float translucenceCoeff = lambert.translucenceCoeff(&status);
    storeIfRead(record.translucenceCoeff, translucenceCoeff, status);
    float glowIntensity = lambert.glowIntensity(&status);
    storeIfRead(record.glowIntensity, glowIntensity, status);

    // Material lookups cut names the same way, so a long name still finds this record.
    if (!copyFixedText(record.name, sizeof(record.name), shaderName))
        logPrint(0, "Warning: Shader name '%s' is longer than %d characters, stored as '%s'\n", shaderName,
                 NAME_SIZE - 1, record.name);
    record.type = (int32_t)lambert.type();
    popLogIndent();
    return 1;
}

int loadReflectShader(MObject shader, Material& record)
{
    loadLambertShader(shader, record);
    pushLogIndent();
    MFnReflectShader reflect(shader);

    MStatus status;
    short reflectedRayDepthLimit = reflect.reflectedRayDepthLimit(&status);
    storeIfRead(record.reflectedRayDepthLimit, reflectedRayDepthLimit, status);
    readColor(reflect, specularColorRule, record.specularColor, record.specularColorTexture,
              [](MFnReflectShader& fn, MStatus* st) { return fn.specularColor(st); });
    float reflectivity = reflect.reflectivity(&status);
    storeIfRead(record.reflectivity, reflectivity, status);
    // The texture name is recorded; the reflectivity value stays whether or not a texture feeds it.
    getTextureFileName(reflect, "reflectivity", record.reflectivityTexture, PATH_SIZE);
    readColor(reflect, reflectedColorRule, record.reflectedColor, record.reflectedColorTexture,
              [](MFnReflectShader& fn, MStatus* st) { return fn.reflectedColor(st); });

    record.type = MFn::kReflect;
    popLogIndent();
    return 1;
}

int loadPhongShader(MObject shader, Material& record)
{
    loadReflectShader(shader, record);
    pushLogIndent();
    MFnPhongShader phong(shader);
    MStatus status;
    float cosPower = phong.cosPower(&status);
    storeIfRead(record.cosPower, cosPower, status);
    record.type = MFn::kPhong;
    popLogIndent();
    return 1;
}

int loadBlinnShader(MObject shader, Material& record)
{
    loadReflectShader(shader, record);
    pushLogIndent();
    MFnBlinnShader blinn(shader);
    MStatus status;
    float eccentricity = blinn.eccentricity(&status);
    storeIfRead(record.eccentricity, eccentricity, status);
    float specularRollOff = blinn.specularRollOff(&status);
    storeIfRead(record.specularRollOff, specularRollOff, status);
    record.type = MFn::kBlinn;
    popLogIndent();
    return 1;
}
