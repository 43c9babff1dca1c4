// Damaged and hostile files: empty, truncated, counts of two thousand million, lengths past the end. Each
// is refused with a message that says where and what, quickly and without allocating for what the
// file only announces.

#include "plugin/export_fixture.h"
#include "scene_readers/maya_ascii/maya_ascii_reader.h"

namespace {

using namespace plugintest;
using TortureTest = ExportTest;

const char* const header = "//Maya ASCII 2018 scene\nrequires maya \"2018\";\n"
                           "createNode transform -n \"box\";\n"
                           "createNode mesh -n \"boxShape\" -p \"box\";\n"; // lines 1 to 4

const char* const triangleLines = "\tsetAttr -s 3 \".vt[0:2]\" 0 0 0  1 0 0  0 1 0;\n"
                                  "\tsetAttr -s 3 \".ed[0:2]\" 0 1 0  1 2 0  2 0 0;\n"
                                  "\tsetAttr -s 1 -ch 3 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;\n";

// (A face or a curve announcing more than its value holds: the reader's tests, with the whole message.)
TEST_F(TortureTest, DamagedSceneFilesAreRefusedWithTheirLine)
{
    struct Case {
        const char* what;
        std::string text;
        int line; // 0: the file loads
    };
    const std::string h = header;
    const Case cases[] = {
        {"an empty file", "", 0},
        {"2,000,000,000 vertices announced, three given", h + "setAttr -s 2000000000 \".vt[0:1999999999]\" 0 0 0;\n", 5},
        {"2,000,000,000 vertices announced alone", h + "setAttr -s 2000000000 \".vt\";\n" + triangleLines, 0},
        {"one vertex at index 1,999,999,999", h + "setAttr \".vt[1999999999]\" 0 0 0;\n" + triangleLines, 5},
        {"one tweak at index 1,999,999,999", h + triangleLines + "setAttr \".pt[1999999999]\" -type \"float3\" 1 1 1;\n", 8},
        {"2,000,000,000 UVs announced", h + "setAttr -s 2000000000 \".uvst[0].uvsp[0:1999999999]\" -type \"float2\" 0 0;\n", 5},
        {"a normal at index 1,999,999,999", h + triangleLines + "setAttr \".n[1999999999]\" -type \"float3\" 0 1 0;\n", 8},
        {"faces 0 to 1,999,999,999 in a shading group",
         h + triangleLines + "setAttr \".iog[0].og[0].gcl\" -type \"componentList\" 1 \"f[0:1999999999]\";\n" +
             "createNode shadingEngine -n \"sg\";\nconnectAttr \"boxShape.iog.og[0]\" \"sg.dsm\" -na;\n",
         8},
        {"a lattice of 2000 x 2000 x 2000 points",
         h + "createNode lattice -n \"l\" -p \"box\";\nsetAttr \".cc\" -type \"lattice\" 2000 2000 2000 8000000000 0 0 0;\n",
         6},
        {"a string array of 2,000,000,000 strings",
         h + "setAttr \".x\" -type \"stringArray\" 2000000000 \"a\";\n", 5},
        {"a UV set at element 20,000,000,000",
         h + triangleLines + "setAttr \".uvst[20000000000].uvsn\" -type \"string\" \"map1\";\n", 8},
        {"a UV set at the last element index",
         h + triangleLines + "setAttr \".uvst[2147483647].uvsn\" -type \"string\" \"map1\";\n", 0},
        {"a plug at element 20,000,000,000",
         h + triangleLines + "createNode shadingEngine -n \"sg\";\nconnectAttr \"box.iog[20000000000]\" \"sg.dsm\";\n",
         9},
        {"a plug at element -1", h + triangleLines + "connectAttr \"box.iog[-1]\" \"boxShape.i\";\n", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mayaascii::LoadReport report = mayaascii::loadMayaAsciiText(c.text, "damaged.ma");
        if (c.line == 0) {
            EXPECT_TRUE(report.ok) << report.message;
            continue;
        }
        ASSERT_FALSE(report.ok);
        const std::string where = "damaged.ma:" + std::to_string(c.line) + ": expected ";
        EXPECT_EQ(report.message.compare(0, where.size(), where), 0) << report.message;
    }
}

// Damaged fields of a .qax file (counts of two thousand million, lengths past the end, negative counts, long
// names, a wrong file length) are refused field by field by the output reader's tests; here every cut of a real
// export.
TEST_F(TortureTest, EveryCutOfAnExportedFileIsRefused)
{
    headless::newScene();
    ASSERT_FALSE(addTriangleMesh("tri").isNull());
    ASSERT_EQ(runExport("good.qax").status, MStatus::kSuccess);
    const std::vector<unsigned char> good = testsupport::readBytes(dir.file("good.qax"));
    for (size_t keep = 0; keep < good.size(); ++keep) {
        qaxModel model;
        char error[1024];
        ASSERT_FALSE(parseQAX(good.data(), keep, model, error, sizeof(error))) << keep << " bytes";
        EXPECT_EQ(strncmp(error, "offset ", 7), 0) << error;
    }
}

} // namespace
