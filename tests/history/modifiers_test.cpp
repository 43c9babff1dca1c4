// The modifiers and deformers a history chains after a generator, most on a one-quad plane: its points
// (-0.5 0 0.5), (0.5 0 0.5), (-0.5 0 -0.5), (0.5 0 -0.5), UVs (0 0) (1 0) (0 1) (1 1).

#include <headless/history.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Value {
    std::string key;
    long long first;  // -1: a plain value, else the first element of an element chunk
    std::vector<double> numbers;
    std::vector<std::string> strings = {};
    int line = 0;
};

struct NodeSetup {
    std::string type, name;
    std::vector<Value> values;
    std::vector<double> world = {};  // a joint's world matrix
};

struct Link {
    std::string source, sourcePlug, destination, destinationPlug;
};

const NodeSetup onePlane = {"polyPlane", "plane", {{"sw", -1, {1}}, {"sh", -1, {1}}, {"cuv", -1, {2}}}};

// The graph of plane -> nodes -> shape "shape", the nodes chained by the links given (names "plane", "shape");
// the source named "plane" is a one-quad plane unless given.
headless::HistoryGraph chain(const std::vector<NodeSetup>& setups, const std::vector<Link>& links,
                             const NodeSetup& source = onePlane)
{
    headless::HistoryGraph graph;
    std::vector<NodeSetup> all = {{"mesh", "shape", {}}, source};
    all.insert(all.end(), setups.begin(), setups.end());
    for (const NodeSetup& setup : all) {
        headless::HistoryNode node;
        node.type = setup.type;
        node.name = setup.name;
        node.hasWorldMatrix = setup.world.size() == 16;
        for (size_t i = 0; i < setup.world.size() && i < 16; ++i)
            node.worldMatrix[i] = setup.world[i];
        for (const Value& v : setup.values) {
            headless::HistoryAttribute& attribute = node.attributes[v.key];
            attribute.line = v.line;
            if (v.first < 0) {
                attribute.hasPlain = true;
                attribute.numbers = v.numbers;
                attribute.strings = v.strings;
            } else {
                attribute.chunks.push_back({v.first, 1, v.numbers, {}, v.line});
            }
        }
        graph.nodes.push_back(node);
    }
    auto index = [&](const std::string& name) {
        for (size_t i = 0; i < all.size(); ++i)
            if (all[i].name == name)
                return int(i);
        ADD_FAILURE() << "no node " << name;
        return 0;
    };
    for (const Link& link : links)
        graph.connections.push_back({index(link.source), link.sourcePlug, index(link.destination), link.destinationPlug});
    return graph;
}

struct ModifierCase {
    const char* name;
    std::vector<NodeSetup> nodes;
    std::vector<Link> links;
    std::vector<double> points;  // x y z of the four points; empty: not checked
    std::string failure = "";    // part of the error, or the unsupported type; empty: evaluates
    int errorLine = 0;
    NodeSetup source = onePlane;
    int faces = -1, softEdges = -1;  // -1: not checked
    std::function<void(const headless::PolyMesh&)> more = nullptr;
};

const double identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Each on a one-quad plane, a cube (every edge at 90 degrees) or a plane of two quads side by side (points 0 1 2
// over 3 4 5; one inner edge, 1 4, between faces in one plane): the points they move, and the topology, flags,
// groups, UVs and colours they change.
TEST(HistoryModifiers, EachNodeChangesTheMeshAsTheHostDoes)
{
    const NodeSetup cube = {"polyCube", "plane", {}};
    const NodeSetup twoQuads = {"polyPlane", "plane", {{"sw", -1, {2}}, {"sh", -1, {1}}, {"cuv", -1, {2}}}};
    const std::vector<Link> through = {{"plane", "out", "m", "ip"}, {"m", "out", "shape", "i"}};
    const std::vector<Link> geometry = {{"plane", "out", "m", "ig"}, {"m", "og", "shape", "i"}};
    const std::vector<Link> deformed = {{"plane", "out", "m", "ip[0].ig"}, {"m", "og[0]", "shape", "i"}};
    auto with = [](std::vector<Link> links, std::vector<Link> more) {
        links.insert(links.end(), more.begin(), more.end());
        return links;
    };
    const std::vector<double> moved = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 0, 1};  // translate (1, 2, 0)
    const auto colourSet = [](const headless::PolyMesh& mesh) {
        ASSERT_EQ(mesh.colorSets.size(), 1u);
        EXPECT_EQ(mesh.colorSets[0].name, "wear");
        EXPECT_EQ(mesh.colorSets[0].components, 3);
        EXPECT_EQ(mesh.currentColorSet, 0);
    };
    const ModifierCase cases[] = {
        {"polyTweak", {{"polyTweak", "m", {{"tk", 2, {0, 0, 1}}}}}, through,
         {-0.5, 0, 0.5, 0.5, 0, 0.5, -0.5, 0, 0.5, 0.5, 0, -0.5}},
        {"tweak deformer at half envelope", {{"tweak", "m", {{"vl[0].vt", 1, {0, 2, 0}}, {"en", -1, {0.5}}}}}, deformed,
         {-0.5, 0, 0.5, 0.5, 1, 0.5, -0.5, 0, -0.5, 0.5, 0, -0.5}},
        {"tweak on a vertex the plane lacks", {{"tweak", "m", {{"vl[0].vt", 7, {0, 2, 0}, {}, 12}}}}, deformed, {},
         "moves vertex 7, but the mesh has 4 vertices", 12},
        {"transformGeometry", {{"transformGeometry", "m", {{"txf", -1, moved}}}}, through,
         {0.5, 2, 0.5, 1.5, 2, 0.5, 0.5, 2, -0.5, 1.5, 2, -0.5}},
        {"transformGeometry inverted", {{"transformGeometry", "m", {{"txf", -1, moved}, {"itf", -1, {1}}}}}, through,
         {-1.5, -2, 0.5, -0.5, -2, 0.5, -1.5, -2, -0.5, -0.5, -2, -0.5}},
        // Vertex 0 follows joint a (moved by (1, 2, 0)) alone, the others half a and half b (in place); the
        // weights come in both forms the host writes.
        {"skinCluster",
         {{"skinCluster", "m", {{"wl[0:1].w", -1, {1, 0, 1, 2, 0, 0.5, 1, 0.5}}, {"wl[2].w", 0, {0.5}},
                                {"wl[2].w", 1, {0.5}}, {"wl[3].w", 0, {0.5}}, {"wl[3].w", 1, {0.5}},
                                {"pm", 0, std::vector<double>(identity, identity + 16)}}},
          {"joint", "a", {}, moved},
          {"joint", "b", {}, std::vector<double>(identity, identity + 16)}},
         with(deformed, {{"a", "wm", "m", "ma[0]"}, {"b", "wm", "m", "ma[1]"}}),
         {0.5, 2, 0.5, 1, 1, 0.5, 0, 1, -0.5, 1, 1, -0.5}},
        {"skinCluster weighting a joint nothing drives",
         {{"skinCluster", "m", {{"wl[0:0].w", -1, {1, 3, 1}}}}, {"joint", "a", {}, moved}},
         with(deformed, {{"a", "wm", "m", "ma[0]"}}), {}, "influence 3, which no joint drives"},
        // Offsets of vertices 0 and 3 at weight 1 (item 6000), half of them at weight 0.5.
        {"blendShape",
         {{"blendShape", "m", {{"w", 0, {0.5}},
                               {"it[0].itg[0].iti[6000].ipt", -1, {0, 1, 0, 1, 0, 0, 2, 1}},
                               {"it[0].itg[0].iti[6000].ict", -1, {}, {"vtx[0]", "vtx[3]"}}}}},
         deformed, {-0.5, 0.5, 0.5, 0.5, 0, 0.5, -0.5, 0, -0.5, 0.5, 0, 0.5}},
        // An in-between at 0.5 holds the whole offset there; the weight comes from a curve keyed 0 at frame 1 and
        // 1 at frame 3, read at frame 1 (0) would leave the plane; the curve keyed 0.5 at the scene's time.
        {"blendShape in-between, weight from an animation curve",
         {{"blendShape", "m", {{"it[0].itg[0].iti[5500].ipt", -1, {0, 1, 0, 1}},
                               {"it[0].itg[0].iti[5500].ict", -1, {}, {"vtx[1]"}},
                               {"it[0].itg[0].iti[6000].ipt", -1, {0, 4, 0, 1}},
                               {"it[0].itg[0].iti[6000].ict", -1, {}, {"vtx[1]"}}}},
          {"animCurveTU", "curve", {{"ktv", 0, {1, 0.5}}, {"ktv", 1, {4, 1}}}}},
         with(deformed, {{"curve", "o", "m", "w[0]"}}), {-0.5, 0, 0.5, 0.5, 1, 0.5, -0.5, 0, -0.5, 0.5, 0, -0.5}},
        {"blendShape weight an expression drives", {{"blendShape", "m", {}}, {"expression", "e", {}}},
         with(deformed, {{"e", "out[0]", "m", "w[0]"}}), {}, "expression"},
        {"blendShape offsets for more vertices than listed",
         {{"blendShape", "m", {{"w", 0, {1}}, {"it[0].itg[0].iti[6000].ipt", -1, {0, 1, 0, 1, 0, 1, 0, 1}, {}, 9},
                               {"it[0].itg[0].iti[6000].ict", -1, {}, {"vtx[0]"}}}}},
         deformed, {}, "holds 2 offsets for 1 vertices", 9},
        {"groupParts naming a face the plane lacks",
         {{"groupParts", "m", {{"ic", -1, {}, {"f[0:2]"}, 5}}}, {"groupId", "id", {}}},
         {{"plane", "out", "m", "ig"}, {"m", "og", "shape", "i"}, {"id", "id", "m", "gi"}}, {},
         "names face 2, but the mesh has 1", 5},
        {"groupParts tagging a part of the vertices",
         {{"groupParts", "m", {{"ic", -1, {}, {"vtx[0:1]"}}}}},
         {{"plane", "out", "m", "ig"}, {"m", "og", "shape", "i"}}, {}, "a part of the vertices"},
        {"cube at the default 30 degrees", {{"polySoftEdge", "m", {}}}, through, {}, "", 0, cube, 6, 0},
        {"cube at 180 degrees", {{"polySoftEdge", "m", {{"a", -1, {180}}}}}, through, {}, "", 0, cube, 6, 12},
        {"one cube edge at 180", {{"polySoftEdge", "m", {{"a", -1, {180}}, {"ics", -1, {}, {"e[3]"}}}}}, through, {},
         "", 0, cube, 6, 1},
        // Border edges have one face and keep the generator's hard flag; the inner edge goes soft.
        {"plane at 30", {{"polySoftEdge", "m", {}}}, through, {}, "", 0, twoQuads, 2, 1},
        {"plane at 0", {{"polySoftEdge", "m", {{"a", -1, {0}}}}}, through, {}, "", 0, twoQuads, 2, 0},
        {"edge the mesh lacks", {{"polySoftEdge", "m", {{"ics", -1, {}, {"e[12]"}, 4}}}}, through, {},
         "names component 12", 4, cube},
        // The inner edge, now on the border, keeps its soft flag. Left: points 0 1 3 4 of the plane, numbered
        // anew, and the UVs of those points only.
        {"delete a plane's second face", {{"deleteComponent", "m", {{"dc", -1, {}, {"f[1]"}}}}}, geometry, {}, "", 0,
         twoQuads, 1, 1,
         [](const headless::PolyMesh& mesh) {
             const double kept[4][2] = {{-0.5, 0.5}, {0, 0.5}, {-0.5, -0.5}, {0, -0.5}};
             for (size_t i = 0; i < 4; ++i) {
                 EXPECT_EQ(mesh.points.at(i).x, kept[i][0]) << i;
                 EXPECT_EQ(mesh.points.at(i).z, kept[i][1]) << i;
             }
             EXPECT_EQ(mesh.uvSets.at(0).uvs.size(), 4u);
             EXPECT_EQ(mesh.edges.size(), 4u);
         }},
        {"delete an edge", {{"deleteComponent", "m", {{"dc", -1, {}, {"e[1]"}, 3}}}}, geometry, {},
         "deletes edges or vertices", 3, twoQuads},
        {"empty colour set", {{"createColorSet", "m", {{"colos", -1, {}, {"wear"}}, {"rprt", -1, {3}}}}}, geometry, {},
         "", 0, cube, 6, 0, colourSet},
        {"colour set of no known channels",
         {{"createColorSet", "m", {{"colos", -1, {}, {"wear"}}, {"rprt", -1, {7}, {}, 6}}}}, geometry, {},
         "representation", 6},
        // Two groupParts tag the face for two groups; the third removes it from the first.
        {"face groups",
         {{"groupParts", "g1", {{"ic", -1, {}, {"f[*]"}}}},
          {"groupParts", "g2", {{"ic", -1, {}, {"f[0]"}}}},
          {"groupParts", "g3", {{"irc", -1, {}, {"f[0]"}}}},
          {"groupId", "id1", {}},
          {"groupId", "id2", {}}},
         {{"plane", "out", "g1", "ig"}, {"g1", "og", "g2", "ig"}, {"g2", "og", "g3", "ig"}, {"g3", "og", "shape", "i"},
          {"id1", "id", "g1", "gi"}, {"id2", "id", "g2", "gi"}, {"id1", "id", "g3", "gi"}},
         {}, "", 0, onePlane, 1, -1,
         [](const headless::PolyMesh& mesh) {
             const int id1 = 5, id2 = 6;  // graph indices of the groupId nodes
             ASSERT_EQ(mesh.faceGroups.count(id1), 1u);
             EXPECT_TRUE(mesh.faceGroups.at(id1).empty());
             EXPECT_EQ(mesh.faceGroups.at(id2), std::vector<int>({0}));
         }},
        {"UV tweak", {{"polyTweakUV", "m", {{"uvtk", 3, {-0.25, 0.5}}}}}, through, {}, "", 0, onePlane, 1, -1,
         [](const headless::PolyMesh& mesh) {
             ASSERT_EQ(mesh.uvSets.at(0).uvs.size(), 4u);
             EXPECT_FLOAT_EQ(mesh.uvSets[0].uvs[3].u, 0.75f);
             EXPECT_FLOAT_EQ(mesh.uvSets[0].uvs[3].v, 1.5f);
             EXPECT_FLOAT_EQ(mesh.uvSets[0].uvs[2].u, 0.0f);
         }},
        // Vertex 2 red on its one face, vertex 1 green with half alpha by vertex: two coloured corners.
        {"colours per vertex",
         {{"polyColorPerVertex", "m", {{"cn", -1, {}, {"paint"}}, {"vclr[2].vfcl[0].frgb", -1, {1, 0, 0}},
                                       {"vclr[1].vrgb", -1, {0, 1, 0}}, {"vclr[1].vxal", -1, {0.5}}}}},
         through, {}, "", 0, onePlane, 1, -1,
         [](const headless::PolyMesh& mesh) {
             ASSERT_EQ(mesh.colorSets.size(), 1u);
             const headless::PolyColorSet& set = mesh.colorSets[0];
             EXPECT_EQ(set.name, "paint");
             EXPECT_EQ(mesh.currentColorSet, 0);
             ASSERT_EQ(set.colors.size(), 2u);
             for (int corner = 0; corner < mesh.numCorners(); ++corner) {
                 const int vertex = mesh.cornerVertex(corner);
                 const int id = set.cornerColors.at(size_t(corner));
                 if (vertex == 2 || vertex == 1) {
                     ASSERT_GE(id, 0);
                     EXPECT_EQ(set.colors[size_t(id)].r, vertex == 2 ? 1.0f : 0.0f);
                     EXPECT_EQ(set.colors[size_t(id)].a, vertex == 2 ? 1.0f : 0.5f);
                 } else {
                     EXPECT_EQ(id, -1) << "corner " << corner;
                 }
             }
         }},
    };
    for (const ModifierCase& c : cases) {
        SCOPED_TRACE(c.name);
        const headless::HistoryResult result = headless::evaluateMeshHistory(chain(c.nodes, c.links, c.source), 0);
        if (!c.failure.empty()) {
            EXPECT_FALSE(result.evaluated);
            std::string said = result.error;
            for (const std::string& type : result.unsupportedTypes)
                said += " " + type;
            EXPECT_NE(said.find(c.failure), std::string::npos) << said;
            EXPECT_EQ(result.errorLine, c.errorLine);
            continue;
        }
        ASSERT_TRUE(result.evaluated) << result.error;
        const headless::PolyMesh& mesh = result.mesh;
        EXPECT_EQ(headless::validatePolyMesh(mesh), "");
        for (size_t i = 0; i < c.points.size() / 3; ++i) {
            EXPECT_NEAR(mesh.points.at(i).x, c.points[3 * i], 1e-6) << "point " << i;
            EXPECT_NEAR(mesh.points.at(i).y, c.points[3 * i + 1], 1e-6) << "point " << i;
            EXPECT_NEAR(mesh.points.at(i).z, c.points[3 * i + 2], 1e-6) << "point " << i;
        }
        if (c.faces >= 0) {
            EXPECT_EQ(mesh.numFaces(), c.faces);
        }
        if (c.softEdges >= 0) {
            int soft = 0;
            for (const headless::PolyEdge& edge : mesh.edges)
                soft += edge.smooth ? 1 : 0;
            EXPECT_EQ(soft, c.softEdges);
        }
        if (c.more)
            c.more(mesh);
    }
}

}  // namespace
