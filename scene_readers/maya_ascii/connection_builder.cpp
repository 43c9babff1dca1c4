#include "scene_readers/maya_ascii/connection_builder.h"

#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/values.h"

#include <headless/scene.h>

#include <maya/MFnMesh.h>

#include <set>

namespace mayaascii {

namespace {

} // namespace

bool parseMemberPlug(const std::string& plug, int& instance, int& group)
{
    instance = 0;
    group = -1;
    if (plug.compare(0, 3, "iog") != 0)
        return false;
    size_t i = 3;
    auto readIndex = [&](int& out) {
        const size_t close = plug.find(']', i);
        if (close == std::string::npos)
            return false;
        int64_t value = 0;
        if (!parseInteger(std::string_view(plug).substr(i + 1, close - i - 1), value) || value < 0 || value > 1 << 20)
            return false;
        out = int(value);
        i = close + 1;
        return true;
    };
    if (i < plug.size() && plug[i] == '[' && !readIndex(instance))
        return false;
    if (i == plug.size())
        return true;
    if (plug.compare(i, 4, ".og[") != 0)
        return false;
    i += 3;
    return readIndex(group) && i == plug.size();
}

namespace {

bool isSetNode(const Node& node)
{
    return node.type == "shadingEngine";
}

} // namespace

std::vector<int> facesOfComponents(const std::vector<std::string>& components, int faceCount, int line)
{
    std::set<int> faces;
    for (const std::string& component : components) {
        const size_t open = component.find('[');
        const size_t close = component.rfind(']');
        if (open == std::string::npos || close != component.size() - 1 || close < open)
            throw ReadError(line, "expected a component such as \"f[4:7]\", found \"" + component + "\"");
        if (component.compare(0, open, "f") != 0)
            continue;
        const std::string inside = component.substr(open + 1, close - open - 1);
        if (inside == "*") {
            for (int f = 0; f < faceCount; ++f)
                faces.insert(f);
            continue;
        }
        const size_t colon = inside.find(':');
        int64_t first = 0, last = 0;
        if (!parseInteger(inside.substr(0, colon), first) ||
            !parseInteger(colon == std::string::npos ? inside : inside.substr(colon + 1), last) || first < 0 ||
            last < first || last >= faceCount)
            throw ReadError(line, "expected faces from 0 to " + std::to_string(faceCount - 1) + " in \"" + component +
                                      "\"");
        for (int64_t f = first; f <= last; ++f)
            faces.insert(int(f));
    }
    return std::vector<int>(faces.begin(), faces.end());
}

void buildConnections(BuildContext& context)
{
    const SceneDocument& document = context.document;
    for (const Connection& c : document.connections) {
        const MObject& source = context.hostNodes[size_t(c.sourceNode)];
        const MObject& destination = context.hostNodes[size_t(c.destinationNode)];
        const Node& sourceNode = document.nodes[size_t(c.sourceNode)];
        const Node& destinationNode = document.nodes[size_t(c.destinationNode)];
        if (source.isNull() || destination.isNull() || sourceNode.type == "ffd" || destinationNode.type == "ffd" ||
            c.destinationPlug == "i" || c.destinationPlug == "cr") {
            // Skipped nodes, deformers (made whole by createFfd) and construction-history inputs.
            ++context.report.skippedConnections;
            continue;
        }
        int instance = 0, group = -1;
        if (isSetNode(destinationNode) && c.destinationPlug.compare(0, 3, "dsm") == 0 &&
            parseMemberPlug(c.sourcePlug, instance, group)) {
            bool done = false;
            if (group < 0) {
                done = headless::assign(destination, source, unsigned(instance));
            } else {
                // Per-face membership: the faces are listed on the shape's own object group, or tagged by the
                // groupParts nodes of its history.
                const std::string key = "iog[" + std::to_string(instance) + "].og[" + std::to_string(group) + "].gcl";
                const Attribute* list = findAttribute(sourceNode, key);
                auto history = context.historyFaceGroups.find(c.sourceNode);
                if ((!list || !list->hasPlain) && history != context.historyFaceGroups.end()) {
                    auto faces = history->second.find({instance, group});
                    if (faces != history->second.end()) {
                        const bool assigned = faces->second.empty() ||
                                              headless::assignFaces(destination, source, faces->second, unsigned(instance));
                        ++(assigned ? context.report.connections : context.report.skippedConnections);
                        continue;
                    }
                }
                if (!list || !list->hasPlain) {
                    context.report.warnings.push_back(describeNode(sourceNode) + " left out of " + destinationNode.name +
                                                      ": its face list (." + key + ") is not on the shape");
                    ++context.report.skippedConnections;
                    continue;
                }
                MStatus status;
                MFnMesh mesh(source, &status);
                const int faceCount = status == MS::kSuccess ? mesh.numPolygons() : 0;
                const std::vector<int> faces = facesOfComponents(list->plain.strings, faceCount, list->line);
                done = faces.empty() || headless::assignFaces(destination, source, faces, unsigned(instance));
            }
            if (done)
                ++context.report.connections;
            else
                ++context.report.skippedConnections;
            continue;
        }
        if (c.sourcePlug.compare(0, 4, "ciog") == 0 || c.destinationPlug.find(".gid") != std::string::npos ||
            c.destinationPlug.find(".gco") != std::string::npos) {
            ++context.report.skippedConnections;  // component instance groups and group ids: bookkeeping
            continue;
        }
        if (headless::connect(source, c.sourcePlug, destination, c.destinationPlug))
            ++context.report.connections;
        else
            ++context.report.skippedConnections;
    }
}

} // namespace mayaascii
