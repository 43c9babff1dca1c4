#include "torture_support.h"

#include <unistd.h>

#include <headless/plugin_host.h>

#include "log/log.h"
#include "model/allocation.h"
#include "output/reader.h"

extern "C" MStatus initializePlugin(MObject obj);
extern "C" MStatus uninitializePlugin(MObject obj);

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace torture {

void TortureTest::SetUp()
{
    headless::resetHostBehaviour();
    headless::emptyScene();
    pluginObject = headless::makePluginObject("qaxExportTorture", dir.path());
    ASSERT_EQ(initializePlugin(pluginObject), MStatus::kSuccess);
    allocationsBefore = liveAllocations();
}

void TortureTest::TearDown()
{
    EXPECT_EQ(liveAllocations(), allocationsBefore) << "registered blocks left behind";
    EXPECT_EQ(uninitializePlugin(pluginObject), MStatus::kSuccess);
    pluginDirectory[0] = '\0';
    logIndent[0] = '\0';
    headless::emptyScene();
}

ExportResult TortureTest::exportScene(const std::string& fileName, MPxFileTranslator::FileAccessMode mode,
                                      const std::string& options)
{
    const std::string logPath = dir.file("qaxExport.log");
    const size_t logBefore = testsupport::readFile(logPath).size();
    ExportResult result;
    // The console echo of a large scene's log is long and says nothing the log file does not.
    CaptureStderr();
    result.status = headless::exportFile("qaxExport", dir.file(fileName), options, mode);
    GetCapturedStderr();
    result.log = testsupport::readFile(logPath).substr(logBefore);
    // access() rather than a filesystem query, which throws for a name longer than the system allows.
    result.written = access(dir.file(fileName).c_str(), F_OK) == 0;
    return result;
}

::testing::AssertionResult TortureTest::readBack(const std::string& fileName, qaxModel& model)
{
    char error[1024];
    if (!readQAXFile(dir.file(fileName).c_str(), model, error, sizeof(error)))
        return ::testing::AssertionFailure() << error;
    if (!validateQAXIndices(model, error, sizeof(error)))
        return ::testing::AssertionFailure() << error;
    return ::testing::AssertionSuccess();
}

headless::MeshData triangle()
{
    headless::MeshData data;
    data.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    data.faces = {{0, 1, 2}};
    return data;
}

MObject addTriangleMesh(const std::string& name, const MObject& parent)
{
    MObject shape = headless::createMesh(name + "Shape", headless::createTransform(name, parent), triangle());
    headless::assign(headless::findNode("initialShadingGroup"), shape);
    return shape;
}

std::string lastLine(const std::string& text)
{
    if (text.empty())
        return text;
    size_t start = text.rfind('\n', text.size() - 2);
    return start == std::string::npos ? text : text.substr(start + 1);
}

} // namespace torture
