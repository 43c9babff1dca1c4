// Every real scene of the development corpus (../shared/scenes beside the source tree, when present)
// loads without error, with what each scene holds counted by hand from its text.

#include "scene_readers/maya_ascii/maya_ascii_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

using namespace mayaascii;

TEST(MayaAsciiCorpus, EverySceneLoads)
{
    const std::string corpus = testsupport::sourceDirectory() + "/../shared/scenes";
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "no scene corpus at " << corpus;
    struct Case {
        const char* file;
        int transforms, meshes, historyOnly, curves, cameras, lights, shaders, fileTextures, shadingGroups;
    };
    // Transforms and cameras count what the file adds to the four default cameras of a new scene.
    const Case cases[] = {
        {"gt-tools/tests/test_utils/data/curves_nurbs_bezier.ma", 5, 0, 0, 6, 0, 0, 0, 0, 0},
        {"maya-usd/plugin/al/samples/colours/faceColours.ma", 8, 6, 0, 0, 0, 0, 0, 0, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportCameraTest/UsdExportCameraTest.ma", 21, 8, 0, 0, 7, 0, 0, 0, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportColorSetsTest/UsdExportColorSetsTest.ma", 9, 6, 0, 0, 0, 0, 6, 0, 6},
        {"maya-usd/test/lib/usd/translators/UsdExportDisplacementTest/SimpleDisplacement.ma", 20, 20, 0, 0, 0, 0, 20, 40, 20},
        {"maya-usd/test/lib/usd/translators/UsdExportLightTest/UsdExportLightTest.ma", 4, 0, 0, 0, 0, 3, 0, 0, 0},
        {"maya-usd/test/lib/usd/translators/UsdExportMeshTest/UsdExportMeshTest.ma", 7, 6, 0, 0, 0, 0, 1, 0, 2},
        {"maya-usd/test/lib/usd/translators/UsdExportNurbsCurveTest/UsdExportNurbsCurveTest.ma", 1, 0, 0, 1, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const LoadReport report = loadMayaAsciiFile(corpus + "/" + c.file);
        ASSERT_TRUE(report.ok) << c.file << ": " << report.message;
        EXPECT_EQ(report.transforms, c.transforms) << c.file;
        EXPECT_EQ(report.meshes, c.meshes) << c.file;
        EXPECT_EQ(int(report.historyOnlyShapes.size()), c.historyOnly) << c.file;
        EXPECT_EQ(report.nurbsCurves, c.curves) << c.file;
        EXPECT_EQ(report.cameras, c.cameras) << c.file;
        EXPECT_EQ(report.lights, c.lights) << c.file;
        EXPECT_EQ(report.shaders, c.shaders) << c.file;
        EXPECT_EQ(report.fileTextures, c.fileTextures) << c.file;
        EXPECT_EQ(report.shadingGroups, c.shadingGroups) << c.file;
    }
}
