#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
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

// One material with an 8-character name and an empty texture name, one triangle, no vertex colours.
qaxModel workedExample()
{
    return makeModel({makeMaterial("material", {""}, 0)}, {makeObject(3, 3, 1, false, 0)});
}

std::set<std::string> directoryEntries(const std::string& directory)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory))
        names.insert(entry.path().filename().string());
    return names;
}

mode_t currentUmask()
{
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

std::vector<unsigned char> referenceBytes(const qaxModel& model)
{
    ByteLayout layout;
    serializeReference(model, layout);
    return layout.bytes;
}

} // namespace

// The format's worked example: every chunk in its place with the lengths the format gives, and the
// values in between as the test's own serialisation spells them.
TEST(Writer, WorkedSizeExample)
{
    LogCapture capture;
    TempDir dir;
    qaxModel model = workedExample();
    ByteLayout expected;
    serializeReference(model, expected);
    const std::vector<std::pair<std::string, int32_t>> chunks = {
        {"QAX1", 444}, {"MATS", 210}, {"MAT0", 198}, {"MHDR", 20}, {"MCOL", 68}, {"MCFL", 4},  {"MUVW", 28},
        {"MTRA", 8},   {"MTEX", 6},   {"MSUB", 4},   {"MEND", -1}, {"GEOB", 214}, {"GOB1", 202}, {"GHDR", 12},
        {"INDI", 10},  {"VERT", 40},  {"TVER", 28},  {"NORM", 40}, {"BRST", 20}, {"GEND", -1}, {"EQAX", -1}};
    std::vector<std::pair<std::string, int32_t>> found;
    for (size_t i = 0; i < expected.fields.size(); ++i) {
        const Field& field = expected.fields[i];
        if (field.kind != FIELD_TAG)
            continue;
        int32_t length = -1; // end tags have none
        if (i + 1 < expected.fields.size() && expected.fields[i + 1].kind == FIELD_LENGTH)
            memcpy(&length, &expected.bytes[expected.fields[i + 1].offset], 4);
        found.push_back({std::string(reinterpret_cast<const char*>(&expected.bytes[field.offset]), 4), length});
    }
    EXPECT_EQ(found, chunks);

    std::string path = dir.file("example.qax");
    ASSERT_TRUE(writeOutQAXFile(path.c_str(), model));
    std::vector<unsigned char> written = testsupport::readBytes(path);
    ASSERT_EQ(written.size(), 452u);
    for (size_t i = 0; i < written.size(); ++i)
        ASSERT_EQ(written[i], expected.bytes[i]) << "byte " << i;
    EXPECT_EQ(capture.lines(), (std::vector<std::string>{"Writing out qax file...\n", "Successful...\n"}));
    freeQAXModel(model);
}

// Every shape of model goes out byte for byte as the test's own serialisation spells it; lengths and
// counts go out as stored, even when they do not describe the contents.
TEST(Writer, MatchesTheFormatForEveryShapeOfModel)
{
    LogCapture capture;
    TempDir dir;
    struct Case {
        const char* name;
        int materials;
        int objects;
        bool colours;
        bool subMaterials;
        bool wrongLengths;
    } cases[] = {
        {"empty", 0, 0, false, false, false},
        {"one of each", 1, 1, false, false, false},
        {"colours", 1, 1, true, false, false},
        {"two materials, no objects", 2, 0, false, false, false},
        {"several of each", 3, 4, true, true, false},
        {"objects without materials", 0, 2, false, false, false},
        {"stored lengths that do not fit", 1, 2, false, false, true},
    };
    int32_t before = liveAllocations();
    for (const Case& c : cases) {
        std::vector<qaxMaterial> materials;
        for (int i = 0; i < c.materials; ++i) {
            qaxMaterial material = makeMaterial("mat" + std::to_string(i), {"tex/" + std::to_string(i) + ".png", ""}, i);
            if (c.subMaterials && i == 1)
                setSubMaterials(material, {makeMaterial("inner", {}, 7), makeMaterial("", {"x"}, 8)});
            materials.push_back(material);
        }
        std::vector<qaxObject> objects;
        for (int i = 0; i < c.objects; ++i)
            objects.push_back(makeObject(3 * i, 3 * i + 1, i % 2 + 1, c.colours && i % 2 == 0, i));
        qaxModel model = makeModel(materials, objects);
        if (c.wrongLengths) {
            model.fileLength = 12345;
            model.materials.length = -7;
            model.objects.objects[1].vertices.length = 99;
            model.objects.objects[1].header.reserved0 = 42;
            model.objects.objects[1].vertexColors.numVertexColors = 3; // not present: never written
        }

        std::string path = dir.file(std::string(c.name) + ".qax");
        ASSERT_TRUE(writeOutQAXFile(path.c_str(), model)) << c.name;
        std::vector<unsigned char> written = testsupport::readBytes(path);
        EXPECT_EQ(written, referenceBytes(model)) << c.name;
        if (!c.wrongLengths) {
            EXPECT_EQ(written.size(), size_t(model.fileLength) + 8) << c.name;
        }
        freeQAXModel(model);
    }
    EXPECT_EQ(liveAllocations(), before);
}

// A target that cannot be opened, or a count without its array, fails with an error line and leaves
// nothing behind.
TEST(Writer, FailureLeavesNothingBehind)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("taken.qax"));
    const std::string cannotOpen = "writeOutQAXFile: Could not open file '";
    struct Case {
        const char* name;
        std::string path;
        bool withoutNormals;
        std::string expected; // the start of the second line
    } cases[] = {
        {"a directory at the target", dir.file("taken.qax"), false, cannotOpen + dir.file("taken.qax") + "' for writing\n"},
        {"a directory that does not exist", dir.file("missing/out.qax"), false,
         cannotOpen + dir.file("missing/out.qax") + "' for writing\n"},
        {"an empty path", "", false, cannotOpen + "' for writing\n"},
        {"normals counted but missing", dir.file("broken.qax"), true, "Error: "},
    };
    qaxModel model = workedExample();
    float* normals = model.objects.objects[0].normals.normals;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogCapture capture;
        std::set<std::string> before = directoryEntries(dir.path());
        model.objects.objects[0].normals.normals = c.withoutNormals ? nullptr : normals;
        EXPECT_FALSE(writeOutQAXFile(c.path.c_str(), model));
        std::vector<std::string> lines = capture.lines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "Writing out qax file...\n");
        EXPECT_EQ(lines[1].rfind(c.expected, 0), 0u) << lines[1];
        EXPECT_EQ(directoryEntries(dir.path()), before);
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("taken.qax")));
    }
    model.objects.objects[0].normals.normals = normals;
    freeQAXModel(model);
}

// The file is written beside the target and put in its place only when complete: a new file gets the
// usual permissions, an existing one keeps its own, a link goes on naming the file it names, and a write
// that cannot be completed (the file-size limit stands in for a full disk) fails with an error line and
// leaves whatever was at the target as it was. No temporary file is left either way.
TEST(Writer, ReplacesTheTargetOnlyWithAWholeFile)
{
    TempDir dir;
    qaxModel model = makeModel({makeMaterial("big", {"texture.png"}, 1)}, {makeObject(400, 1200, 1, true, 2)});
    ASSERT_GT(model.fileLength, 16000);
    const std::vector<unsigned char> expected = referenceBytes(model);
    const std::string oldContents = "previous export";
    const std::string target = dir.file("target.qax"), linked = dir.file("linked.qax");
    struct Case {
        const char* name;
        mode_t existing; // permissions of the file there before; 0: none
        bool link;       // the target is a link to that file
        rlim_t limit;    // on the file size
    } cases[] = {
        {"a new file", 0, false, RLIM_INFINITY},
        {"an existing file", 0640, false, RLIM_INFINITY},
        {"a link to an existing file", 0600, true, RLIM_INFINITY},
        {"limit below one buffer, existing file", 0644, false, 1024},
        {"limit of one buffer, existing file", 0644, false, 4096},
        {"limit past a few buffers, existing file", 0644, false, 12000},
        {"limit below one buffer, no file", 0, false, 1024},
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

        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {c.limit, c.limit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(3);
            _exit(writeOutQAXFile(target.c_str(), model) ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        const bool fits = c.limit == RLIM_INFINITY;
        EXPECT_EQ(WEXITSTATUS(status), fits ? 1 : 0);

        std::vector<std::string> lines = capture.lines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0], "Writing out qax file...\n");
        if (fits) {
            EXPECT_EQ(lines[1], "Successful...\n");
            EXPECT_EQ(testsupport::readBytes(file), expected);
            struct stat info;
            ASSERT_EQ(stat(file.c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & 07777, c.existing ? c.existing : 0666 & ~currentUmask());
            EXPECT_EQ(std::filesystem::is_symlink(target), c.link);
            entries.insert("target.qax");
        } else {
            EXPECT_EQ(lines[1].rfind("Error: ", 0), 0u) << lines[1];
            EXPECT_NE(lines[1].find(target), std::string::npos) << lines[1];
            if (c.existing) {
                EXPECT_EQ(testsupport::readFile(file), oldContents);
            }
        }
        EXPECT_EQ(directoryEntries(dir.path()), entries);
    }
    freeQAXModel(model);
}
