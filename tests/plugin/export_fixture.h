#pragma once
// Shared by the plug-in tests: the plug-in registered in the headless host from this test program,
// exports through the host with the console captured, and scenes built in a few lines. (What each vertex
// becomes is the capture and conversion tests'.)

#include <gtest/gtest.h>

#include <maya/MObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>

#include <headless/scene.h>

#include <string>
#include <vector>

#include "output/qax_model.h"
#include "support/test_support.h"

extern "C" MStatus initializePlugin(MObject obj);
extern "C" MStatus uninitializePlugin(MObject obj);

namespace plugintest {

// The console (standard error) text written while an export ran, and its status.
struct ExportRun {
    MStatus status;
    std::string console;
};

// Each test starts from an empty host scene with the plug-in registered from a temporary directory,
// which therefore also holds the export log; the plug-in is deregistered afterwards.
class ExportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Exports through the registered "qaxExport" translator to a file of the temporary directory.
    ExportRun runExport(const std::string& fileName, const std::string& options,
                        MPxFileTranslator::FileAccessMode mode);
    std::string logText() const { return testsupport::readFile(dir.file("qaxExport.log")); }
    std::vector<std::string> logLines() const { return testsupport::splitLines(logText()); }
    // Files and folders of the temporary directory, sorted.
    std::vector<std::string> directoryEntries() const;

    testsupport::TempDir dir;
    MObject pluginObject;
    int32_t allocationsBefore = 0;
};

// The unit cube of the host's polygon cube: 8 points, 6 quads, 14 UVs and one normal per face.
headless::MeshData cubeData(double size = 1.0);
// A transform with a mesh shape "<name>Shape" below it; returns the shape.
MObject createMeshObject(const std::string& name, const headless::MeshData& data, double x = 0.0,
                         double y = 0.0, double z = 0.0);
// A shader of the given type with its shading group "<name>SG"; returns the shading group.
MObject createMaterial(const std::string& type, const std::string& name, MObject* shader = nullptr);

// Reads a written file through the .qax reader; fails the test with the reader's message otherwise.
// Release the model with freeQAXModel.
::testing::AssertionResult readQax(const std::string& path, qaxModel& model);

} // namespace plugintest
