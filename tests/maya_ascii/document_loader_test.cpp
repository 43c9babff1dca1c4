#include "scene_readers/maya_ascii/document_loader.h"

#include <gtest/gtest.h>

#include <string>

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
