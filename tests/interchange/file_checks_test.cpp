// What is settled around the library's reading of a file: the counts a PLY header announces, a COLLADA document's
// up axis, the memory cap, which files are interchange files, and the host names of the nodes it holds.
#include "scene_readers/interchange/announced_counts.h"
#include "scene_readers/interchange/file_up_axis.h"
#include "scene_readers/interchange/interchange_reader.h"
#include "scene_readers/interchange/library_import.h"
#include "scene_readers/interchange/node_names.h"

#include "support/test_support.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace interchange;

std::string plyHeader(const std::string& format, const std::string& vertices, const std::string& faces)
{
    return "ply\nformat " + format + " 1.0\nelement vertex " + vertices +
           "\nproperty float x\nproperty float y\nproperty float z\nelement face " + faces +
           "\nproperty list uchar int vertex_indices\nend_header\n";
}

TEST(AnnouncedCounts, HeadersAgainstTheirBodies)
{
    const std::string asciiBody = "0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n";
    std::string binaryBody(3 * 12 + 1 + 12, '\0');
    struct Case {
        const char* name;
        std::string contents;
        bool ok;
        const char* messagePart;
    };
    const Case cases[] = {
        {"ascii, consistent", plyHeader("ascii", "3", "1") + asciiBody, true, ""},
        {"binary, consistent", plyHeader("binary_little_endian", "3", "1") + binaryBody, true, ""},
        {"ascii, absurd vertex count", plyHeader("ascii", "2000000000", "1") + asciiBody, false,
         "announces 2000000000 vertex elements"},
        {"binary, two vertices too many", plyHeader("binary_little_endian", "5", "1") + binaryBody, false,
         "announces 5 vertex elements"},
        // Four vertices take 48 of the 49 bytes; the face needs at least its count byte, which is left.
        {"binary, exactly full", plyHeader("binary_little_endian", "4", "1") + binaryBody, true, ""},
        {"binary, count past 64 bits", plyHeader("binary_big_endian", "99999999999999999999999", "1"), false,
         "no valid count"},
        {"negative count", plyHeader("ascii", "-5", "1") + asciiBody, false, "no valid count"},
        {"count that is not a number", plyHeader("ascii", "many", "1") + asciiBody, false, "no valid count"},
        {"no end of header", "ply\nformat ascii 1.0\nelement vertex 3\n", false, "without end_header"},
        {"element without properties", "ply\nformat binary_little_endian 1.0\nelement junk 100\nend_header\n" +
                                           std::string(10, 'x'),
         false, "announces 100 junk elements"},
        {"not a PLY file", "v 0 0 0\nf 1 2 3\n", true, ""},
        {"empty", "", true, ""},
        {"PLY-like word only", "plywood\n", true, ""},
    };
    for (const Case& c : cases) {
        std::string problem;
        EXPECT_EQ(checkAnnouncedCountsInText(c.contents, problem), c.ok) << c.name << ": " << problem;
        if (!c.ok) {
            EXPECT_NE(problem.find(c.messagePart), std::string::npos) << c.name << ": " << problem;
        }
    }
}

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

TEST(LibraryImport, MemoryCapStopsAbsurdAnnouncedCounts)
{
    if (!memoryCapAvailable())
        GTEST_SKIP() << "the address-space cap is not applied under the sanitizers";
    // The library sizes its vertex list from the header: 300,000,000 vertices are 3.6 GB.
    testsupport::TempDir dir;
    testsupport::writeFile(dir.file("absurd.ply"),
                           "ply\nformat ascii 1.0\nelement vertex 300000000\nproperty float x\nproperty float y\n"
                           "property float z\nelement face 1\nproperty list uchar int vertex_indices\nend_header\n"
                           "0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n");
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    ImportedFile imported;
    std::string error;
    EXPECT_FALSE(importFile(dir.file("absurd.ply"), 256ull << 20, imported, error));
    EXPECT_EQ(error, "reading it needs more memory than the 256 MiB allowed");
    rlimit after{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &after), 0);
    EXPECT_EQ(after.rlim_cur, before.rlim_cur);
    EXPECT_EQ(after.rlim_max, before.rlim_max);
}

TEST(LibraryImport, BudgetsAndFileKinds)
{
    EXPECT_EQ(defaultMemoryBudget(0), 4ull << 30);
    EXPECT_EQ(defaultMemoryBudget(1ull << 30), 64ull << 30);
    EXPECT_EQ(defaultMemoryBudget(~0ull), ~0ull);
    // Which extensions the library reads is its own list; here how the extension is found, and that a Maya ASCII
    // scene is not an interchange file.
    struct Case {
        const char* path;
        bool read, interchange;
    };
    const Case cases[] = {
        {"a.obj", true, true},      {"dir.v2/B.OBJ", true, true}, {"scene.GLB", true, true},
        {"scene.ma", false, false}, {"scene.MA", false, false},    {"a.qax", false, false},
        {"noextension", false, false}, {"dir.obj/file", false, false}, {"trailing.", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(libraryReadsExtension(c.path), c.read) << c.path;
        EXPECT_EQ(isInterchangeFile(c.path), c.interchange) << c.path;
    }
}

TEST(NodeNames, FileNamesBecomeHostNames)
{
    struct Case {
        const char* fileName;
        const char* expected;
    };
    const Case cases[] = {
        {"pCube1", "pCube1"},
        {"Cube.001", "Cube_001"},
        {"left wheel", "left_wheel"},
        {"ns:part|child", "ns_part_child"},
        {"3dsRoot", "_3dsRoot"},
        {"", "fallback"},
        {"\xc3\xa9t\xc3\xa9", "__t__"}, // two-byte characters: one underscore per byte
        {"_under", "_under"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hostNodeName(c.fileName, "fallback"), c.expected) << c.fileName;
}

TEST(NodeNames, RegistryMakesRepeatedNamesUnique)
{
    struct Case {
        std::vector<std::string> reserved;
        std::vector<std::string> wanted;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{}, {"wheel", "wheel", "wheel"}, {"wheel", "wheel1", "wheel2"}},
        {{"persp", "lambert1"}, {"persp", "lambert1"}, {"persp1", "lambert11"}},
        // A number another node already holds is skipped.
        {{"wheel1"}, {"wheel", "wheel"}, {"wheel", "wheel2"}},
        {{}, {"a.b", "a_b", ""}, {"a_b", "a_b1", "node"}},
        {{}, {"", ""}, {"node", "node1"}},
    };
    for (const Case& c : cases) {
        NameRegistry names;
        for (const std::string& name : c.reserved)
            names.reserve(name);
        std::vector<std::string> got;
        for (const std::string& wanted : c.wanted)
            got.push_back(names.claim(wanted, "node"));
        EXPECT_EQ(got, c.expected);
        for (const std::string& name : got)
            EXPECT_TRUE(names.isTaken(name)) << name;
    }
}

} // namespace
