#include "scene_readers/maya_ascii/history_builder.h"

#include "scene_readers/maya_ascii/mesh_builder.h"
#include "scene_readers/maya_ascii/read_error.h"

#include <headless/scene.h>

#include <deque>
#include <unordered_map>

namespace mayaascii {

namespace {

bool isDagType(const std::string& type)
{
    return type == "transform" || type == "joint";
}

headless::HistoryAttribute toHistoryAttribute(const Attribute& attribute)
{
    headless::HistoryAttribute out;
    out.hasPlain = attribute.hasPlain;
    out.numbers = attribute.plain.numbers;
    out.strings = attribute.plain.strings;
    out.line = attribute.line;
    for (const Chunk& chunk : attribute.chunks)
        out.chunks.push_back({chunk.first, chunk.count, chunk.value.numbers, chunk.value.strings, chunk.value.line});
    return out;
}

// The world matrix of a DAG node from the values the file sets on it and its parents.
void worldMatrixOf(const SceneDocument& document, int index, double (&out)[16])
{
    std::vector<double> world = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    for (int i = index; i >= 0; i = document.nodes[size_t(i)].parent) {
        const Node& node = document.nodes[size_t(i)];
        std::map<std::string, std::vector<double>> values;
        for (const char* key : {"t", "r", "s", "sh", "ra", "jo", "rp", "sp", "rpt", "spt", "ro"}) {
            auto found = node.attributes.find(key);
            if (found != node.attributes.end() && found->second.hasPlain)
                values[key] = found->second.plain.numbers;
        }
        const std::vector<double> local = headless::composeTransformMatrix(values);
        // Row vectors: the node's own matrix applies before its parent's.
        std::vector<double> product(16, 0.0);
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 4; ++c)
                for (int k = 0; k < 4; ++k)
                    product[size_t(4 * r + c)] += world[size_t(4 * r + k)] * local[size_t(4 * k + c)];
        world = product;
    }
    for (int i = 0; i < 16; ++i)
        out[i] = world[size_t(i)];
}

} // namespace

headless::HistoryResult evaluateShapeHistory(const SceneDocument& document, const InputIndex& inputs, int shape,
                                             std::vector<int>& nodes)
{
    // Every node upstream of the shape, through the inputs of the history nodes; DAG nodes (joints) are taken
    // for their matrices, not followed.
    headless::HistoryGraph graph;
    std::unordered_map<int, int> graphIndex;
    std::vector<int> documentIndex;
    std::deque<int> pending = {shape};
    graphIndex[shape] = 0;
    documentIndex.push_back(shape);
    while (!pending.empty()) {
        const int index = pending.front();
        pending.pop_front();
        if (index != shape && (isDagType(document.nodes[size_t(index)].type)))
            continue;
        auto found = inputs.find(index);
        if (found == inputs.end())
            continue;
        for (const Connection* c : found->second) {
            if (graphIndex.emplace(c->sourceNode, int(documentIndex.size())).second) {
                documentIndex.push_back(c->sourceNode);
                pending.push_back(c->sourceNode);
            }
            graph.connections.push_back(
                {graphIndex.at(c->sourceNode), c->sourcePlug, graphIndex.at(c->destinationNode), c->destinationPlug});
        }
    }
    graph.nodes.resize(documentIndex.size());
    for (size_t i = 0; i < documentIndex.size(); ++i) {
        const Node& node = document.nodes[size_t(documentIndex[i])];
        headless::HistoryNode& out = graph.nodes[i];
        out.type = node.type;
        out.name = node.name;
        out.line = node.line;
        if (isDagType(node.type)) {
            out.hasWorldMatrix = true;
            worldMatrixOf(document, documentIndex[i], out.worldMatrix);
            continue;
        }
        if (i == 0)
            findAttribute(node, "pt");  // the shape's own tweaks apply to what its history makes
        if (node.type == "mesh" && i > 0 && hasBakedGeometry(node)) {
            out.hasMesh = true;
            out.mesh = bakeMesh(node).mesh;
            continue;
        }
        for (const auto& entry : node.attributes)
            out.attributes.emplace(entry.first, toHistoryAttribute(entry.second));
    }

    // The scene's time, at which animation curves feeding the history are read; the host's default is 1.
    auto time = document.nodesByName.find("time1");
    if (time != document.nodesByName.end())
        for (int index : time->second) {
            auto out = document.nodes[size_t(index)].attributes.find("o");
            if (out != document.nodes[size_t(index)].attributes.end() && out->second.hasPlain &&
                !out->second.plain.numbers.empty())
                graph.currentTime = out->second.plain.numbers[0];
        }
    graph.hostVersion = document.hostVersion;
    headless::HistoryResult result = headless::evaluateMeshHistory(graph, 0);
    if (!result.error.empty() && result.errorLine > 0)
        throw ReadError(result.errorLine, result.error);
    std::map<int, std::vector<int>> groups;
    for (auto& entry : result.mesh.faceGroups)
        groups[documentIndex[size_t(entry.first)]] = std::move(entry.second);
    result.mesh.faceGroups = std::move(groups);
    nodes = documentIndex;
    return result;
}

} // namespace mayaascii
