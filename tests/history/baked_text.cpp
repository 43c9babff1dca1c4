#include "history/baked_text.h"

#include <cstdio>

namespace historytest {

namespace {

const char* sceneHead =
    "//Maya ASCII 2018 scene\ncreateNode transform -n \"shape\";\ncreateNode mesh -n \"shapeShape\" -p \"shape\";\n";
const char* sceneTail = "connectAttr \"shapeShape.iog\" \":initialShadingGroup.dsm\" -na;\n";

void appendNumber(std::string& out, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, " %.9g", value);
    out += text;
}

} // namespace

std::string generatorScene(const std::string& type, const std::map<std::string, double>& attributes)
{
    std::string out = sceneHead;
    out += "createNode " + type + " -n \"generator1\";\n";
    for (const auto& entry : attributes) {
        out += "\tsetAttr \"." + entry.first + "\"";
        appendNumber(out, entry.second);
        out += ";\n";
    }
    out += "connectAttr \"generator1.out\" \"shapeShape.i\";\n";
    return out + sceneTail;
}

std::string bakedScene(const headless::PolyMesh& mesh)
{
    std::string out = sceneHead;
    const headless::PolyUVSet* uvs = mesh.uvSets.empty() ? nullptr : &mesh.uvSets[size_t(mesh.currentUVSet)];
    if (uvs) {
        out += "\tsetAttr \".uvst[0].uvsn\" -type \"string\" \"" + uvs->name + "\";\n";
        out += "\tsetAttr -s " + std::to_string(uvs->uvs.size()) + " \".uvst[0].uvsp[0:" +
               std::to_string(uvs->uvs.size() - 1) + "]\" -type \"float2\"";
        for (const headless::TexCoord& uv : uvs->uvs) {
            appendNumber(out, uv.u);
            appendNumber(out, uv.v);
        }
        out += ";\n\tsetAttr \".cuvs\" -type \"string\" \"" + uvs->name + "\";\n";
    }
    out += "\tsetAttr -s " + std::to_string(mesh.points.size()) + " \".vt[0:" + std::to_string(mesh.points.size() - 1) +
           "]\"";
    for (const headless::Vec3& p : mesh.points) {
        appendNumber(out, p.x);
        appendNumber(out, p.y);
        appendNumber(out, p.z);
    }
    out += ";\n\tsetAttr -s " + std::to_string(mesh.edges.size()) + " \".ed[0:" +
           std::to_string(mesh.edges.size() - 1) + "]\"";
    for (const headless::PolyEdge& e : mesh.edges)
        out += " " + std::to_string(e.start) + " " + std::to_string(e.end) + (e.smooth ? " 1" : " 0");
    out += ";\n\tsetAttr -s " + std::to_string(mesh.numFaces()) + " -ch " + std::to_string(mesh.numCorners()) +
           " \".fc[0:" + std::to_string(mesh.numFaces() - 1) + "]\" -type \"polyFaces\"";
    for (int f = 0; f < mesh.numFaces(); ++f) {
        const int first = mesh.faceStart[size_t(f)], last = mesh.faceStart[size_t(f) + 1];
        out += "\n\t\tf " + std::to_string(last - first);
        for (int c = first; c < last; ++c)
            out += " " + std::to_string(mesh.faceEdges[size_t(c)]);
        if (uvs && !uvs->cornerUVs.empty()) {
            out += "\n\t\tmu 0 " + std::to_string(last - first);
            for (int c = first; c < last; ++c)
                out += " " + std::to_string(uvs->cornerUVs[size_t(c)]);
        }
    }
    out += ";\n";
    return out + sceneTail;
}

}  // namespace historytest
