#include "history/reference_mesh.h"

#include "scene_readers/maya_ascii/document_loader.h"
#include "scene_readers/maya_ascii/mesh_builder.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace historytest {

namespace {

// Distance in representable floats; the reference holds about eight significant digits of each float.
int64_t floatSteps(double a, double b)
{
    auto ordered = [](float f) {
        int32_t i;
        std::memcpy(&i, &f, sizeof i);
        return i < 0 ? int64_t(INT32_MIN) - i : int64_t(i);
    };
    return std::llabs(ordered(float(a)) - ordered(float(b)));
}

} // namespace

headless::HistoryResult evaluateGenerator(const std::string& type,
                                          const std::map<std::string, std::vector<double>>& values, int hostVersion)
{
    headless::HistoryGraph graph;
    graph.hostVersion = hostVersion;
    headless::HistoryNode generator;
    generator.type = type;
    generator.name = type + "1";
    for (const auto& entry : values) {
        headless::HistoryAttribute& attribute = generator.attributes[entry.first];
        attribute.hasPlain = true;
        attribute.numbers = entry.second;
    }
    headless::HistoryNode shape;
    shape.type = "mesh";
    shape.name = "shape";
    graph.nodes = {generator, shape};
    graph.connections.push_back({0, "out", 1, "i"});
    return headless::evaluateMeshHistory(graph, 1);
}

std::string referencePath(const std::string& file)
{
    return testsupport::sourceDirectory() + "/tests/history/references/" + file;
}

headless::PolyMesh loadReferenceMesh(const std::string& path, const std::string& meshName)
{
    // A file that cannot be read holds no mesh; one the reader refuses throws, which fails the test.
    mayaascii::SceneDocument document;
    mayaascii::loadDocument(testsupport::readFile(path), document);
    for (const mayaascii::Node& node : document.nodes)
        if (node.type == "mesh" && mayaascii::hasBakedGeometry(node) && (meshName.empty() || node.name == meshName))
            return mayaascii::bakeMesh(node).mesh;
    ADD_FAILURE() << "no baked mesh " << meshName << " in " << path;
    return {};
}

qaxtools::ExportOutcome exportSceneText(const std::string& text, const testsupport::TempDir& dir)
{
    testsupport::writeFile(dir.file("scene.ma"), text);
    qaxtools::CommandLine command;
    command.subcommand = qaxtools::Subcommand::Export;
    command.scenePath = dir.file("scene.ma");
    command.outputPath = dir.file("scene.qax");
    command.logDirectory = dir.path();
    command.quiet = true;
    return qaxtools::runExport(command);
}

void expectSameMesh(const headless::PolyMesh& expected, const headless::PolyMesh& actual, int ulps, bool nearZero)
{
    int reported = 0;
    // Reports the first few differences of all kinds.
    auto differ = [&](const char* what, size_t i, const std::vector<double>& e, const std::vector<double>& a,
                      bool exact = false) {
        bool same = true;
        for (size_t k = 0; k < e.size(); ++k)
            // Near zero the float steps are tiny: a printed -1.2e-08 against an exact 0 is the same point.
            same = same && (exact ? e[k] == a[k]
                                  : (nearZero && std::fabs(e[k] - a[k]) <= 1e-6) || floatSteps(e[k], a[k]) <= ulps);
        if (!same && reported++ < 15)
            ADD_FAILURE() << what << " " << i << ": expected " << ::testing::PrintToString(e) << ", got "
                          << ::testing::PrintToString(a);
    };
    ASSERT_EQ(actual.points.size(), expected.points.size()) << "points";
    for (size_t i = 0; i < expected.points.size(); ++i) {
        const headless::Vec3 &e = expected.points[i], &a = actual.points[i];
        differ("point", i, {e.x, e.y, e.z}, {a.x, a.y, a.z});
    }
    ASSERT_EQ(actual.edges.size(), expected.edges.size()) << "edges";
    for (size_t i = 0; i < expected.edges.size(); ++i) {
        const headless::PolyEdge &e = expected.edges[i], &a = actual.edges[i];
        differ("edge", i, {double(e.start), double(e.end), double(e.smooth)},
               {double(a.start), double(a.end), double(a.smooth)}, true);
    }
    EXPECT_EQ(actual.faceStart, expected.faceStart) << "face sizes";
    EXPECT_EQ(actual.faceEdges, expected.faceEdges) << "face edges";
    ASSERT_FALSE(expected.uvSets.empty());
    ASSERT_FALSE(actual.uvSets.empty());
    const headless::PolyUVSet& eu = expected.uvSets[size_t(expected.currentUVSet)];
    const headless::PolyUVSet& au = actual.uvSets[size_t(actual.currentUVSet)];
    ASSERT_EQ(au.uvs.size(), eu.uvs.size()) << "UVs";
    for (size_t i = 0; i < eu.uvs.size(); ++i)
        differ("UV", i, {eu.uvs[i].u, eu.uvs[i].v}, {au.uvs[i].u, au.uvs[i].v});
    EXPECT_EQ(au.cornerUVs, eu.cornerUVs) << "UV ids";
}

}  // namespace historytest
