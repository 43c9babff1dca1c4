// The development corpus (../shared/scenes beside the source tree, when present) exported through the
// command-line tool: every scene loads, and the meshes of the scenes whose history the host evaluates reach the
// file. The expected counts come from the scene text alone: baked faces counted from their polyFaces values,
// generated faces by formula from each generator's parameters, never from the evaluation under test.

#include "support/test_support.h"
#include "tools/scene_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What the counting needs of a scene's text: nodes with their plain values, parents and connections.
struct TextNode {
    std::string type, name;
    std::vector<int> parents;                   // the -p parent, then parent -add ones
    std::map<std::string, std::string> values;  // ".w" -> "5" (first token of a plain value)
    std::vector<int> faceCorners;               // "f N" of every polyFaces face
};

struct TextScene {
    std::vector<TextNode> nodes;
    std::map<std::string, int> byName;                       // leaf name -> node
    std::map<std::string, std::pair<std::string, std::string>> inputs;  // "node.plug" <- the last "node.plug"
    std::set<std::string> inSomeSet;  // shapes whose instObjGroups connect to a set
};

std::string leaf(std::string name)
{
    name = name.substr(name.find_last_of('|') + 1);
    return name.empty() || name[0] != ':' ? name : name.substr(1);
}

// Statements split at ';' outside strings, each into tokens (strings without their quotes).
std::vector<std::vector<std::string>> statements(const std::string& text)
{
    std::vector<std::vector<std::string>> out(1);
    std::string token;
    bool quoted = false, inToken = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\\' && i + 1 < text.size())
                token += text[++i];
            else if (c == '"')
                quoted = false;
            else
                token += c;
            continue;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/' && !inToken) {
            while (i < text.size() && text[i] != '\n')
                ++i;
            continue;
        }
        if (c == '"') {
            quoted = inToken = true;
        } else if (c == ';' || std::isspace(static_cast<unsigned char>(c))) {
            if (inToken)
                out.back().push_back(token);
            token.clear();
            inToken = false;
            if (c == ';')
                out.emplace_back();
        } else {
            token += c;
            inToken = true;
        }
    }
    return out;
}

// The short form of the attribute names the counting reads, which the host may also write long.
std::string shortNames(const std::string& plug)
{
    static const std::map<std::string, std::string> names = {
        {"inMesh", "i"},          {"output", "out"},        {"inputPolymesh", "ip"}, {"inputGeometry", "ig"},
        {"outputGeometry", "og"}, {"visibility", "v"},      {"instObjGroups", "iog"}, {"intermediateObject", "io"},
        {"subdivisionsWidth", "sw"}, {"subdivisionsHeight", "sh"}, {"subdivisionsDepth", "sd"},
        {"subdivisionsAxis", "sa"},  {"subdivisionsCaps", "sc"},   {"subdivisionsX", "sx"}, {"subdivisionsY", "sy"}};
    std::string out, word;
    auto flush = [&] {
        auto found = names.find(word);
        out += found == names.end() ? word : found->second;
        word.clear();
    };
    for (char c : plug) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            word += c;
        } else {
            flush();
            out += c;
        }
    }
    flush();
    return out;
}

TextScene readScene(const std::string& text)
{
    TextScene scene;
    int current = -1;
    for (const auto& s : statements(text)) {
        if (s.empty())
            continue;
        // Short or long flag names, as the host writes either.
        auto flag = [&](const char* name, const char* longName) {
            for (size_t i = 1; i + 1 < s.size(); ++i)
                if (s[i] == name || s[i] == longName)
                    return s[i + 1];
            return std::string();
        };
        if (s[0] == "createNode" && s.size() > 1) {
            TextNode node;
            node.type = s[1];
            node.name = flag("-n", "-name");
            const std::string parentName = flag("-p", "-parent");
            auto parent = scene.byName.find(leaf(parentName));
            if (!parentName.empty() && parent != scene.byName.end())
                node.parents.push_back(parent->second);
            current = int(scene.nodes.size());
            scene.byName[node.name] = current;
            scene.nodes.push_back(node);
        } else if (s[0] == "select") {
            auto found = scene.byName.find(leaf(s.back()));
            current = found == scene.byName.end() ? -1 : found->second;
        } else if (s[0] == "setAttr" && current >= 0) {
            size_t i = 1;
            while (i < s.size() && s[i][0] == '-' && s[i].size() > 1 && !std::isdigit(static_cast<unsigned char>(s[i][1])))
                i += 2;  // -k on, -s 8, ...
            if (i >= s.size())
                continue;
            const std::string attribute = shortNames(s[i]);
            size_t v = i + 1;
            if (v + 1 < s.size() && s[v] == "-type")
                v += 2;
            TextNode& node = scene.nodes[size_t(current)];
            if (v < s.size())
                node.values[attribute] = s[v];
            if (attribute.compare(0, 4, ".fc[") == 0)
                for (size_t k = v; k + 1 < s.size(); ++k)
                    if (s[k] == "f")
                        node.faceCorners.push_back(std::atoi(s[k + 1].c_str()));
        } else if (s[0] == "connectAttr") {
            std::vector<std::string> plugs;
            for (size_t i = 1; i < s.size(); ++i)
                if (s[i][0] != '-') {
                    const size_t dot = s[i].find('.');
                    plugs.push_back(dot == std::string::npos ? s[i] : s[i].substr(0, dot) + shortNames(s[i].substr(dot)));
                }
            if (plugs.size() == 2) {
                const size_t a = plugs[0].find('.'), b = plugs[1].find('.');
                const std::string source = leaf(plugs[0].substr(0, a)), sourcePlug = plugs[0].substr(a + 1);
                scene.inputs[leaf(plugs[1].substr(0, b)) + plugs[1].substr(b)] = {source, sourcePlug};
                if (sourcePlug.compare(0, 3, "iog") == 0)  // names already short
                    scene.inSomeSet.insert(source);
            }
        } else if (s[0] == "parent" && s.size() >= 3) {
            auto found = scene.byName.find(leaf(s[s.size() - 2]));
            auto parent = scene.byName.find(leaf(s.back()));
            if (found != scene.byName.end() && parent != scene.byName.end())
                scene.nodes[size_t(found->second)].parents.push_back(parent->second);
        }
    }
    return scene;
}

// Triangles the export makes of a face: its first six corners, fanned.
long long faceTriangles(long long corners)
{
    return std::min(corners, 6LL) - 2;
}

long long bakedTriangles(const TextNode& mesh)
{
    long long triangles = 0;
    for (int corners : mesh.faceCorners)
        triangles += faceTriangles(corners);
    return triangles;
}

// Triangles of a generator's mesh, from its parameters; -1 for a generator without a formula here.
long long generatorTriangles(const TextNode& g)
{
    // A division count as the generator clamps it.
    auto count = [&](const char* attribute, double fallback, long long least = 1) {
        auto found = g.values.find(attribute);
        return std::max(least, (long long)(found == g.values.end() ? fallback : std::atof(found->second.c_str())));
    };
    if (g.type == "polyCube")
        return 4 * (count(".sw", 1) * count(".sh", 1) + count(".sw", 1) * count(".sd", 1) +
                    count(".sh", 1) * count(".sd", 1));
    if (g.type == "polyPlane")
        return 2 * count(".sw", 10) * count(".sh", 10);
    if (g.type == "polySphere") {
        const long long sa = count(".sa", 20, 3), sh = count(".sh", 20, 2);
        return 2 * sa * (sh - 2) + 2 * sa;  // quad bands and two fans of triangles at the poles
    }
    if (g.type == "polyTorus")
        return 2 * count(".sa", 20, 3) * count(".sh", 20, 3);
    if (g.type == "polyCylinder" || g.type == "polyCone") {
        const long long sa = count(".sa", 20, 3), sh = count(".sh", 1), sc = count(".sc", 0, 0);
        // One cap (or a fan of triangles and rings of quads) per end; a cone's side ends in triangles at the apex.
        const long long cap = sc == 0 ? faceTriangles(sa) : sa + 2 * sa * (sc - 1);
        if (g.type == "polyCylinder")
            return 2 * sa * sh + 2 * cap;
        return sa + 2 * sa * (sh - 1) + cap;
    }
    return -1;
}

struct Expected {
    bool countable = true;  // every visible mesh has a baked or formula count
    long long objects = 0, triangles = 0;
};

Expected expectedExport(const TextScene& scene)
{
    static const std::set<std::string> keepTopology = {"groupParts", "tweak", "polyTweak", "transformGeometry",
                                                       "skinCluster", "blendShape", "polyTweakUV",
                                                       "polyColorPerVertex", "createColorSet", "mesh"};
    Expected out;
    bool anyInSet = false;
    // Instancing may name a parent created later; a DAG has no cycles, and the depth bound keeps a broken file
    // from looping.
    const std::function<long long(int, int)> paths = [&](int index, int depth) -> long long {
        const TextNode& node = scene.nodes[size_t(index)];
        static const std::set<std::string> hidden = {"no", "off", "0", "false"};
        auto visibility = node.values.find(".v");
        if (visibility != node.values.end() && hidden.count(visibility->second))
            return 0;
        if (node.parents.empty())
            return 1;
        long long total = 0;
        for (int parent : node.parents)
            total += depth < 64 ? paths(parent, depth + 1) : 0;
        return total;
    };
    for (size_t index = 0; index < scene.nodes.size(); ++index) {
        const TextNode& node = scene.nodes[index];
        auto intermediate = node.values.find(".io");
        if (node.type != "mesh" || (intermediate != node.values.end() && intermediate->second == "yes"))
            continue;
        anyInSet = anyInSet || scene.inSomeSet.count(node.name) > 0;
        const long long instances = paths(int(index), 0);
        if (instances == 0)
            continue;
        long long triangles = bakedTriangles(node);
        if (node.faceCorners.empty()) {
            // Upstream along the geometry inputs to the generator.
            std::string at = node.name + ".i";
            triangles = -1;
            for (int step = 0; step < 32; ++step) {
                auto input = scene.inputs.find(at);
                if (input == scene.inputs.end())
                    break;
                const auto& [source, plug] = input->second;
                auto found = scene.byName.find(source);
                if (found == scene.byName.end())
                    break;
                const TextNode& upstream = scene.nodes[size_t(found->second)];
                if (upstream.type == "mesh" && !upstream.faceCorners.empty()) {
                    triangles = bakedTriangles(upstream);
                    break;
                }
                if (!keepTopology.count(upstream.type)) {
                    triangles = generatorTriangles(upstream);
                    break;
                }
                at = source + "." + (plug.compare(0, 3, "og[") == 0 ? "ip[" + plug.substr(3, plug.size() - 4) + "].ig"
                                     : plug == "og"                 ? std::string("ig")
                                     : upstream.type == "mesh"      ? std::string("i")
                                                                    : std::string("ip"));
            }
        }
        if (triangles < 0) {
            out.countable = false;
            continue;
        }
        // Objects of at most 21845 triangles.
        out.objects += instances * std::max(1LL, (triangles + 21844) / 21845);
        out.triangles += instances * triangles;
    }
    // When no shape is in any set the plug-in fails the export, in the host too.
    if (!anyInSet)
        out.objects = out.triangles = 0;
    return out;
}

} // namespace

TEST(HistoryCorpus, EverySceneLoadsAndItsEvaluatedMeshesExport)
{
    const std::string corpus = testsupport::sourceDirectory() + "/../shared/scenes";
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "no scene corpus at " << corpus;
    std::vector<std::string> scenes;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus))
        if (entry.is_regular_file() && entry.path().extension() == ".ma")
            scenes.push_back(entry.path().string());
    std::sort(scenes.begin(), scenes.end());
    ASSERT_GT(scenes.size(), 100u);
    testsupport::TempDir dir;
    int withMeshes = 0, matching = 0;
    std::string mismatches;
    for (const std::string& path : scenes) {
        const TextScene scene = readScene(testsupport::readFile(path));
        const Expected expected = expectedExport(scene);
        qaxtools::CommandLine command;
        command.subcommand = qaxtools::Subcommand::Export;
        command.scenePath = path;
        command.outputPath = dir.file("out.qax");
        command.logDirectory = dir.path();
        command.quiet = true;
        const qaxtools::ExportOutcome outcome = qaxtools::runExport(command);
        const std::string name = path.substr(corpus.size() + 1);
        EXPECT_NE(outcome.exitStatus, 2) << name << ": " << outcome.message;
        if (expected.objects == 0 && expected.countable)
            continue;
        ++withMeshes;
        if (expected.countable && outcome.exitStatus == 0 && outcome.totals.objects == expected.objects &&
            outcome.totals.triangles == expected.triangles) {
            ++matching;
            continue;
        }
        std::ostringstream line;
        line << name << ": expected " << expected.objects << " objects, " << expected.triangles << " triangles";
        if (!expected.countable)
            line << " (uncounted)";
        line << "; exported " << outcome.totals.objects << " objects, " << outcome.totals.triangles
             << " triangles, exit " << outcome.exitStatus << "\n";
        mismatches += line.str();
    }
    // The scenes that do not match are listed; those that match must stay whole (the aim is 95 % of those with
    // meshes).
    EXPECT_GE(matching, 55) << matching << " of " << withMeshes << " scenes match:\n" << mismatches;
}
