#include "scene_readers/maya_ascii/document_loader.h"

#include "scene_readers/maya_ascii/read_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <variant>

using namespace mayaascii;

namespace {

// Throws for a name not found.
const Node& node(const SceneDocument& document, const std::string& name)
{
    return document.nodes.at(size_t(findDocumentNode(document, name)));
}

} // namespace

TEST(DocumentLoader, BuildsNodesParentsAndPaths)
{
    SceneDocument document;
    loadDocument("requires maya \"2018ff07\";\n"
                 "createNode transform -n \"rgb\";\n"
                 "createNode transform -n \"vert\" -p \"rgb\";\n"
                 "createNode mesh -n \"vertShape\" -p \"|rgb|vert\";\n"
                 "createNode transform -n \"rgba\";\n"
                 "createNode transform -n \"vert\" -p \"rgba\";\n"
                 "createNode mesh -n \"vertShape\" -p \"|rgba|vert\";\n"
                 "createNode transform -n \"other\";\n"
                 "parent -s -nc -r -add \"|rgb|vert|vertShape\" \"other\";\n"
                 "createNode polyCube;\ncreateNode polyCube;\n",
                 document);
    struct Case {
        const char* path;
        const char* parentName;  // "" for the world, nullptr for "not found"
    };
    const Case cases[] = {
        {"rgb", ""},
        {"|rgb|vert", "rgb"},
        {"|rgba|vert", "rgba"},
        {"vert", nullptr},  // two nodes of that name
        {"rgba|vert|vertShape", "vert"},
        {"|other|vertShape", "vert"},  // through the added instance parent
        {"|rgba|vertShape", nullptr},
        {"polyCube1", ""},
        {"polyCube2", ""},
    };
    for (const Case& c : cases) {
        int index = findDocumentNode(document, c.path);
        if (!c.parentName) {
            EXPECT_EQ(index, -1) << c.path;
            continue;
        }
        ASSERT_GE(index, 0) << c.path;
        const Node& n = document.nodes[size_t(index)];
        EXPECT_EQ(n.parent < 0 ? std::string() : document.nodes[size_t(n.parent)].name, c.parentName) << c.path;
    }
    EXPECT_EQ(document.hostVersion, 2018);
    const Node& shape = node(document, "|rgb|vert|vertShape");
    ASSERT_EQ(shape.extraParents.size(), 1u);
    EXPECT_EQ(document.nodes[size_t(shape.extraParents[0])].name, "other");
}

TEST(DocumentLoader, KeepsValuesChunksAndConnections)
{
    SceneDocument document;
    loadDocument(
        "currentUnit -l meter -a radian -t film;\n"
        "createNode transform -n \"box\";\n"
        "\tsetAttr -k off \".v\";\n"
        "\tsetAttr \".notes\" -type \"string\" \"a\\\"b\\\\c\\td\\ne\\q\";\n"
        "createNode mesh -n \"boxShape\" -p \"box\";\n"
        "\tsetAttr -s 4 \".vt\";\n"
        "\tsetAttr \".vt[0:1]\" 0 0 0 1 0 0;\n"
        "\tsetAttr \".vt[2:3]\" 1 1 0  0 1 0;\n"
        "\tsetAttr -s 0 \".pt\";\n"
        "\tsetAttr \".cd\" -type \"dataPolyComponent\" Index_Data Edge 1 0 10 ;\n"
        "select -ne :lambert1;\n"
        "\tsetAttr \".c\" -type \"float3\" 1 0 0 ;\n"
        "connectAttr \"boxShape.instObjGroups\" \":initialShadingGroup.dsm\" -na;\n"
        "connectAttr \"ghost.oc\" \"box.t\";\n"
        "file -rdi 1 -ns \"ns\" -rfn \"nsRN\" \"other.ma\";\n"
        "playbackOptions -min 1;\n",
        document);
    const Node& box = node(document, "box");
    EXPECT_FALSE(box.attributes.at("v").hasPlain);
    // Escapes in strings: quote, backslash, tab and new line, and any other character escaped stands for itself.
    EXPECT_EQ(box.attributes.at("notes").plain.strings, (std::vector<std::string>{"a\"b\\c\td\neq"}));

    const Node& shape = node(document, "boxShape");
    const Attribute& vt = shape.attributes.at("vt");
    EXPECT_EQ(vt.announcedSize, 4);
    ASSERT_EQ(vt.chunks.size(), 2u);
    EXPECT_EQ(vt.chunks[1].first, 2);
    EXPECT_EQ(vt.chunks[1].count, 2);
    EXPECT_EQ(vt.chunks[1].value.numbers, (std::vector<double>{100, 100, 0, 0, 100, 0}));
    // The host writes "-s 0" for an empty multi: an announced size of its own, not "none".
    EXPECT_EQ(shape.attributes.at("pt").announcedSize, 0);
    EXPECT_EQ(shape.attributes.at("cd").plain.dataType, "dataPolyComponent");

    const Node& lambert = node(document, ":lambert1");
    EXPECT_TRUE(lambert.defaultNode);
    EXPECT_EQ(lambert.type, "lambert");
    ASSERT_EQ(document.connections.size(), 1u);
    EXPECT_EQ(document.connections[0].sourcePlug, "iog");
    EXPECT_EQ(document.connections[0].destinationPlug, "dsm");
    EXPECT_TRUE(document.connections[0].nextAvailable);
    EXPECT_EQ(document.nodes[size_t(document.connections[0].destinationNode)].type, "shadingEngine");
    ASSERT_EQ(document.warnings.size(), 2u);
    EXPECT_NE(document.warnings[0].find("ghost.oc"), std::string::npos);
    EXPECT_NE(document.warnings[1].find("other.ma"), std::string::npos);
    EXPECT_EQ(document.skippedCommands.at("playbackOptions"), 1);
}

// Long lists of plain values are read on two threads. The same list with a comment in it is read value by value:
// both must give the same values, and an error inside the list or after it must name its line.
TEST(DocumentLoader, LongPlainListsReadOnTwoThreadsAsValueByValue)
{
    std::mt19937 random(11);
    std::string points = "setAttr -s 100000 \".vt[0:99999]\" -type \"float3\"";
    for (int i = 0; i < 300000; ++i)
        points += (i % 3 ? " " : "\n\t\t") + std::to_string(int(random() % 20001) - 10000) + "." +
                  std::to_string(random() % 1000) + (i % 7 ? "" : "e-3");
    // Faces with UV sets (set 1 only in the last third), colours, old-style colours and holes.
    std::string faces = "setAttr -s 30000 \".fc[0:29999]\" -type \"polyFaces\"";
    auto four = [&] { return " 4 " + std::to_string(random() % 999) + " " + std::to_string(random() % 999) + " 7 8"; };
    for (int f = 0; f < 30000; ++f) {
        faces += "\n\t\tf" + four();
        if (random() % 4 == 0)
            faces += " h 3 1 2 3 mu 0 7 1 2 3 4 5 6 7";
        else
            for (const char* group : {"mu 0", "mu 1", "mc 0", "fc"})
                if (random() % 3 == 0 && (f > 20000 || std::strcmp(group, "mu 1") != 0))
                    faces += std::string(" ") + group + four();
    }
    const std::string scene = "createNode mesh -n \"m\";\n" + points + ";\n" + faces + ";\n";
    auto lineAt = [&](size_t at) { return 1 + int(std::count(scene.begin(), scene.begin() + long(at), '\n')); };
    auto load = [](const std::string& text, SceneDocument& document) {
        try {
            loadDocument(text, document);
            return 0;
        } catch (const ReadError& error) {
            return error.line();
        }
    };
    std::string commented = scene;
    for (const char* type : {"\"float3\"", "\"polyFaces\""})
        commented.insert(commented.find(type) + std::strlen(type), " // one value at a time");

    SceneDocument two, one;
    ASSERT_EQ(load(scene, two), 0);
    ASSERT_EQ(load(commented, one), 0);
    const Node &a = node(two, "m"), &b = node(one, "m");
    EXPECT_EQ(a.attributes.at("vt").chunks[0].value.numbers, b.attributes.at("vt").chunks[0].value.numbers);
    const PolyFacesData& x = std::get<PolyFacesData>(a.attributes.at("fc").chunks[0].value.geometry);
    const PolyFacesData& y = std::get<PolyFacesData>(b.attributes.at("fc").chunks[0].value.geometry);
    EXPECT_EQ(x.faceStart, y.faceStart);
    EXPECT_EQ(x.edges, y.edges);
    EXPECT_EQ(x.facesWithHoles, y.facesWithHoles);
    EXPECT_EQ(x.uvs, y.uvs);
    EXPECT_EQ(x.colors, y.colors);
    EXPECT_EQ(x.oldColors, y.oldColors);

    // A bad value late in the points and in the faces, and a bad statement after both.
    const size_t latePoint = scene.find('\n', scene.find("setAttr -s 30000") * 3 / 4);
    const size_t lateFace = scene.rfind("\n\t\tf");
    const std::pair<std::string, int> errors[] = {
        {std::string(scene).insert(latePoint, " 1.5x"), lineAt(latePoint)},
        {std::string(scene).insert(lateFace, "\n\t\tf 2 1 2"), lineAt(lateFace) + 1},
        {scene + "createNode transform -zz;\n", lineAt(scene.size())},
    };
    for (const auto& error : errors) {
        SceneDocument document;
        EXPECT_EQ(load(error.first, document), error.second);
    }
}
