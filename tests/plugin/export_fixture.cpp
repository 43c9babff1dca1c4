#include "export_fixture.h"

#include <algorithm>
#include <cstdlib>
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

} // namespace plugintest
