// Damaged and hostile files: empty, truncated, counts of two thousand million, lengths past the end. Each
// is refused with a message that says where and what, quickly and without allocating for what the
// file only announces.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <headless/scene.h>

#include "model/allocation.h"
#include "output/free_qax_model.h"
#include "output/reader.h"
#include "scene_readers/maya_ascii/maya_ascii_reader.h"
#include "torture_support.h"

namespace torture {
namespace {

const char* const header = "//Maya ASCII 2018 scene\nrequires maya \"2018\";\n"
                           "createNode transform -n \"box\";\n"
                           "createNode mesh -n \"boxShape\" -p \"box\";\n"; // lines 1 to 4

const char* const triangleLines = "\tsetAttr -s 3 \".vt[0:2]\" 0 0 0  1 0 0  0 1 0;\n"
                                  "\tsetAttr -s 3 \".ed[0:2]\" 0 1 0  1 2 0  2 0 0;\n"
                                  "\tsetAttr -s 1 -ch 3 \".fc[0]\" -type \"polyFaces\" f 3 0 1 2;\n";

TEST_F(TortureTest, DamagedSceneFilesAreRefusedWithTheirLine)
{
    struct Case {
        const char* what;
        std::string text;
        int line; // 0: the file loads
    };
    const std::string h = header;
    const std::string whole = h + triangleLines;
    const Case cases[] = {
        {"an empty file", "", 0},
        {"a file cut inside a statement", whole.substr(0, whole.size() - 20), 7},
        {"a file cut inside a string", h + "createNode mesh -n \"cut", 5},
        {"2,000,000,000 vertices announced, three given", h + "setAttr -s 2000000000 \".vt[0:1999999999]\" 0 0 0;\n", 5},
        {"2,000,000,000 vertices announced alone", h + "setAttr -s 2000000000 \".vt\";\n" + triangleLines, 0},
        {"one vertex at index 1,999,999,999", h + "setAttr \".vt[1999999999]\" 0 0 0;\n" + triangleLines, 5},
        {"one tweak at index 1,999,999,999", h + triangleLines + "setAttr \".pt[1999999999]\" -type \"float3\" 1 1 1;\n", 8},
        {"a face of 2,000,000,000 edges", h + "setAttr \".fc[0]\" -type \"polyFaces\" f 2000000000 0 1 2;\n", 5},
        {"2,000,000,000 UVs announced", h + "setAttr -s 2000000000 \".uvst[0].uvsp[0:1999999999]\" -type \"float2\" 0 0;\n", 5},
        {"a normal at index 1,999,999,999", h + triangleLines + "setAttr \".n[1999999999]\" -type \"float3\" 0 1 0;\n", 8},
        {"faces 0 to 1,999,999,999 in a shading group",
         h + triangleLines + "setAttr \".iog[0].og[0].gcl\" -type \"componentList\" 1 \"f[0:1999999999]\";\n" +
             "createNode shadingEngine -n \"sg\";\nconnectAttr \"boxShape.iog.og[0]\" \"sg.dsm\" -na;\n",
         8},
        {"a curve of 2,000,000,000 points",
         h + "createNode nurbsCurve -n \"c\" -p \"box\";\nsetAttr \".cc\" -type \"nurbsCurve\" 1 1 0 no 3 2 0 1 "
             "2000000000 0 0 0 1 1 1;\n",
         6},
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
        const int32_t allocationsBefore = liveAllocations();
        mayaascii::LoadReport report = mayaascii::loadMayaAsciiText(c.text, "damaged.ma");
        EXPECT_EQ(liveAllocations(), allocationsBefore);
        if (c.line == 0) {
            EXPECT_TRUE(report.ok) << report.message;
            continue;
        }
        ASSERT_FALSE(report.ok);
        const std::string where = "damaged.ma:" + std::to_string(c.line) + ": expected ";
        EXPECT_EQ(report.message.compare(0, where.size(), where), 0) << report.message;
    }
}

size_t offsetOf(const std::vector<unsigned char>& bytes, const char* tag)
{
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (memcmp(bytes.data() + i, tag, 4) == 0)
            return i;
    ADD_FAILURE() << "no " << tag << " chunk";
    return 0;
}

// Overwrites the little-endian field of width bytes (2 or 4) at offset.
void putField(std::vector<unsigned char>& bytes, size_t offset, int width, int32_t value)
{
    if (width == 2) {
        uint16_t narrow = uint16_t(value);
        memcpy(bytes.data() + offset, &narrow, 2);
    } else {
        memcpy(bytes.data() + offset, &value, 4);
    }
}

TEST_F(TortureTest, DamagedQaxFilesAreRefusedWithTheirOffset)
{
    headless::newScene();
    ASSERT_FALSE(addTriangleMesh("tri").isNull());
    ExportResult result = exportScene("good.qax");
    ASSERT_EQ(result.status, MStatus::kSuccess) << result.log;
    const std::vector<unsigned char> good = testsupport::readBytes(dir.file("good.qax"));
    ASSERT_GT(good.size(), 100u);
    const size_t mats = offsetOf(good, "MATS");
    const size_t geob = offsetOf(good, "GEOB");
    const size_t indi = offsetOf(good, "INDI");
    const size_t vert = offsetOf(good, "VERT");
    const size_t mhdr = offsetOf(good, "MHDR");

    struct Case {
        const char* what;
        size_t keep;          // bytes kept from the start (the whole file: good.size())
        bool fileLengthFits;  // the file length is set to what was kept
        size_t field;         // offset of a field to overwrite (0: none)
        int width;            // its size in bytes
        int32_t value;
        const char* expected; // a part of the message
    };
    const size_t all = good.size();
    const Case cases[] = {
        {"an empty file", 0, false, 0, 4, 0, "offset 0, chunk QAX1: expected tag 'QAX1'"},
        {"a file cut after its magic", 4, false, 0, 4, 0, "offset 4, chunk QAX1: expected the file length"},
        {"a file cut in its material list", mats + 20, false, 0, 4, 0, "offset 4, chunk QAX1: expected file length"},
        {"a file cut in its material list, its length fixed", mats + 20, true, 0, 4, 0,
         "offset 12, chunk MATS: length"},
        {"a file cut before its end tag, its length fixed", all - 4, true, 0, 4, 0, "chunk EQAX: expected tag 'EQAX'"},
        {"a file length past the end", all, false, 4, 4, 2000000000, "offset 4, chunk QAX1: expected file length"},
        {"a material list length past the end", all, false, mats + 4, 4, 2000000000, "runs past the end of the file"},
        {"2,000,000,000 materials", all, false, mats + 8, 4, 2000000000, "cannot fit"},
        {"an object list length past the end", all, false, geob + 4, 4, 0x7FFFFFFF, "runs past the end of the file"},
        {"2,000,000,000 objects", all, false, geob + 8, 4, 2000000000, "cannot fit"},
        {"2,000,000,000 indices", all, false, indi + 8, 4, 2000000000, "expected length 4 + 2 x 2000000000"},
        {"2,000,000,000 vertices", all, false, vert + 8, 4, 2000000000, "expected length 4 + 12 x 2000000000"},
        {"a negative vertex count", all, false, vert + 8, 4, -1, "at least 0"},
        {"a name of 65,535 characters", all, false, mhdr + 8, 2, 0xFFFF, "string length of at most 64"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<unsigned char> bytes(good.begin(), good.begin() + c.keep);
        if (c.fileLengthFits)
            putField(bytes, 4, 4, int32_t(c.keep) - 8);
        if (c.field != 0)
            putField(bytes, c.field, c.width, c.value);
        const std::string path = dir.file("damaged.qax");
        testsupport::writeFile(path, std::string(bytes.begin(), bytes.end()));
        const int32_t allocationsBefore = liveAllocations();
        qaxModel model;
        char error[1024];
        ASSERT_FALSE(readQAXFile(path.c_str(), model, error, sizeof(error)));
        EXPECT_EQ(liveAllocations(), allocationsBefore);
        EXPECT_NE(std::string(error).find(c.expected), std::string::npos) << error;
        EXPECT_NE(std::string(error).find("damaged.qax"), std::string::npos) << error;
    }
}

TEST_F(TortureTest, EveryCutOfAnExportedFileIsRefused)
{
    headless::newScene();
    ASSERT_FALSE(addTriangleMesh("tri").isNull());
    ASSERT_EQ(exportScene("good.qax").status, MStatus::kSuccess);
    const std::vector<unsigned char> good = testsupport::readBytes(dir.file("good.qax"));
    for (size_t keep = 0; keep < good.size(); ++keep) {
        qaxModel model;
        char error[1024];
        ASSERT_FALSE(parseQAX(good.data(), keep, model, error, sizeof(error))) << keep << " bytes";
        EXPECT_EQ(strncmp(error, "offset ", 7), 0) << error;
    }
}

} // namespace
} // namespace torture
