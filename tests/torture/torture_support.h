#pragma once
// Shared by the torture tests: the plug-in registered in the headless host from a temporary directory,
// exports run through the host with the console captured, and the written file read back.

#include <gtest/gtest.h>

#include <maya/MObject.h>
#include <maya/MPxFileTranslator.h>
#include <maya/MStatus.h>

#include <headless/scene.h>

#include <string>
#include <vector>

#include "output/qax_model.h"
#include "support/test_support.h"

namespace torture {

struct ExportResult {
    MStatus status;
    std::string log;     // what this export appended to the export log
    bool written = false; // the target file exists
};

// Each test starts from an empty host scene with the plug-in registered from a temporary directory; the
// allocation register must be back where it started when the test ends.
class TortureTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Exports the current scene (all of it, or the selection) to fileName in the temporary directory.
    ExportResult exportScene(const std::string& fileName = "out.qax",
                             MPxFileTranslator::FileAccessMode mode = MPxFileTranslator::kExportAccessMode,
                             const std::string& options = "vertexColors=1;relProjPath=1;optimize=1;");
    // Reads a written file; fails the test with the reader's message when it is refused.
    ::testing::AssertionResult readBack(const std::string& fileName, qaxModel& model);

    testsupport::TempDir dir;
    MObject pluginObject;
    int32_t allocationsBefore = 0;
};

// One triangle in the XY plane.
headless::MeshData triangle();

// A transform with a triangle mesh "<name>Shape" below it, shaded by the host's initialShadingGroup (as the
// host does for every new shape; the scene must come from newScene). Returns the shape.
MObject addTriangleMesh(const std::string& name, const MObject& parent = MObject::kNullObj);

// The last line of a text, with its "\n".
std::string lastLine(const std::string& text);

} // namespace torture
