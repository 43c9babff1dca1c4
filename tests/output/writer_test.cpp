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

const float ambient[4] = {0.1f, 0.2f, 0.3f, 1.0f};
const float diffuse[4] = {0.5f, 0.25f, 0.125f, 1.0f};
const float specular[4] = {0.75f, 0.75f, 0.75f, 1.0f};
const float incandescence[4] = {0.0f, 0.0f, 0.0f, 1.0f};
const float triangle[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
const float triangleUVs[6] = {0, 0, 1, 0, 0, 1};
const float triangleNormals[9] = {0, 0, 1, 0, 0, 1, 0, 0, 1};

// One material with an 8-character name and an empty texture name, one triangle, no vertex colours.
qaxModel workedExample()
{
    qaxMaterial material = makeMaterial("material", {""}, 0);
    memcpy(material.colors.ambient, ambient, sizeof(ambient));
    memcpy(material.colors.diffuse, diffuse, sizeof(diffuse));
    memcpy(material.colors.specular, specular, sizeof(specular));
    memcpy(material.colors.incandescence, incandescence, sizeof(incandescence));
    material.colors.eccentricityScaled = 38.4f;
    material.flags.reflective = 1;
    material.translucence.coeff = 0.5f;
    material.translucence.enabled = 1;

    qaxObject object = makeObject(3, 3, 1, false, 0);
    memcpy(object.vertices.vertices, triangle, sizeof(triangle));
    memcpy(object.UVs.UVs, triangleUVs, sizeof(triangleUVs));
    memcpy(object.normals.normals, triangleNormals, sizeof(triangleNormals));
    object.bursts.burstCount[0] = 9; // three per vertex, not the number of indices
    object.bursts.burstMaterialID[0] = 0;
    return makeModel({material}, {object});
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

TEST(Writer, WorkedSizeExample)
{
    LogCapture capture;
    TempDir dir;
    qaxModel model = workedExample();
    ByteLayout expected;
    expected.tag("QAX1");
    expected.length("QAX1", 444);
    expected.tag("MATS");
    expected.length("MATS", 210);
    expected.count("MATS", 1);
    expected.tag("MAT0");
    expected.length("MAT0", 198);
    expected.tag("MHDR");
    expected.length("MHDR", 20);
    expected.string("MHDR", "material");
    expected.string("MHDR", "Standard");
    expected.tag("MCOL");
    expected.length("MCOL", 68);
    for (const float* colour : {ambient, diffuse, specular, incandescence})
        for (int i = 0; i < 4; ++i)
            expected.value(colour[i]);
    expected.value(38.4f);
    expected.tag("MCFL");
    expected.length("MCFL", 4);
    expected.value(1);
    expected.tag("MUVW");
    expected.length("MUVW", 28);
    for (float value : {0.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f})
        expected.value(value);
    expected.tag("MTRA");
    expected.length("MTRA", 8);
    expected.value(0.5f);
    expected.value(1);
    expected.tag("MTEX");
    expected.length("MTEX", 6);
    expected.count("MTEX", 1);
    expected.string("MTEX", "");
    expected.tag("MSUB");
    expected.length("MSUB", 4);
    expected.count("MSUB", 0);
    expected.tag("MEND");
    expected.tag("GEOB");
    expected.length("GEOB", 214);
    expected.count("GEOB", 1);
    expected.tag("GOB1");
    expected.length("GOB1", 202);
    expected.tag("GHDR");
    expected.length("GHDR", 12);
    for (int32_t value : {0, 0, 0})
        expected.value(value);
    expected.tag("INDI");
    expected.length("INDI", 10);
    expected.count("INDI", 3);
    for (uint16_t index : {0, 1, 2})
        expected.index(index);
    expected.tag("VERT");
    expected.length("VERT", 40);
    expected.count("VERT", 3);
    for (float value : triangle)
        expected.value(value);
    expected.tag("TVER");
    expected.length("TVER", 28);
    expected.count("TVER", 3);
    for (float value : triangleUVs)
        expected.value(value);
    expected.tag("NORM");
    expected.length("NORM", 40);
    expected.count("NORM", 3);
    for (float value : triangleNormals)
        expected.value(value);
    expected.tag("BRST");
    expected.length("BRST", 20);
    expected.count("BRST", 1);
    for (int32_t value : {0, 9, 0, 3})
        expected.value(value);
    expected.tag("GEND");
    expected.tag("EQAX");
    ASSERT_EQ(expected.bytes.size(), 452u);

    std::string path = dir.file("example.qax");
    ASSERT_TRUE(writeOutQAXFile(path.c_str(), model));
    std::vector<unsigned char> written = testsupport::readBytes(path);
    ASSERT_EQ(written.size(), 452u);
    for (size_t i = 0; i < written.size(); ++i)
        ASSERT_EQ(written[i], expected.bytes[i]) << "byte " << i;
    EXPECT_EQ(capture.lines(), (std::vector<std::string>{"Writing out qax file...\n", "Successful...\n"}));
    freeQAXModel(model);
}

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
    } cases[] = {
        {"empty", 0, 0, false, false},          {"one of each", 1, 1, false, false},
        {"colours", 1, 1, true, false},         {"two materials, no objects", 2, 0, false, false},
        {"several of each", 3, 4, true, true},  {"objects without materials", 0, 2, false, false},
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

        std::string path = dir.file(std::string(c.name) + ".qax");
        ASSERT_TRUE(writeOutQAXFile(path.c_str(), model)) << c.name;
        std::vector<unsigned char> written = testsupport::readBytes(path);
        EXPECT_EQ(written, referenceBytes(model)) << c.name;
        EXPECT_EQ(written.size(), size_t(model.fileLength) + 8) << c.name;
        freeQAXModel(model);
    }
    EXPECT_EQ(liveAllocations(), before);
}

// Lengths and counts go out as stored, even when they do not describe the contents.
TEST(Writer, WritesStoredValuesWithoutCheckingThem)
{
    LogCapture capture;
    TempDir dir;
    qaxModel model = workedExample();
    model.fileLength = 12345;
    model.materials.length = -7;
    model.objects.objects[0].vertices.length = 99;
    model.objects.objects[0].header.reserved0 = 42;
    model.objects.objects[0].vertexColors.numVertexColors = 3; // not present: never written
    std::string path = dir.file("stored.qax");
    ASSERT_TRUE(writeOutQAXFile(path.c_str(), model));
    EXPECT_EQ(testsupport::readBytes(path), referenceBytes(model));
    freeQAXModel(model);
}

TEST(Writer, OpenFailureLeavesNothingBehind)
{
    TempDir dir;
    std::filesystem::create_directory(dir.file("taken.qax"));
    struct Case {
        const char* name;
        std::string path;
    } cases[] = {
        {"a directory at the target", dir.file("taken.qax")},
        {"a directory that does not exist", dir.file("missing/out.qax")},
        {"an empty path", ""},
    };
    qaxModel model = workedExample();
    for (const Case& c : cases) {
        LogCapture capture;
        std::set<std::string> before = directoryEntries(dir.path());
        EXPECT_FALSE(writeOutQAXFile(c.path.c_str(), model)) << c.name;
        EXPECT_EQ(capture.lines(), (std::vector<std::string>{"Writing out qax file...\n", "writeOutQAXFile: Could not open file '" +
                                                                                                c.path + "' for writing\n"}))
            << c.name;
        EXPECT_EQ(directoryEntries(dir.path()), before) << c.name;
        EXPECT_TRUE(std::filesystem::is_empty(dir.file("taken.qax"))) << c.name;
    }
    freeQAXModel(model);
}

TEST(Writer, ReplacesAnExistingFileKeepingItsPermissions)
{
    LogCapture capture;
    TempDir dir;
    qaxModel model = workedExample();
    std::vector<unsigned char> expected = referenceBytes(model);

    std::string fresh = dir.file("fresh.qax");
    ASSERT_TRUE(writeOutQAXFile(fresh.c_str(), model));
    struct stat info;
    ASSERT_EQ(stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666 & ~currentUmask()) << "a new file gets the usual permissions";

    std::string existing = dir.file("existing.qax");
    testsupport::writeFile(existing, "old contents that are longer than nothing");
    ASSERT_EQ(chmod(existing.c_str(), 0640), 0);
    ASSERT_TRUE(writeOutQAXFile(existing.c_str(), model));
    EXPECT_EQ(testsupport::readBytes(existing), expected);
    ASSERT_EQ(stat(existing.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    // Through a symbolic link the file it names is replaced, as opening it for writing would have.
    std::string link = dir.file("link.qax");
    std::string linked = dir.file("linked.qax");
    testsupport::writeFile(linked, "old");
    std::filesystem::create_symlink(linked, link);
    ASSERT_TRUE(writeOutQAXFile(link.c_str(), model));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testsupport::readBytes(linked), expected);

    EXPECT_EQ(directoryEntries(dir.path()), (std::set<std::string>{"fresh.qax", "existing.qax", "link.qax", "linked.qax"}))
        << "no temporary file is left";
    freeQAXModel(model);
}

// A write that cannot be completed (the file-size limit stands in for a full disk) fails with an
// error line and leaves whatever was at the target as it was.
TEST(Writer, FailedWriteLeavesTheTargetUntouched)
{
    TempDir dir;
    qaxModel model = makeModel({makeMaterial("big", {"texture.png"}, 1)}, {makeObject(400, 1200, 1, true, 2)});
    ASSERT_GT(model.fileLength, 16000);
    const std::string oldContents = "previous export";
    struct Case {
        const char* name;
        rlim_t limit;
        bool existing;
    } cases[] = {
        {"limit below one buffer, existing file", 1024, true},
        {"limit of one buffer, existing file", 4096, true},
        {"limit past a few buffers, existing file", 12000, true},
        {"limit below one buffer, no file", 1024, false},
    };
    for (const Case& c : cases) {
        LogCapture capture;
        std::string path = dir.file("target.qax");
        std::remove(path.c_str());
        if (c.existing)
            testsupport::writeFile(path, oldContents);

        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {c.limit, c.limit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(3);
            _exit(writeOutQAXFile(path.c_str(), model) ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << c.name;
        EXPECT_EQ(WEXITSTATUS(status), 0) << c.name << ": the writer must report failure";

        if (c.existing) {
            EXPECT_EQ(testsupport::readFile(path), oldContents) << c.name;
        }
        EXPECT_EQ(directoryEntries(dir.path()),
                  c.existing ? std::set<std::string>{"target.qax"} : std::set<std::string>{})
            << c.name << ": no partial or temporary file";
        std::vector<std::string> lines = capture.lines();
        ASSERT_EQ(lines.size(), 2u) << c.name;
        EXPECT_EQ(lines[0], "Writing out qax file...\n");
        EXPECT_EQ(lines[1].rfind("Error: ", 0), 0u) << lines[1];
        EXPECT_NE(lines[1].find(path), std::string::npos) << lines[1];
    }
    freeQAXModel(model);
}

TEST(Writer, RefusesACountWithoutItsArray)
{
    LogCapture capture;
    TempDir dir;
    qaxModel model = workedExample();
    qaxObject& object = model.objects.objects[0];
    float* normals = object.normals.normals;
    object.normals.normals = nullptr;
    std::string path = dir.file("broken.qax");
    EXPECT_FALSE(writeOutQAXFile(path.c_str(), model));
    EXPECT_FALSE(testsupport::fileExists(path));
    std::vector<std::string> lines = capture.lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("Error: ", 0), 0u) << lines[1];
    object.normals.normals = normals;
    freeQAXModel(model);
}
