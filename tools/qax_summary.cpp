#include "tools/qax_summary.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cfloat>
#include <cstdio>

namespace qaxtools {

namespace {

struct ObjectFacts {
    float minimum[3] = {0, 0, 0};
    float maximum[3] = {0, 0, 0};
    int lowestIndex = -1;
    int highestIndex = -1;
};

ObjectFacts factsOf(const qaxObject& object)
{
    ObjectFacts facts;
    for (int c = 0; c < 3; ++c) {
        facts.minimum[c] = FLT_MAX;
        facts.maximum[c] = -FLT_MAX;
    }
    for (int v = 0; v < object.vertices.numVertices; ++v)
        for (int c = 0; c < 3; ++c) {
            facts.minimum[c] = std::min(facts.minimum[c], object.vertices.vertices[3 * v + c]);
            facts.maximum[c] = std::max(facts.maximum[c], object.vertices.vertices[3 * v + c]);
        }
    if (object.vertices.numVertices == 0)
        for (int c = 0; c < 3; ++c)
            facts.minimum[c] = facts.maximum[c] = 0;
    for (int i = 0; i < object.indices.numIndices; ++i) {
        const int index = object.indices.indices[i];
        facts.lowestIndex = facts.lowestIndex < 0 ? index : std::min(facts.lowestIndex, index);
        facts.highestIndex = std::max(facts.highestIndex, index);
    }
    return facts;
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string colour(const float* values)
{
    return number(values[0]) + " " + number(values[1]) + " " + number(values[2]) + " " + number(values[3]);
}

std::string textureOf(const qaxMaterial& material)
{
    return material.textures.numTextures > 0 ? qaxText(material.textures.textures[0]) : std::string();
}

std::string quoted(const std::string& text)
{
    return nlohmann::json(text).dump();
}

} // namespace

std::string qaxText(const qaxString& text)
{
    return std::string(text.text, std::min<size_t>(text.length, QAX_STRING_SIZE));
}

QaxTotals computeTotals(const qaxModel& model)
{
    QaxTotals totals;
    totals.materials = model.materials.numMaterials;
    totals.objects = model.objects.numObjects;
    for (int m = 0; m < model.materials.numMaterials; ++m)
        if (!textureOf(model.materials.materials[m]).empty())
            ++totals.textures;
    for (int o = 0; o < model.objects.numObjects; ++o) {
        totals.triangles += model.objects.objects[o].indices.numIndices / 3;
        totals.vertices += model.objects.objects[o].vertices.numVertices;
    }
    return totals;
}

std::string formatSummaryText(const qaxModel& model, const std::string& title)
{
    const QaxTotals totals = computeTotals(model);
    std::string out = title + ": " + std::to_string(totals.materials) + " materials, " +
                      std::to_string(totals.objects) + " objects, " + std::to_string(totals.triangles) +
                      " triangles, " + std::to_string(totals.vertices) + " vertices\n";
    out += "materials:\n";
    for (int m = 0; m < model.materials.numMaterials; ++m) {
        const qaxMaterial& material = model.materials.materials[m];
        const std::string texture = textureOf(material);
        out += "  " + std::to_string(m) + " " + quoted(qaxText(material.header.name)) + " (" +
               qaxText(material.header.type) + ")\n";
        out += "      diffuse " + colour(material.colors.diffuse) + "  ambient " + colour(material.colors.ambient) +
               "\n      specular " + colour(material.colors.specular) + "  incandescence " +
               colour(material.colors.incandescence) + "\n";
        out += "      eccentricity x 128 " + number(material.colors.eccentricityScaled) + "  reflective " +
               (material.flags.reflective ? "yes" : "no") + "  translucence " +
               number(material.translucence.coeff) + "\n";
        out += "      texture " + (texture.empty() ? std::string("none") : quoted(texture)) + "\n";
    }
    out += "objects:\n";
    for (int o = 0; o < model.objects.numObjects; ++o) {
        const qaxObject& object = model.objects.objects[o];
        const ObjectFacts facts = factsOf(object);
        const int materialIndex = object.header.materialID;
        const bool known = materialIndex >= 0 && materialIndex < model.materials.numMaterials;
        out += "  " + std::to_string(o) + " material " + std::to_string(materialIndex) +
               (known ? " " + quoted(qaxText(model.materials.materials[materialIndex].header.name)) : " (none such)") +
               ": " + std::to_string(object.indices.numIndices / 3) + " triangles, " +
               std::to_string(object.vertices.numVertices) + " vertices, vertex colours " +
               (object.vertexColors.present ? "yes" : "no") + "\n";
        out += "      bounds (" + number(facts.minimum[0]) + " " + number(facts.minimum[1]) + " " +
               number(facts.minimum[2]) + ") .. (" + number(facts.maximum[0]) + " " + number(facts.maximum[1]) + " " +
               number(facts.maximum[2]) + ")  indices " +
               (facts.highestIndex < 0 ? std::string("none")
                                       : std::to_string(facts.lowestIndex) + ".." + std::to_string(facts.highestIndex)) +
               "\n";
    }
    return out;
}

std::string formatSummaryJson(const qaxModel& model, const std::string& title)
{
    using nlohmann::json;
    const QaxTotals totals = computeTotals(model);
    auto colourJson = [](const float* values) { return json::array({values[0], values[1], values[2], values[3]}); };
    json document;
    document["file"] = title;
    document["totals"] = {{"materials", totals.materials}, {"objects", totals.objects},
                          {"triangles", totals.triangles}, {"vertices", totals.vertices},
                          {"textures", totals.textures}};
    json materials = json::array();
    for (int m = 0; m < model.materials.numMaterials; ++m) {
        const qaxMaterial& material = model.materials.materials[m];
        json textures = json::array();
        for (int t = 0; t < material.textures.numTextures; ++t)
            textures.push_back(qaxText(material.textures.textures[t]));
        materials.push_back({{"index", m},
                             {"name", qaxText(material.header.name)},
                             {"type", qaxText(material.header.type)},
                             {"ambient", colourJson(material.colors.ambient)},
                             {"diffuse", colourJson(material.colors.diffuse)},
                             {"specular", colourJson(material.colors.specular)},
                             {"incandescence", colourJson(material.colors.incandescence)},
                             {"eccentricityScaled", material.colors.eccentricityScaled},
                             {"reflective", material.flags.reflective != 0},
                             {"translucence", material.translucence.coeff},
                             {"textures", textures}});
    }
    document["materials"] = materials;
    json objects = json::array();
    for (int o = 0; o < model.objects.numObjects; ++o) {
        const qaxObject& object = model.objects.objects[o];
        const ObjectFacts facts = factsOf(object);
        json entry = {{"index", o},
                      {"material", object.header.materialID},
                      {"indices", object.indices.numIndices},
                      {"triangles", object.indices.numIndices / 3},
                      {"vertices", object.vertices.numVertices},
                      {"vertexColors", object.vertexColors.present != 0},
                      {"bounds",
                       {{"min", {facts.minimum[0], facts.minimum[1], facts.minimum[2]}},
                        {"max", {facts.maximum[0], facts.maximum[1], facts.maximum[2]}}}}};
        entry["indexRange"] = facts.highestIndex < 0 ? json(nullptr) : json::array({facts.lowestIndex, facts.highestIndex});
        objects.push_back(entry);
    }
    document["objects"] = objects;
    return document.dump(2) + "\n";
}

} // namespace qaxtools
