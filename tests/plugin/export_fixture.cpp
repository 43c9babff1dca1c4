#include "export_fixture.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "log/log.h"
#include "model/allocation.h"
#include "output/reader.h"

#include <headless/plugin_host.h>

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace plugintest {

void ExportTest::SetUp()
{
    headless::resetHostBehaviour();
    headless::emptyScene();
    pluginObject = headless::makePluginObject("qaxExportTest", dir.path());
    ASSERT_EQ(initializePlugin(pluginObject), MStatus::kSuccess);
    ASSERT_STREQ(pluginDirectory, dir.path().c_str());
    allocationsBefore = liveAllocations();
}

void ExportTest::TearDown()
{
    EXPECT_EQ(uninitializePlugin(pluginObject), MStatus::kSuccess);
    pluginDirectory[0] = '\0';
    logIndent[0] = '\0';
    headless::emptyScene();
}

ExportRun ExportTest::runExport(const std::string& fileName, const std::string& options,
                                MPxFileTranslator::FileAccessMode mode)
{
    ExportRun run;
    CaptureStderr();
    run.status = headless::exportFile("qaxExport", dir.file(fileName), options, mode);
    run.console = GetCapturedStderr();
    return run;
}

std::vector<std::string> ExportTest::directoryEntries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

headless::MeshData cubeData(double size)
{
    double h = size / 2.0;
    headless::MeshData data;
    data.points = {{-h, -h, h}, {h, -h, h}, {-h, h, h},  {h, h, h},
                   {-h, h, -h}, {h, h, -h}, {-h, -h, -h}, {h, -h, -h}};
    data.faces = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6}, {6, 7, 1, 0}, {1, 7, 5, 3}, {6, 0, 2, 4}};
    data.uvs = {{0.375f, 0.0f},  {0.625f, 0.0f},  {0.375f, 0.25f}, {0.625f, 0.25f}, {0.375f, 0.5f},
                {0.625f, 0.5f},  {0.375f, 0.75f}, {0.625f, 0.75f}, {0.375f, 1.0f},  {0.625f, 1.0f},
                {0.875f, 0.0f},  {0.875f, 0.25f}, {0.125f, 0.0f},  {0.125f, 0.25f}};
    data.faceUVs = {{0, 1, 3, 2}, {2, 3, 5, 4}, {4, 5, 7, 6}, {6, 7, 9, 8}, {1, 10, 11, 3}, {12, 0, 2, 13}};
    data.normals = {{0, 0, 1}, {0, 1, 0}, {0, 0, -1}, {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}};
    data.faceNormals = {{0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}, {4, 4, 4, 4}, {5, 5, 5, 5}};
    return data;
}

MObject createMeshObject(const std::string& name, const headless::MeshData& data, double x, double y, double z)
{
    MObject transform = headless::createTransform(name);
    headless::setTranslate(transform, x, y, z);
    return headless::createMesh(name + "Shape", transform, data);
}

MObject createMaterial(const std::string& type, const std::string& name, MObject* shaderOut)
{
    MObject shader = headless::createShader(type, name);
    if (shaderOut)
        *shaderOut = shader;
    return headless::createShadingGroup(name + "SG", shader);
}

::testing::AssertionResult readQax(const std::string& path, qaxModel& model)
{
    char error[512] = "";
    memset(&model, 0, sizeof(model));
    if (!readQAXFile(path.c_str(), model, error, sizeof(error)))
        return ::testing::AssertionFailure() << "reading " << path << ": " << error;
    if (!validateQAXIndices(model, error, sizeof(error)))
        return ::testing::AssertionFailure() << "indices of " << path << ": " << error;
    return ::testing::AssertionSuccess();
}

std::vector<ExpectedVertex> expectedVertices(const headless::MeshData& data)
{
    std::vector<ExpectedVertex> vertices;
    for (size_t f = 0; f < data.faces.size(); ++f) {
        const std::vector<int>& face = data.faces[f];
        for (size_t i = 1; i + 1 < face.size(); ++i) {
            for (size_t corner : {size_t(0), i, i + 1}) {
                const headless::Vec3& p = data.points[face[corner]];
                const headless::Vec3& n = data.normals[data.faceNormals[f][corner]];
                const headless::TexCoord& uv = data.uvs[data.faceUVs[f][corner]];
                // The host reports an uncoloured corner as (-1, -1, -1, -1).
                int colorId = data.faceColors.empty() ? -1 : data.faceColors[f][corner];
                headless::Color4 c = colorId < 0 ? headless::Color4{-1, -1, -1, -1} : data.colors[colorId];
                vertices.push_back({{float(p.x), float(p.y), float(p.z)},
                                    {float(n.x), float(n.y), float(n.z)},
                                    {uv.u, uv.v},
                                    {c.r, c.g, c.b}});
            }
        }
    }
    return vertices;
}

static bool sameVertex(const ExpectedVertex& a, const ExpectedVertex& b, bool withColors)
{
    auto same = [](const float* x, const float* y, int count) {
        for (int i = 0; i < count; ++i)
            if (x[i] != y[i])
                return false;
        return true;
    };
    return same(a.position, b.position, 3) && same(a.normal, b.normal, 3) && same(a.uv, b.uv, 2) &&
           (!withColors || same(a.color, b.color, 3));
}

void expectObject(const qaxObject& object, const std::vector<ExpectedVertex>& expected, bool withColors)
{
    int32_t count = int32_t(expected.size());
    ASSERT_EQ(object.vertices.numVertices, count);
    ASSERT_EQ(object.UVs.numUVs, count);
    ASSERT_EQ(object.normals.numNormals, count);
    ASSERT_EQ(object.indices.numIndices, count);
    ASSERT_EQ(object.vertexColors.present != 0, withColors);
    if (withColors) {
        ASSERT_EQ(object.vertexColors.numVertexColors, count);
    }
    for (int32_t i = 0; i < count; ++i) {
        const ExpectedVertex& e = expected[i];
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(object.vertices.vertices[3 * i + k], e.position[k]) << "vertex " << i;
            EXPECT_EQ(object.normals.normals[3 * i + k], e.normal[k]) << "normal " << i;
            if (withColors) {
                EXPECT_EQ(object.vertexColors.vertexColors[3 * i + k], e.color[k]) << "colour " << i;
            }
        }
        EXPECT_EQ(object.UVs.UVs[2 * i], e.uv[0]) << "uv " << i;
        EXPECT_EQ(object.UVs.UVs[2 * i + 1], e.uv[1]) << "uv " << i;
        int32_t first = i;
        for (int32_t j = 0; j < i; ++j) {
            if (sameVertex(expected[j], e, withColors)) {
                first = j;
                break;
            }
        }
        EXPECT_EQ(object.indices.indices[i], first) << "index " << i;
    }
    ASSERT_EQ(object.bursts.numBursts, 1);
    EXPECT_EQ(object.bursts.burstStart[0], 0);
    EXPECT_EQ(object.bursts.burstCount[0], 3 * count);
    EXPECT_EQ(object.bursts.burstMaterialID[0], object.header.materialID);
    EXPECT_EQ(object.bursts.burstVperP[0], 3);
}

} // namespace plugintest
