#include "scene_readers/interchange/interchange_reader.h"
#include "scene_readers/interchange/library_import.h"

#include "support/test_support.h"

#include <assimp/scene.h>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <string>

namespace {

using interchange::defaultMemoryBudget;
using interchange::ImportedFile;
using interchange::importFile;
using interchange::libraryReadsExtension;
using interchange::memoryCapAvailable;

// Reading faces as the file has them (not triangulated) is checked by the reader's tests of large faces.

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
        EXPECT_EQ(interchange::isInterchangeFile(c.path), c.interchange) << c.path;
    }
}

} // namespace
