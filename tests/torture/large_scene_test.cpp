// Scenes far larger than any test scene: a DAG 100,000 levels deep and 100,000 nodes side by side, read from a
// Maya ASCII file. Each must export every mesh without overflowing the stack or taking quadratic time.

#include "output/free_qax_model.h"
#include "plugin/export_fixture.h"
#include "scene_readers/maya_ascii/maya_ascii_reader.h"

namespace {

using namespace plugintest;
using TortureTest = ExportTest;

enum { DEEP_LEVELS = 100000, WIDE_NODES = 100000 };

const char* const triangleShape = "\tsetAttr -s 3 \".vt[0:2]\" 0 0 0  1 0 0  0 1 0;\n"
                                  "\tsetAttr -s 3 \".ed[0:2]\" 0 1 0  1 2 0  2 0 0;\n"
                                  "\tsetAttr -s 1 -ch 3 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;\n";

std::string deepChainFile(int levels)
{
    std::string text = "//Maya ASCII 2018 scene\nrequires maya \"2018\";\n";
    text.reserve(size_t(levels) * 48);
    for (int level = 0; level < levels; ++level) {
        text += "createNode transform -n \"level" + std::to_string(level) + "\"";
        if (level > 0)
            text += " -p \"level" + std::to_string(level - 1) + "\"";
        text += ";\n";
    }
    text += "createNode transform -n \"leaf\" -p \"level" + std::to_string(levels - 1) + "\";\n";
    text += "createNode mesh -n \"leafShape\" -p \"leaf\";\n";
    return text + triangleShape + "connectAttr \"leafShape.iog\" \":initialShadingGroup.dsm\" -na;\n";
}

std::string wideSceneFile(int nodes)
{
    std::string text = "//Maya ASCII 2018 scene\nrequires maya \"2018\";\n";
    for (int i = 0; i < nodes / 2; ++i) {
        std::string name = "t" + std::to_string(i);
        text += "createNode transform -n \"" + name + "\";\ncreateNode mesh -n \"" + name + "Shape\" -p \"" + name +
                "\";\n" + triangleShape + "connectAttr \"" + name + "Shape.iog\" \":initialShadingGroup.dsm\" -na;\n";
    }
    return text;
}

// The reader builds the scene through the same scene-building API, so one file of each shape tests both.
TEST_F(TortureTest, DeepAndWideScenesExportEveryMesh)
{
    struct Case {
        const char* what;
        std::string (*file)(int);
        int size;
        int32_t objects;
    };
    const Case cases[] = {
        {"a DAG 100,000 levels deep", deepChainFile, DEEP_LEVELS, 1},
        {"100,000 nodes side by side", wideSceneFile, WIDE_NODES, WIDE_NODES / 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        headless::newScene();
        mayaascii::LoadReport report = mayaascii::loadMayaAsciiText(c.file(c.size), "large.ma");
        ASSERT_TRUE(report.ok) << report.message;
        ExportRun result = runExport();
        ASSERT_EQ(result.status, MStatus::kSuccess) << lastLine(result.log);
        EXPECT_EQ(lastLine(result.log), "Successful, all done!\n");
        qaxModel model;
        ASSERT_TRUE(readQax("out.qax", model));
        EXPECT_EQ(model.objects.numObjects, c.objects);
        freeQAXModel(model);
    }
}

} // namespace
