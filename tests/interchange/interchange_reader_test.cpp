#include "scene_readers/interchange/interchange_reader.h"

#include "library_scenes.h"
#include "support/test_support.h"

#include <assimp/Exporter.hpp>
#include <assimp/scene.h>

#include <headless/scene.h>
#include <maya/MFloatPointArray.h>
#include <maya/MFnDagNode.h>
#include <maya/MFnDependencyNode.h>
#include <maya/MFnMesh.h>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

using interchange::InterchangeOptions;
using interchange::InterchangeReport;
using interchange::loadInterchangeFile;
using interchange::UpAxisChoice;
using namespace interchangetest;

bool contains(const std::vector<std::string>& texts, const std::string& wanted)
{
    for (const std::string& text : texts)
        if (text.find(wanted) != std::string::npos)
            return true;
    return false;
}

TEST(InterchangeReader, UpAxisAndScale)
{
    testsupport::TempDir dir;
    const std::string zUp = fixture("zup.dae"), obj = fixture("square.obj");
    const NodeDescription moved{"root", aiMatrix4x4(), {}, {{"tri", placement(0, 0, 5), {0}, {}}}};
    const std::string gltf = writeGltf(dir.file("tri.gltf"), readObj(fixture("zup.obj")), moved, nullptr);
    // An ASCII FBX file written by the library's own exporter, its up-axis setting (Y) then edited.
    std::unique_ptr<aiScene> scene =
        makeScene({"root", aiMatrix4x4(), {}, {{"tri", aiMatrix4x4(), {0}, {}}}}, {polygonMesh("tri", 4)}, {makeMaterial("m")});
    Assimp::Exporter exporter;
    ASSERT_EQ(exporter.Export(scene.get(), "fbxa", dir.file("y.fbx")), AI_SUCCESS) << exporter.GetErrorString();
    const std::string written = testsupport::readFile(dir.file("y.fbx"));
    const std::string setting = "P: \"UpAxis\", \"int\", \"Integer\", \"\", ";
    const size_t at = written.find(setting + "1");
    ASSERT_NE(at, std::string::npos);
    for (const char* axis : {"0", "2"}) {
        std::string edited = written;
        testsupport::writeFile(dir.file(std::string(axis) + ".fbx"), edited.replace(at + setting.size(), 1, axis));
    }
    struct Case {
        const char* name;
        std::string path;
        UpAxisChoice choice;
        double scale;
        headless::UpAxis expected;
        bool fromFile;
        const char* warning; // "" for none
        float firstX, translateZ;
    };
    const char* const asked = "the file records Z up; the scene is set Y up";
    const Case cases[] = {
        {"COLLADA Z up", zUp, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Z, true, "", 1.0f, 5.0f},
        {"COLLADA asked Y", zUp, UpAxisChoice::Y, 1.0, headless::UpAxis::Y, false, asked, 1.0f, 5.0f},
        // Lengths as the file gives them: the file's unit does not scale; the option does.
        {"COLLADA scaled", zUp, UpAxisChoice::FromFile, 2.0, headless::UpAxis::Z, true, "", 2.0f, 10.0f},
        {"OBJ records none", obj, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, false, "", 1.0f, 0.0f},
        {"OBJ asked Z", obj, UpAxisChoice::Z, 2.54, headless::UpAxis::Z, false, "", 2.54f, 0.0f},
        {"glTF is Y up", gltf, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, true, "", 1.0f, 5.0f},
        {"FBX Y up", dir.file("y.fbx"), UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, true, "", 1.0f, 0.0f},
        {"FBX Z up", dir.file("2.fbx"), UpAxisChoice::FromFile, 1.0, headless::UpAxis::Z, true, "", 1.0f, 0.0f},
        {"FBX X up", dir.file("0.fbx"), UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, false,
         "(+X) is not one the host can use", 1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        InterchangeOptions options;
        options.upAxis = c.choice;
        options.scale = c.scale;
        const InterchangeReport report = loadInterchangeFile(c.path, options);
        ASSERT_TRUE(report.ok) << report.message;
        EXPECT_EQ(report.upAxis, c.expected);
        EXPECT_EQ(headless::upAxis(), c.expected);
        EXPECT_EQ(report.upAxisFromFile, c.fromFile);
        // Both axis warnings end in how the scene is taken.
        EXPECT_EQ(contains(report.warnings, "the scene is"), *c.warning != 0);
        EXPECT_TRUE(contains(report.warnings, c.warning) || !*c.warning);
        const MObject shape = headless::findNode(c.path == obj ? "SquareShape" : "triShape");
        MFloatPointArray points;
        MFnMesh(shape).getPoints(points, MSpace::kObject);
        ASSERT_GT(points.length(), 0u);
        EXPECT_FLOAT_EQ(points[0].x, c.firstX);
        std::vector<double> translate;
        ASSERT_TRUE(headless::getAttr(MFnDagNode(shape).parent(0), "translate", translate));
        EXPECT_NEAR(translate[2], c.translateZ, 1e-9);
    }
}

TEST(InterchangeReader, BadInputFailsCleanly)
{
    testsupport::TempDir dir;
    headless::newScene();
    const size_t newSceneNodes = headless::allNodes().size();
    struct Case {
        const char* name;
        std::string file;
        std::string contents; // written unless the name says missing
        double scale;
        const char* messagePart;
    };
    const Case cases[] = {
        {"missing", "missing.obj", "", 1.0, "cannot read the file"},
        {"empty", "empty.obj", "", 1.0, "the file is empty"},
        {"index out of range", "index.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 40\n", 1.0, "cannot import"},
        {"only NaN positions", "nan.obj", "v 0 0 0\nv nan 0 0\nv 0 1 0\nf 1 2 3\n", 1.0,
         "no mesh with faces to export (1 skipped; the first: mesh"},
        // The header check runs before the library, which would size its arrays by the count (verdicts: its own test).
        {"absurd PLY count", "absurd.ply",
         "ply\nformat binary_little_endian 1.0\nelement vertex 2000000000\nproperty float x\nend_header\n", 1.0,
         "announces 2000000000 vertex elements"},
        {"NaN scale", "scalenan.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", NAN, "positive number"},
        {"zero scale", "scalezero.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", 0.0, "positive number"},
        {"directory", ".", "", 1.0, "not a regular file"},
    };
    for (const Case& c : cases) {
        const std::string path = c.file == "." ? dir.path() : dir.file(c.file);
        if (c.file != "missing.obj" && c.file != ".")
            testsupport::writeFile(path, c.contents);
        InterchangeOptions options;
        options.scale = c.scale;
        // A scene left from before must not survive a failed load.
        headless::createTransform("leftover");
        const InterchangeReport report = loadInterchangeFile(path, options);
        EXPECT_FALSE(report.ok) << c.name;
        EXPECT_EQ(report.message.rfind(path + ": ", 0), 0u) << c.name << ": " << report.message;
        EXPECT_NE(report.message.find(c.messagePart), std::string::npos) << c.name << ": " << report.message;
        EXPECT_EQ(report.meshes, 0) << c.name;
        EXPECT_EQ(headless::allNodes().size(), newSceneNodes) << c.name;
        EXPECT_TRUE(headless::findNode("leftover").isNull()) << c.name;
    }
}

} // namespace
