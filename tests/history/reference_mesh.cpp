#include "history/reference_mesh.h"

#include "scene_readers/maya_ascii/document_loader.h"
#include "scene_readers/maya_ascii/mesh_builder.h"
#include "scene_readers/maya_ascii/read_error.h"
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

bool near(double a, double b, int ulps, bool nearZero)
{
    // Near zero the float steps are tiny: a printed -1.2e-08 against an exact 0 is the same point.
    return (nearZero && std::fabs(a - b) <= 1e-6) || floatSteps(a, b) <= ulps;
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
    if (!testsupport::fileExists(path)) {
        ADD_FAILURE() << "no reference file " << path;
        return {};
    }
    mayaascii::SceneDocument document;
    try {
        mayaascii::loadDocument(testsupport::readFile(path), document);
        for (const mayaascii::Node& node : document.nodes)
            if (node.type == "mesh" && mayaascii::hasBakedGeometry(node) && (meshName.empty() || node.name == meshName))
                return mayaascii::bakeMesh(node).mesh;
    } catch (const mayaascii::ReadError& error) {
        ADD_FAILURE() << path << ":" << error.line() << ": " << error.what();
        return {};
    }
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
    ASSERT_EQ(actual.points.size(), expected.points.size()) << "points";
    int reported = 0;
    for (size_t i = 0; i < expected.points.size() && reported < 5; ++i) {
        const headless::Vec3& e = expected.points[i];
        const headless::Vec3& a = actual.points[i];
        if (!near(e.x, a.x, ulps, nearZero) || !near(e.y, a.y, ulps, nearZero) || !near(e.z, a.z, ulps, nearZero)) {
            ADD_FAILURE() << "point " << i << ": expected " << e.x << " " << e.y << " " << e.z << ", got " << a.x << " "
                          << a.y << " " << a.z;
            ++reported;
        }
    }
    ASSERT_EQ(actual.edges.size(), expected.edges.size()) << "edges";
    for (size_t e = 0; e < expected.edges.size() && reported < 10; ++e) {
        const headless::PolyEdge& x = expected.edges[e];
        const headless::PolyEdge& y = actual.edges[e];
        if (x.start != y.start || x.end != y.end || x.smooth != y.smooth) {
            ADD_FAILURE() << "edge " << e << ": expected " << x.start << " " << x.end << " " << x.smooth << ", got "
                          << y.start << " " << y.end << " " << y.smooth;
            ++reported;
        }
    }
    EXPECT_EQ(actual.faceStart, expected.faceStart) << "face sizes";
    EXPECT_EQ(actual.faceEdges, expected.faceEdges) << "face edges";
    ASSERT_FALSE(expected.uvSets.empty());
    ASSERT_FALSE(actual.uvSets.empty());
    const headless::PolyUVSet& eu = expected.uvSets[size_t(expected.currentUVSet)];
    const headless::PolyUVSet& au = actual.uvSets[size_t(actual.currentUVSet)];
    ASSERT_EQ(au.uvs.size(), eu.uvs.size()) << "UVs";
    for (size_t i = 0; i < eu.uvs.size() && reported < 15; ++i)
        if (!near(eu.uvs[i].u, au.uvs[i].u, ulps, nearZero) || !near(eu.uvs[i].v, au.uvs[i].v, ulps, nearZero)) {
            ADD_FAILURE() << "UV " << i << ": expected " << eu.uvs[i].u << " " << eu.uvs[i].v << ", got " << au.uvs[i].u
                          << " " << au.uvs[i].v;
            ++reported;
        }
    EXPECT_EQ(au.cornerUVs, eu.cornerUVs) << "UV ids";
}

}  // namespace historytest
