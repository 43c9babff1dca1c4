#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "model/allocation.h"
#include "output/free_qax_model.h"
#include "output/writer.h"
#include "qax_test_models.h"
#include "support/test_support.h"

using namespace qaxtest;
using testsupport::LogCapture;
using testsupport::TempDir;

namespace {

std::set<std::string> directoryEntries(const std::string& directory)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

// Two files byte for byte as the format lays them out, checked in under tests/output/ (written once by the
// writer and checked then against a serialisation of the format the test spelled out field by field, little
// endian throughout): worked_example.qax is the format's worked example, 452 bytes (QAX1 444 > MATS 210 > MAT0
// 198 > MHDR 20, MCOL 68, MCFL 4, MUVW 28, MTRA 8, MTEX 6, MSUB 4, MEND; GEOB 214 > GOB1 202 > GHDR 12,
// INDI 10, VERT 40, TVER 28, NORM 40, BRST 20, GEND; EQAX); several_of_each.qax holds three materials (one
// with two sub-materials, one of them unnamed) and four objects of 0 to 9 vertices, two with colours. Lengths
// and counts go out as stored, even when they do not describe the contents.
TEST(Writer, MatchesTheFormatsByteLayout)
{
    auto severalOfEach = [] {
        std::vector<qaxMaterial> materials;
        for (int i = 0; i < 3; ++i) {
            qaxMaterial material = makeMaterial("mat" + std::to_string(i), {"tex/" + std::to_string(i) + ".png", ""}, i);
            if (i == 1)
                setSubMaterials(material, {makeMaterial("inner", {}, 7), makeMaterial("", {"x"}, 8)});
            materials.push_back(material);
        }
        std::vector<qaxObject> objects;
        for (int i = 0; i < 4; ++i)
            objects.push_back(makeObject(3 * i, 3 * i + 1, i % 2 + 1, i % 2 == 0, i));
        return makeModel(materials, objects);
    };
    struct Case {
        const char* golden;
        bool wrongLengths;
    } cases[] = {{"worked_example.qax", false}, {"several_of_each.qax", false}, {"several_of_each.qax", true}};
    int32_t before = liveAllocations();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.golden) + (c.wrongLengths ? ", wrong lengths" : ""));
        qaxModel model = c.wrongLengths || std::string(c.golden) != "worked_example.qax" ? severalOfEach() : workedExample();
        std::vector<unsigned char> expected =
            testsupport::readBytes(testsupport::sourceDirectory() + "/tests/output/" + c.golden);
        ASSERT_EQ(expected.size(), size_t(model.fileLength) + 8);
        if (c.wrongLengths) {
            model.fileLength = 12345;
            model.materials.length = -7;
            model.objects.objects[1].vertexColors.numVertexColors = 3; // not present: never written
            const int32_t stored[2] = {12345, -7};
            memcpy(&expected[4], &stored[0], 4); // QAX1's length
            memcpy(&expected[12], &stored[1], 4); // MATS's length
        }
        EXPECT_EQ(writtenBytes(model), expected);
        freeQAXModel(model);
    }
    EXPECT_EQ(liveAllocations(), before);
}

// The file is written beside the target and put in its place only when complete: a new file gets the usual
// permissions, an existing one keeps its own, a link goes on naming the file it names. A target that cannot be
// opened (the export tests try a directory there), a count without its array, or a write that cannot be
// completed (the file-size limit stands in for a full disk) fails with an error line naming the target and
// leaves whatever was there as it was. No temporary file is left either way.
TEST(Writer, ReplacesTheTargetOnlyWithAWholeFile)
{
    TempDir dir;
    qaxModel model = makeModel({makeMaterial("big", {"texture.png"}, 1)}, {makeObject(400, 1200, 1, true, 2)});
    ASSERT_GT(model.fileLength, 16000);
    const std::vector<unsigned char> expected = writtenBytes(model); // an unhindered write, as above
    float* const normals = model.objects.objects[0].normals.normals;
    const mode_t umaskNow = umask(0); // read by setting it, then put back
    umask(umaskNow);
    const std::string oldContents = "previous export";
    const std::string target = dir.file("target.qax"), linked = dir.file("linked.qax");
    const std::string cannotOpen = "writeOutQAXFile: Could not open file '";
    struct Case {
        const char* name;
        std::string path;
        mode_t existing;     // permissions of the file at the target before; 0: none
        bool link;           // the target is a link to that file
        rlim_t limit;        // on the file size
        bool withoutNormals; // the first object counts normals but has none
        std::string error;   // the start of the error line; empty: written
    } cases[] = {
        {"a new file", target, 0, false, RLIM_INFINITY, false, ""},
        {"an existing file", target, 0640, false, RLIM_INFINITY, false, ""},
        {"a link to an existing file", target, 0600, true, RLIM_INFINITY, false, ""},
        {"limit below one buffer, existing file", target, 0644, false, 1024, false, "Error: "},
        {"limit of one buffer, existing file", target, 0644, false, 4096, false, "Error: "},
        {"limit past a few buffers, existing file", target, 0644, false, 12000, false, "Error: "},
        {"limit below one buffer, no file", target, 0, false, 1024, false, "Error: "},
        {"normals counted but missing, existing file", target, 0644, false, RLIM_INFINITY, true, "Error: "},
        {"a directory that does not exist", dir.file("missing/out.qax"), 0, false, RLIM_INFINITY, false,
         cannotOpen + dir.file("missing/out.qax") + "' for writing\n"},
        {"an empty path", "", 0, false, RLIM_INFINITY, false, cannotOpen + "' for writing\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture capture;
        std::filesystem::remove(target);
        std::filesystem::remove(linked);
        const std::string& file = c.link ? linked : target;
        if (c.existing) {
            testsupport::writeFile(file, oldContents);
            ASSERT_EQ(chmod(file.c_str(), c.existing), 0);
        }
        if (c.link)
            std::filesystem::create_symlink(linked, target);
        std::set<std::string> entries = directoryEntries(dir.path());
        model.objects.objects[0].normals.normals = c.withoutNormals ? nullptr : normals;

        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {c.limit, c.limit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(3);
            _exit(writeOutQAXFile(c.path.c_str(), model) ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.error.empty() ? 1 : 0);

        std::vector<std::string> lines = capture.lines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "Writing out qax file...\n");
        if (c.error.empty()) {
            EXPECT_EQ(lines[1], "Successful...\n");
            EXPECT_EQ(testsupport::readBytes(file), expected);
            struct stat info;
            ASSERT_EQ(stat(file.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, c.existing ? c.existing : 0666 & ~umaskNow);
            EXPECT_EQ(std::filesystem::is_symlink(target), c.link);
            entries.insert("target.qax");
        } else {
            EXPECT_EQ(lines[1].rfind(c.error, 0), 0u) << lines[1];
            EXPECT_NE(lines[1].find(c.path), std::string::npos) << lines[1];
            if (c.existing) {
                EXPECT_EQ(testsupport::readFile(file), oldContents);
            }
        }
        EXPECT_EQ(directoryEntries(dir.path()), entries);
    }
    model.objects.objects[0].normals.normals = normals;
    freeQAXModel(model);
}
