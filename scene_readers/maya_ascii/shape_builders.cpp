#include "scene_readers/maya_ascii/shape_builders.h"

#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/values.h"

#include <headless/scene.h>

#include <algorithm>
#include <map>

namespace mayaascii {

namespace {

template <typename T>
const T* cachedValue(const Node& node, const char* type)
{
    const Attribute* cc = findAttribute(node, "cc");
    if (!cc || !cc->hasPlain)
        return nullptr;
    const T* value = std::get_if<T>(&cc->plain.geometry);
    if (!value)
        throw ReadError(cc->line, describeNode(node) + ": expected -type \"" + type + "\" for .cc");
    return value;
}

std::vector<headless::Vec3> points(const std::vector<double>& values, size_t stride)
{
    std::vector<headless::Vec3> out;
    out.reserve(values.size() / stride);
    for (size_t i = 0; i + stride <= values.size(); i += stride)
        out.push_back({values[i], values[i + 1], values[i + 2]});
    return out;
}

// Index of the element in a plug such as "og[3]"; -1 for no index.
int plugIndex(const std::string& plug, const std::string& base)
{
    if (plug == base)
        return 0;
    int64_t index = 0;
    if (plug.size() < base.size() + 3 || plug.compare(0, base.size() + 1, base + "[") != 0 || plug.back() != ']' ||
        !parseElementIndex(std::string_view(plug).substr(base.size() + 1, plug.size() - base.size() - 2), index))
        return -1;
    return int(index);
}

} // namespace

bool hasCachedGeometry(const Node& node)
{
    auto found = node.attributes.find("cc");
    return found != node.attributes.end() && found->second.hasPlain &&
           !std::holds_alternative<std::monostate>(found->second.plain.geometry);
}

bool knotsAreBezier(const std::vector<double>& knots, int degree)
{
    if (knots.empty())
        return false;
    size_t run = 1;
    for (size_t i = 1; i <= knots.size(); ++i) {
        if (i < knots.size() && knots[i] == knots[i - 1]) {
            ++run;
            continue;
        }
        if (run != size_t(degree))
            return false;
        run = 1;
    }
    return true;
}

MObject createCurveShape(const Node& node, const MObject& parent)
{
    const NurbsCurveData* curve = cachedValue<NurbsCurveData>(node, "nurbsCurve");
    headless::NurbsCurveData data;
    data.degree = curve->degree;
    data.cvs = points(curve->cvs, curve->rational ? 4 : 3);
    MObject shape = headless::createNurbsCurve(node.name, parent, data);
    if (shape.isNull())
        throw ReadError(node.line, describeNode(node) + ": the host refused the curve");
    return shape;
}

MObject createSurfaceShape(const Node& node, const MObject& parent)
{
    const NurbsSurfaceData* surface = cachedValue<NurbsSurfaceData>(node, "nurbsSurface");
    headless::NurbsSurfaceData data;
    data.degreeU = surface->degreeU;
    data.degreeV = surface->degreeV;
    data.numCVsU = int(surface->numCVsU);
    data.numCVsV = int(surface->numCVsV);
    data.cvs = points(surface->cvs, surface->rational ? 4 : 3);
    data.bezier = knotsAreBezier(surface->knotsU, surface->degreeU) && knotsAreBezier(surface->knotsV, surface->degreeV);
    MObject shape = headless::createNurbsSurface(node.name, parent, data);
    if (shape.isNull())
        throw ReadError(node.line, describeNode(node) + ": the host refused the surface");
    return shape;
}

MObject createLatticeShape(const Node& node, const MObject& parent)
{
    const LatticeData* lattice = hasCachedGeometry(node) ? cachedValue<LatticeData>(node, "lattice") : nullptr;
    unsigned s = 2, t = 2, u = 2;
    if (!lattice) {
        // Checked as whole numbers before they become unsigned: a file may hold any number there.
        const int64_t sd = plainInteger(node, "sd", 2, INT32_MIN, INT32_MAX);
        const int64_t td = plainInteger(node, "td", 2, INT32_MIN, INT32_MAX);
        const int64_t ud = plainInteger(node, "ud", 2, INT32_MIN, INT32_MAX);
        if (sd < 2 || td < 2 || ud < 2)
            throw ReadError(node.line, describeNode(node) + ": expected divisions of 2 or more in .sd, .td and .ud");
        s = unsigned(sd);
        t = unsigned(td);
        u = unsigned(ud);
    } else {
        for (const char* key : {"sd", "td", "ud"})
            findAttribute(node, key); // read, though the cached lattice's own divisions rule
    }
    std::vector<headless::Vec3> grid;
    if (lattice) {
        // The file runs s fastest, then t, then u; the host indexes (si * t + ti) * u + ui.
        s = unsigned(lattice->s);
        t = unsigned(lattice->t);
        u = unsigned(lattice->u);
        grid.resize(lattice->points.size() / 3);
        for (unsigned ui = 0; ui < u; ++ui)
            for (unsigned ti = 0; ti < t; ++ti)
                for (unsigned si = 0; si < s; ++si) {
                    const size_t file = (size_t(ui) * t + ti) * s + si;
                    const size_t host = (size_t(si) * t + ti) * u + ui;
                    grid[host] = {lattice->points[3 * file], lattice->points[3 * file + 1], lattice->points[3 * file + 2]};
                }
    }
    MObject shape = headless::createLattice(node.name, parent, s, t, u, grid);
    if (shape.isNull())
        throw ReadError(node.line, describeNode(node) + ": the host refused the lattice");
    return shape;
}

MObject createFfdDeformer(BuildContext& context, int index)
{
    const SceneDocument& document = context.document;
    const Node& ffd = document.nodes[size_t(index)];
    int lattice = -1;
    std::map<int, int> outputs;  // outputGeometry index -> first node downstream
    for (const Connection& c : document.connections) {
        if (c.destinationNode == index && c.destinationPlug == "dlp")
            lattice = c.sourceNode;
        if (c.sourceNode == index) {
            const int i = plugIndex(c.sourcePlug, "og");
            if (i >= 0 && (c.destinationPlug == "i" || plugIndex(c.destinationPlug, "ip") >= 0 ||
                           c.destinationPlug.find(".ig") != std::string::npos))
                outputs.emplace(i, c.destinationNode);
        }
    }
    std::vector<MObject> shapes;
    for (const auto& output : outputs) {
        // Follow further deformers (outputGeometry -> input[k].inputGeometry) down to the shape.
        int node = output.second;
        for (int depth = 0; depth < 32 && node >= 0 && document.nodes[size_t(node)].type != "mesh" &&
                            document.nodes[size_t(node)].type != "nurbsSurface" &&
                            document.nodes[size_t(node)].type != "nurbsCurve";
             ++depth) {
            int next = -1;
            for (const Connection& c : document.connections)
                if (c.sourceNode == node && plugIndex(c.sourcePlug, "og") >= 0 &&
                    (c.destinationPlug == "i" || c.destinationPlug.find("ig") != std::string::npos ||
                     c.destinationPlug == "cr")) {
                    next = c.destinationNode;
                    break;
                }
            node = next;
        }
        if (node >= 0 && !context.hostNodes[size_t(node)].isNull())
            shapes.push_back(context.hostNodes[size_t(node)]);
    }
    if (lattice < 0 || context.hostNodes[size_t(lattice)].isNull() || shapes.empty()) {
        context.report.warnings.push_back(describeNode(ffd) + " skipped: " +
                                          (lattice < 0 || context.hostNodes[size_t(lattice)].isNull()
                                               ? "no lattice feeds its deformedLatticePoints"
                                               : "it deforms no shape that was loaded"));
        return MObject();
    }
    MObject deformer = headless::createFfd(ffd.name, context.hostNodes[size_t(lattice)], shapes);
    if (deformer.isNull())
        throw ReadError(ffd.line, describeNode(ffd) + ": the host refused the ffd deformer");
    return deformer;
}

} // namespace mayaascii
