#include "scene_readers/interchange/interchange_reader.h"

#include "interchange_files.h"
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

TEST(InterchangeReader, ObjWithMaterialsAndLargeFaces)
{
    // The same file's textures, per-material objects and triangles are checked in the .qax by the export round
    // trip; here what the file cannot show: the shader kinds, the transparency and the report.
    testsupport::TempDir dir;
    const std::string path = writeObj(dir.path(), "ngons", ngonScene(), kBrickGlassMtl);
    const InterchangeReport report = loadInterchangeFile(path);
    ASSERT_TRUE(report.ok) << report.message;
    EXPECT_EQ(report.meshes, 2);
    EXPECT_EQ(report.shaders, 2);
    EXPECT_EQ(report.fileTextures, 1);
    // 4, 5 and 6 corners stay; 7 to 12 become 5 + 6 + 7 + 8 + 9 + 10 triangles.
    EXPECT_EQ(report.faces, 3 + 45 + 1);
    EXPECT_TRUE(contains(report.warnings, "6 faces of more than 6 corners were cut into 45 triangles"));
    EXPECT_EQ(report.upAxis, headless::UpAxis::Y);
    EXPECT_FALSE(report.upAxisFromFile);
    EXPECT_EQ(headless::upAxis(), headless::UpAxis::Y);

    EXPECT_STREQ(MFnDependencyNode(headless::findNode("brick")).typeName().asChar(), "phong");
    const MObject glass = headless::findNode("glass");
    EXPECT_STREQ(MFnDependencyNode(glass).typeName().asChar(), "lambert");
    std::vector<double> colour;
    ASSERT_TRUE(headless::getAttr(glass, "transparency", colour));
    EXPECT_NEAR(colour[0], 0.5, 1e-6);
}

TEST(InterchangeReader, UpAxisAndScale)
{
    testsupport::TempDir dir;
    const std::string zUp = writeZUpCollada(dir.path());
    const std::string obj = writeObj(dir.path(), "plain", {{"Square", "", {regularPolygon(4, {0, 0, 0}, 1.0f)}}}, "");
    GltfNode node;
    node.name = "tri";
    node.mesh = 0;
    node.translation = {0, 0, 5};
    const std::string gltf = writeGltf(dir.path(), "tri", {{"tri", "", {regularPolygon(3, {0, 0, 0}, 1.0f)}}}, {}, {node});
    struct Case {
        const char* name;
        std::string path;
        UpAxisChoice choice;
        double scale;
        headless::UpAxis expected;
        bool fromFile, warns;
        float firstX, translateZ;
    };
    const Case cases[] = {
        {"COLLADA Z up", zUp, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Z, true, false, 1.0f, 5.0f},
        {"COLLADA asked Y", zUp, UpAxisChoice::Y, 1.0, headless::UpAxis::Y, false, true, 1.0f, 5.0f},
        // Lengths as the file gives them: the file's unit does not scale; the option does.
        {"COLLADA scaled", zUp, UpAxisChoice::FromFile, 2.0, headless::UpAxis::Z, true, false, 2.0f,
         10.0f},
        {"OBJ records none", obj, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, false, false, 1.0f, 0.0f},
        {"OBJ asked Z", obj, UpAxisChoice::Z, 2.54, headless::UpAxis::Z, false, false, 2.54f, 0.0f},
        {"glTF is Y up", gltf, UpAxisChoice::FromFile, 1.0, headless::UpAxis::Y, true, false, 1.0f, 5.0f},
    };
    for (const Case& c : cases) {
        InterchangeOptions options;
        options.upAxis = c.choice;
        options.scale = c.scale;
        const InterchangeReport report = loadInterchangeFile(c.path, options);
        ASSERT_TRUE(report.ok) << c.name << ": " << report.message;
        EXPECT_EQ(report.upAxis, c.expected) << c.name;
        EXPECT_EQ(headless::upAxis(), c.expected) << c.name;
        EXPECT_EQ(report.upAxisFromFile, c.fromFile) << c.name;
        EXPECT_EQ(contains(report.warnings, "the file records Z up; the scene is set Y up"), c.warns) << c.name;
        const MObject shape = headless::findNode(c.path == obj ? "SquareShape" : "triShape");
        MFloatPointArray points;
        MFnMesh(shape).getPoints(points, MSpace::kObject);
        ASSERT_GT(points.length(), 0u) << c.name;
        EXPECT_FLOAT_EQ(points[0].x, c.firstX) << c.name;
        std::vector<double> translate;
        ASSERT_TRUE(headless::getAttr(MFnDagNode(shape).parent(0), "translate", translate)) << c.name;
        EXPECT_NEAR(translate[2], c.translateZ, 1e-9) << c.name;
    }
}

TEST(InterchangeReader, FbxRecordsItsUpAxis)
{
    // An ASCII FBX file written by the library's own exporter, its up-axis setting then edited.
    testsupport::TempDir dir;
    std::unique_ptr<aiScene> scene =
        makeScene({"root", aiMatrix4x4(), {}, {{"box", aiMatrix4x4(), {0}, {}}}}, {polygonMesh("box", 4)},
                  {makeMaterial("paint")});
    Assimp::Exporter exporter;
    ASSERT_EQ(exporter.Export(scene.get(), "fbxa", dir.file("written.fbx")), AI_SUCCESS) << exporter.GetErrorString();
    const std::string written = testsupport::readFile(dir.file("written.fbx"));
    const std::string setting = "P: \"UpAxis\", \"int\", \"Integer\", \"\", 1";
    const size_t at = written.find(setting);
    ASSERT_NE(at, std::string::npos);
    struct Case {
        const char* axis;
        headless::UpAxis expected;
        bool warns;
    };
    const Case cases[] = {{"1", headless::UpAxis::Y, false}, {"2", headless::UpAxis::Z, false}, {"0", headless::UpAxis::Y, true}};
    for (const Case& c : cases) {
        std::string edited = written;
        edited.replace(at + setting.size() - 1, 1, c.axis);
        testsupport::writeFile(dir.file("edited.fbx"), edited);
        const InterchangeReport report = loadInterchangeFile(dir.file("edited.fbx"));
        ASSERT_TRUE(report.ok) << c.axis << ": " << report.message;
        EXPECT_EQ(report.upAxis, c.expected) << c.axis;
        EXPECT_EQ(report.upAxisFromFile, !c.warns) << c.axis;
        EXPECT_EQ(contains(report.warnings, "(+X) is not one the host can use"), c.warns) << c.axis;
        EXPECT_EQ(report.meshes, 1) << c.axis;
        EXPECT_FALSE(headless::findNode("paint").isNull()) << c.axis;
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
        {"not geometry", "words.obj", "hello world\n", 1.0, "cannot import"},
        {"index out of range", "index.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 40\n", 1.0, "cannot import"},
        {"only NaN positions", "nan.obj", "v 0 0 0\nv nan 0 0\nv 0 1 0\nf 1 2 3\n", 1.0,
         "no mesh with faces to export (1 skipped; the first: mesh"},
        {"only infinite positions", "inf.obj", "v 0 0 0\nv inf 0 0\nv 0 1 0\nf 1 2 3\n", 1.0, "not a finite number"},
        // The header check runs before the library, which would size its arrays by the count (verdicts: its own test).
        {"absurd PLY count", "absurd.ply",
         "ply\nformat binary_little_endian 1.0\nelement vertex 2000000000\nproperty float x\nend_header\n", 1.0,
         "announces 2000000000 vertex elements"},
        {"NaN scale", "scalenan.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", NAN, "positive number"},
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
