#include "scene_readers/interchange/file_up_axis.h"

#include "support/test_support.h"

#include <assimp/scene.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using interchange::colladaUpAxis;
using interchange::FileUpAxis;
using interchange::fileUpAxis;

std::string collada(const std::string& asset, const std::string& rest = "")
{
    return "<?xml version=\"1.0\"?>\n<COLLADA version=\"1.4.1\">\n" + asset + rest + "</COLLADA>\n";
}

TEST(FileUpAxis, ColladaDocumentAsset)
{
    struct Case {
        const char* name;
        std::string text;
        FileUpAxis expected;
        bool warns;
    };
    const Case cases[] = {
        {"z up", collada("<asset><up_axis>Z_UP</up_axis></asset>"), FileUpAxis::Z, false},
        {"y up with blanks", collada("<asset>\n  <up_axis> Y_UP\n</up_axis>\n</asset>"), FileUpAxis::Y, false},
        {"x up", collada("<asset><up_axis>X_UP</up_axis></asset>"), FileUpAxis::NotRecorded, true},
        {"none", collada("<asset><unit meter=\"1\"/></asset>"), FileUpAxis::NotRecorded, false},
        // Only the document's own asset counts, not one of a node further on.
        {"nested asset", collada("<asset></asset>", "<node><asset><up_axis>Z_UP</up_axis></asset></node>"),
         FileUpAxis::NotRecorded, false},
        {"no asset", collada(""), FileUpAxis::NotRecorded, false},
        {"unterminated", collada("<asset><up_axis>Z_UP"), FileUpAxis::NotRecorded, false},
    };
    for (const Case& c : cases) {
        std::string warning;
        EXPECT_EQ(colladaUpAxis(c.text, warning), c.expected) << c.name;
        EXPECT_EQ(!warning.empty(), c.warns) << c.name << ": " << warning;
    }
}

TEST(FileUpAxis, ByFormat)
{
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("zup.dae"), collada("<asset><up_axis>Z_UP</up_axis></asset>"));
    testsupport::writeFile(dir.file("zup.DAE"), collada("<asset><up_axis>Z_UP</up_axis></asset>"));
    struct Case {
        const char* name;
        std::string path;
        int fbxAxis; // -1: no metadata
        int fbxSign;
        FileUpAxis expected;
        bool warns;
    };
    const Case cases[] = {
        {"collada", dir.file("zup.dae"), -1, 1, FileUpAxis::Z, false},
        {"collada, upper-case extension", dir.file("zup.DAE"), -1, 1, FileUpAxis::Z, false},
        {"gltf", dir.file("a.gltf"), -1, 1, FileUpAxis::Y, false},
        {"glb", dir.file("a.glb"), -1, 1, FileUpAxis::Y, false},
        {"fbx z up", dir.file("a.fbx"), 2, 1, FileUpAxis::Z, false},
        {"fbx y up", dir.file("a.fbx"), 1, 1, FileUpAxis::Y, false},
        {"fbx x up", dir.file("a.fbx"), 0, 1, FileUpAxis::NotRecorded, true},
        {"fbx down", dir.file("a.fbx"), 1, -1, FileUpAxis::NotRecorded, true},
        {"fbx without setting", dir.file("a.fbx"), -1, 1, FileUpAxis::NotRecorded, false},
        {"obj", dir.file("a.obj"), -1, 1, FileUpAxis::NotRecorded, false},
        // Settings of another format mean nothing for OBJ.
        {"obj with metadata", dir.file("a.obj"), 2, 1, FileUpAxis::NotRecorded, false},
    };
    for (const Case& c : cases) {
        aiScene scene;
        if (c.fbxAxis >= 0) {
            scene.mMetaData = aiMetadata::Alloc(2);
            scene.mMetaData->Set(0, "UpAxis", int32_t(c.fbxAxis));
            scene.mMetaData->Set(1, "UpAxisSign", int32_t(c.fbxSign));
        }
        std::string warning;
        EXPECT_EQ(fileUpAxis(c.path, scene, warning), c.expected) << c.name;
        EXPECT_EQ(!warning.empty(), c.warns) << c.name << ": " << warning;
    }
}

} // namespace
