#pragma once
// Shared by the plug-in and torture tests: the plug-in registered in the headless host from the test program,
// exports through the host with the console captured, and scenes built in a few lines.

#include <gtest/gtest.h>

#include <maya/MObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>

#include <headless/plugin_host.h>
#include <headless/poly_mesh.h>
#include <headless/scene.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "log/log.h"
#include "model/allocation.h"
#include "output/qax_model.h"
#include "output/reader.h"
#include "support/test_support.h"

extern "C" MStatus initializePlugin(MObject obj);
extern "C" MStatus uninitializePlugin(MObject obj);

namespace plugintest {

struct ExportRun {
    MStatus status;
    std::string console;  // standard error while the export ran
    std::string log;      // what it appended to the export log
    bool written = false; // the target file exists
};

// Each test starts from an empty host scene with the plug-in registered from a temporary directory, which
// therefore also holds the export log; the allocation register must be back where it started when the test ends.
class ExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::resetHostBehaviour();
        headless::emptyScene();
        pluginObject = headless::makePluginObject("qaxExportTest", dir.path());
        ASSERT_EQ(initializePlugin(pluginObject), MStatus::kSuccess);
        ASSERT_STREQ(pluginDirectory, dir.path().c_str());
        allocationsBefore = liveAllocations();
    }

    void TearDown() override
    {
        EXPECT_EQ(liveAllocations(), allocationsBefore) << "registered blocks left behind";
        EXPECT_EQ(uninitializePlugin(pluginObject), MStatus::kSuccess);
        pluginDirectory[0] = '\0';
        logIndent[0] = '\0';
        headless::emptyScene();
    }

    // Exports through the registered "qaxExport" translator to a file of the temporary directory.
    ExportRun runExport(const std::string& fileName = "out.qax",
                        const std::string& options = "vertexColors=1;relProjPath=1;optimize=1;",
                        MPxFileTranslator::FileAccessMode mode = MPxFileTranslator::kExportAccessMode)
    {
        ExportRun run;
        const size_t logBefore = logText().size();
        testing::internal::CaptureStderr();
        run.status = headless::exportFile("qaxExport", dir.file(fileName), options, mode);
        run.console = testing::internal::GetCapturedStderr();
        run.log = logText().substr(logBefore);
        // access() rather than a filesystem query, which throws for a name longer than the system allows.
        run.written = access(dir.file(fileName).c_str(), F_OK) == 0;
        return run;
    }
    std::string logText() const { return testsupport::readFile(dir.file("qaxExport.log")); }

    // Reads a written file of the temporary directory through the .qax reader; fails the test with the reader's
    // message otherwise. Release the model with freeQAXModel.
    ::testing::AssertionResult readQax(const std::string& fileName, qaxModel& model) const
    {
        char error[1024] = "";
        memset(&model, 0, sizeof(model));
        if (!readQAXFile(dir.file(fileName).c_str(), model, error, sizeof(error)))
            return ::testing::AssertionFailure() << "reading " << fileName << ": " << error;
        if (!validateQAXIndices(model, error, sizeof(error)))
            return ::testing::AssertionFailure() << "indices of " << fileName << ": " << error;
        return ::testing::AssertionSuccess();
    }

    testsupport::TempDir dir;
    MObject pluginObject;
    int32_t allocationsBefore = 0;
};

// The host's polygon cube of the given size, its UVs laid out as the Create menu makes them.
inline headless::MeshData cubeData(double size = 1.0)
{
    return headless::toMeshData(
        headless::primitiveMesh("polyCube", {{"w", size}, {"h", size}, {"d", size}, {"cuv", 4}}));
}

// One triangle in the XY plane.
inline headless::MeshData triangle()
{
    headless::MeshData data;
    data.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    data.faces = {{0, 1, 2}};
    return data;
}

// A transform with a mesh shape "<name>Shape" below it; returns the shape.
inline MObject createMeshObject(const std::string& name, const headless::MeshData& data, double x = 0.0)
{
    MObject transform = headless::createTransform(name);
    headless::setTranslate(transform, x, 0.0, 0.0);
    return headless::createMesh(name + "Shape", transform, data);
}

// A triangle mesh "<name>Shape" shaded by the host's initialShadingGroup, as the host shades every new shape
// (the scene must come from newScene). Returns the shape.
inline MObject addTriangleMesh(const std::string& name)
{
    MObject shape = createMeshObject(name, triangle());
    headless::assign(headless::findNode("initialShadingGroup"), shape);
    return shape;
}

// A shader of the given type with its shading group "<name>SG"; returns the shading group.
inline MObject createMaterial(const std::string& type, const std::string& name, MObject* shader = nullptr)
{
    MObject created = headless::createShader(type, name);
    if (shader)
        *shader = created;
    return headless::createShadingGroup(name + "SG", created);
}

// The last line of a text, with its "\n".
inline std::string lastLine(const std::string& text)
{
    const size_t start = text.size() < 2 ? std::string::npos : text.rfind('\n', text.size() - 2);
    return start == std::string::npos ? text : text.substr(start + 1);
}

} // namespace plugintest
