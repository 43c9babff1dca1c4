#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <sys/stat.h>

#include "model/allocation.h"
#include "output/compare.h"
#include "output/free_qax_model.h"
#include "output/reader.h"
#include "qax_test_models.h"
#include "support/test_support.h"

using namespace qaxtest;
using testsupport::LogCapture;
using testsupport::TempDir;

namespace {

// Parses from a heap copy of exactly the file's size, so that any read past the end is caught by
// the address sanitiser; the error is empty when the file is read.
std::string parseError(const std::vector<unsigned char>& bytes, qaxModel& model)
{
    std::vector<unsigned char> copy(bytes);
    copy.shrink_to_fit();
    char error[1024];
    return parseQAX(copy.data(), copy.size(), model, error, sizeof(error)) ? "" : error;
}

void putInt32(std::vector<unsigned char>& bytes, size_t offset, int32_t value)
{
    memcpy(&bytes[offset], &value, 4);
}

// Where the first chunk of the tag starts (no name or value in the test models spells a tag).
size_t tagOffset(const std::vector<unsigned char>& bytes, const char* tag)
{
    for (size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (memcmp(&bytes[i], tag, 4) == 0)
            return i;
    throw std::runtime_error(std::string("no chunk ") + tag);
}

// A material with sub-materials depth levels below it.
qaxMaterial nested(int depth)
{
    qaxMaterial material = makeMaterial("level", {}, 0);
    for (int level = 0; level < depth; ++level) {
        qaxMaterial outer = makeMaterial("level", {}, level);
        setSubMaterials(outer, {material});
        material = outer;
    }
    return material;
}

bool zeroed(const qaxModel& model)
{
    qaxModel empty;
    memset(&empty, 0, sizeof(empty));
    return memcmp(&model, &empty, sizeof(model)) == 0;
}

} // namespace

// Files the writer made (its bytes are pinned by the writer tests) read back as the models they were made from:
// also sub-materials as deep as they may nest, and indices past the vertex count, which only the validation
// refuses.
TEST(Reader, ReadsBackWhatTheWriterWroteAndValidatesTheIndices)
{
    auto empty = [] { return makeModel({}, {}); };
    auto deepest = [] { return makeModel({nested(QAX_MAX_MATERIAL_DEPTH)}, {}); };
    auto onePast = [] {
        qaxModel model = makeModel({}, {makeObject(0, 0, 0, false, 0), makeObject(4, 6, 1, false, 2)});
        model.objects.objects[1].indices.indices[2] = 4;
        return model;
    };
    const std::pair<qaxModel (*)(), const char*> cases[] = {
        {workedExample, ""}, // its indices reach the last vertex
        {richModel, "object 1, index 5 of 6: value 65535 is not below the vertex count 4"},
        {+empty, ""},
        {+deepest, ""},
        {+onePast, "object 1, index 2 of 6: value 4 is not below the vertex count 4"},
    };
    for (const auto& [build, invalid] : cases) {
        SCOPED_TRACE(invalid);
        qaxModel source = build();
        std::vector<unsigned char> bytes = writtenBytes(source);
        qaxModel model;
        ASSERT_EQ(parseError(bytes, model), "");
        char error[512] = "untouched";
        EXPECT_TRUE(compareQAXModels(source, model, error, sizeof(error))) << error;
        EXPECT_EQ(validateQAXIndices(model, error, sizeof(error)), *invalid == '\0');
        EXPECT_STREQ(error, invalid);
        freeQAXModel(model);
        freeQAXModel(source);
    }
}

// One row per check of the reader: a tag, length, count or string length of the rich model changed (at the
// field that many bytes past the start of the chunk's tag), the file's end cut or added to, or the model changed
// before it is written. Values that would make a careless reader allocate or read without bound are refused too
// (the torture tests try huge counts of materials, objects and vertices, and every cut of an exported file). A
// wrong length or tag is reported at its own offset, and the failed read leaves the model empty and nothing
// allocated.
TEST(Reader, RefusesEachKindOfDamage)
{
    const int32_t huge = std::numeric_limits<int32_t>::max();
    // INT32 writes value over the four bytes of the field (a tag's too), ADD_INT32 adds it to them; END cuts
    // value bytes off the end, puts chunk's text on and sets the file length to match; END_AS_IT_WAS leaves it.
    enum Kind { NONE, INT32, ADD_INT32, END, END_AS_IT_WAS };
    struct Case {
        const char* name;
        std::function<void(qaxModel&)> changeModel;
        Kind kind;
        const char* chunk;
        size_t field; // bytes past the chunk's tag: 0 the tag, 4 its length, 8 its count or first string length
        int32_t value;
        const char* expected;
    } cases[] = {
        {"tag", nullptr, INT32, "GHDR", 0, 0x58585858, "expected tag 'GHDR', found 'XXXX'"},
        {"fixed length", nullptr, ADD_INT32, "MCOL", 4, 1, "expected length 68, found 69"},
        {"array length", nullptr, ADD_INT32, "VERT", 4, -1, "expected length 4 + 12 x 5 = 64, found 63"},
        {"array count", nullptr, ADD_INT32, "INDI", 8, 1, "expected length 4 + 2 x 10 = 24, found 22"},
        {"huge texture count", nullptr, INT32, "MTEX", 8, huge, "entry count 2147483647 cannot fit"},
        {"negative burst count", nullptr, INT32, "BRST", 8, -3, "expected an entry count of at least 0, found -3"},
        {"negative material length", nullptr, INT32, "MAT0", 4, -200, "expected a chunk length of at least 0"},
        {"huge material length", nullptr, INT32, "MAT0", 4, huge, "runs past the end"},
        {"texture coordinates short", [](qaxModel& m) { m.objects.objects[0].UVs.numUVs -= 1; }, NONE, "", 0, 0,
         "chunk GEOB > GOB1[0] > TVER: expected count 5 (the VERT count), found 4"},
        {"normals short", [](qaxModel& m) { m.objects.objects[3].normals.numNormals = 1; }, NONE, "", 0, 0,
         "chunk GEOB > GOB1[3] > NORM: expected count 2 (the VERT count), found 1"},
        {"colours short", [](qaxModel& m) { m.objects.objects[0].vertexColors.numVertexColors = 0; }, NONE, "", 0, 0,
         "chunk GEOB > GOB1[0] > VCOL: expected count 5 (the VERT count), found 0"},
        {"name longer than 64", nullptr, INT32, "MHDR", 8, 65,
         "chunk MATS > MAT0[0] > MHDR: expected a string length of at most 64, found 65"},
        {"material list one byte short", nullptr, ADD_INT32, "MATS", 4, -1, "of the enclosing MATS ends at offset"},
        {"object one byte short", nullptr, ADD_INT32, "GOB1", 4, -1, "(the size of its contents), found"},
        {"sub-materials one level too deep",
         [](qaxModel& m) { setSubMaterials(m.materials.materials[0], {nested(QAX_MAX_MATERIAL_DEPTH)}); }, NONE, "", 0,
         0, "sub-materials nest deeper than"},
        {"missing end tag", nullptr, END, "", 0, 4, "expected tag 'EQAX' (4 bytes), but only 0 bytes are left"},
        {"end tag replaced", nullptr, END, "EQA!", 0, 4, "expected tag 'EQAX', found 'EQA!'"},
        {"one trailing byte", nullptr, END, "x", 0, 0, "expected the end of the file, found 1 more bytes"},
        {"trailing tag", nullptr, END, "EQAX", 0, 0, "expected the end of the file, found 4 more bytes"},
        {"trailing bytes, length not grown", nullptr, END_AS_IT_WAS, "xyz", 0, 0,
         "offset 4, chunk QAX1: expected file length"},
    };
    qaxModel model;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        qaxModel source = richModel();
        if (c.changeModel) {
            c.changeModel(source);
            computeLengths(source);
        }
        std::vector<unsigned char> bad = writtenBytes(source);
        freeQAXModel(source);
        int32_t before = liveAllocations();
        size_t offset = c.kind == NONE || c.kind >= END ? 0 : tagOffset(bad, c.chunk) + c.field;
        if (c.kind >= END) {
            bad.resize(bad.size() - size_t(c.value));
            bad.insert(bad.end(), c.chunk, c.chunk + strlen(c.chunk));
            if (c.kind == END)
                putInt32(bad, 4, int32_t(bad.size() - 8));
        } else if (c.kind != NONE) {
            int32_t field;
            memcpy(&field, &bad[offset], 4);
            putInt32(bad, offset, c.kind == ADD_INT32 ? field + c.value : c.value);
        }
        const std::string error = parseError(bad, model);
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
        ASSERT_EQ(error.rfind("offset ", 0), 0u) << error;
        if (offset != 0 && (c.field == 0 || c.field == 4)) {
            EXPECT_EQ(error.rfind("offset " + std::to_string(offset) + ", ", 0), 0u) << error;
        }
        EXPECT_TRUE(zeroed(model));
        EXPECT_EQ(liveAllocations(), before);
    }
}

// A pipe is read to its end (the export tests read back regular files, which are mapped) and gives the model
// written. A file that is missing, a directory or damaged is reported with its path.
TEST(Reader, ReadsPipesAndReportsFilesItCannotRead)
{
    TempDir dir;
    qaxModel source = richModel();
    const std::vector<unsigned char> bytes = writtenBytes(source);
    const std::string pipe = dir.file("pipe.qax"), corrupt = dir.file("corrupt.qax");
    testsupport::writeFile(corrupt, std::string("QAX1\x04\0\0\0junk", 12));
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&] { testsupport::writeFile(pipe, std::string(bytes.begin(), bytes.end())); });
    const std::pair<std::string, std::string> cases[] = {
        {pipe, ""},
        {dir.file("missing.qax"), "Could not open '" + dir.file("missing.qax") + "' for reading: "},
        {dir.path(), "Could not read '" + dir.path() + "': "},
        {corrupt, "'" + corrupt + "': offset 8, chunk MATS: expected tag 'MATS', found 'junk'"},
    };
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path);
        qaxModel model;
        char error[1024] = "";
        // No ASSERT: the pipe must be opened, or its writer never finishes.
        const bool read = readQAXFile(path.c_str(), model, error, sizeof(error));
        EXPECT_EQ(read, expected.empty()) << error;
        if (read) {
            EXPECT_TRUE(compareQAXModels(source, model, error, sizeof(error))) << error;
        } else {
            EXPECT_EQ(std::string(error).rfind(expected, 0), 0u) << error;
            EXPECT_TRUE(zeroed(model));
        }
        freeQAXModel(model);
    }
    writer.join();
    freeQAXModel(source);
}
