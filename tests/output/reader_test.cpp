#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <vector>

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

struct Parsed {
    bool ok;
    std::string error;
};

// Parses from a heap copy of exactly the file's size, so that any read past the end is caught by
// the address sanitiser.
Parsed parse(const std::vector<unsigned char>& bytes, qaxModel& model)
{
    std::vector<unsigned char> copy(bytes);
    copy.shrink_to_fit();
    char error[1024];
    bool ok = parseQAX(copy.data(), copy.size(), model, error, sizeof(error));
    return {ok, error};
}

std::vector<unsigned char> bytesOf(const qaxModel& model, std::vector<Field>* fields = nullptr)
{
    ByteLayout layout;
    serializeReference(model, layout);
    if (fields)
        *fields = layout.fields;
    return layout.bytes;
}

void putInt32(std::vector<unsigned char>& bytes, size_t offset, int32_t value)
{
    memcpy(&bytes[offset], &value, 4);
}

int32_t getInt32(const std::vector<unsigned char>& bytes, size_t offset)
{
    int32_t value;
    memcpy(&value, &bytes[offset], 4);
    return value;
}

const Field& firstField(const std::vector<Field>& fields, FieldKind kind, const char* chunk)
{
    for (const Field& field : fields)
        if (field.kind == kind && field.name == chunk)
            return field;
    throw std::runtime_error(std::string("no such field in ") + chunk);
}

std::set<const void*> registeredBlocks()
{
    std::set<const void*> blocks;
    for (const AllocationSlot& slot : allocationRegister.slots)
        blocks.insert(slot.pointer);
    return blocks;
}

qaxModel workedExampleShape()
{
    return makeModel({makeMaterial("material", {""}, 0)}, {makeObject(3, 3, 1, false, 0)});
}

// Every feature at once: sub-materials two deep, several and no texture names, a 64-character name,
// a NaN colour, objects with and without colours, an empty object, indices past the vertex count.
qaxModel richModel()
{
    qaxMaterial inner = makeMaterial("inner", {"a.png"}, 4);
    setSubMaterials(inner, {makeMaterial("innermost", {}, 5)});
    qaxMaterial outer = makeMaterial("outer", {"b.png", "", std::string(64, 't')}, 1);
    setSubMaterials(outer, {inner, makeMaterial("sibling", {"c"}, 6)});
    qaxMaterial nan = makeMaterial(std::string(64, 'n'), {}, 2);
    nan.colors.diffuse[1] = std::numeric_limits<float>::quiet_NaN();
    qaxObject wild = makeObject(4, 6, 2, false, 3);
    wild.indices.indices[5] = 65535;
    qaxModel model = makeModel({makeMaterial("plain", {""}, 0), outer, nan},
                               {makeObject(5, 9, 1, true, 1), wild, makeObject(0, 0, 0, true, 2), makeObject(2, 3, 3, false, 4)});
    return model;
}

bool zeroed(const qaxModel& model)
{
    qaxModel empty;
    memset(&empty, 0, sizeof(empty));
    return memcmp(&model, &empty, sizeof(model)) == 0;
}

} // namespace

// Two files read back as the models they were made from, every array registered under the conversion's
// labels. Then every length, count, string length and tag of them, changed one at a time, is refused with
// a message; a wrong length or tag is reported at its own offset. Nothing stays allocated.
TEST(Reader, ReadsBackAndRejectsEveryCorruptedField)
{
    LogCapture capture;
    int32_t before = liveAllocations();
    for (auto build : {workedExampleShape, richModel}) {
        qaxModel source = build();
        std::vector<Field> fields;
        std::vector<unsigned char> good = bytesOf(source, &fields);
        std::set<const void*> blocks = registeredBlocks();
        qaxModel model;
        ASSERT_TRUE(parse(good, model).ok);
        char difference[512];
        EXPECT_TRUE(compareQAXModels(source, model, difference, sizeof(difference))) << difference;
        for (const AllocationSlot& slot : allocationRegister.slots) {
            std::string label(slot.label, strnlen(slot.label, ALLOCATION_LABEL_SIZE));
            if (slot.pointer && !blocks.count(slot.pointer)) {
                EXPECT_TRUE(label.rfind("qaxModel->", 0) == 0 || label.rfind("m->", 0) == 0 || label.rfind("o->", 0) == 0)
                    << label;
            }
        }
        freeQAXModel(model);
        freeQAXModel(source);

        for (const Field& field : fields) {
            if (field.kind == FIELD_VALUE)
                continue;
            std::vector<std::vector<unsigned char>> variants;
            if (field.kind == FIELD_TAG) {
                variants.push_back(good);
                memcpy(&variants.back()[field.offset], "XXXX", 4);
            } else if (field.kind == FIELD_STRING_LENGTH) {
                uint16_t length;
                memcpy(&length, &good[field.offset], 2);
                for (int delta : {-1, 1}) {
                    variants.push_back(good);
                    uint16_t changed = uint16_t(length + delta);
                    memcpy(&variants.back()[field.offset], &changed, 2);
                }
            } else {
                for (int delta : {-1, 1}) {
                    variants.push_back(good);
                    putInt32(variants.back(), field.offset, getInt32(good, field.offset) + delta);
                }
            }
            for (const std::vector<unsigned char>& bad : variants) {
                Parsed result = parse(bad, model);
                std::string where = field.name + " field at " + std::to_string(field.offset);
                EXPECT_FALSE(result.ok) << where;
                EXPECT_TRUE(zeroed(model)) << where;
                EXPECT_EQ(liveAllocations(), before) << where;
                ASSERT_EQ(result.error.rfind("offset ", 0), 0u) << where << ": " << result.error;
                EXPECT_NE(result.error.find(", chunk "), std::string::npos) << result.error;
                if (field.kind == FIELD_LENGTH || field.kind == FIELD_TAG) {
                    EXPECT_EQ(result.error.rfind("offset " + std::to_string(field.offset) + ", ", 0), 0u)
                        << where << ": " << result.error;
                }
                if (field.kind == FIELD_TAG) {
                    EXPECT_NE(result.error.find("expected tag"), std::string::npos) << result.error;
                }
            }
        }
    }
}

// Every cut of an exported file is refused by the torture tests; here the end of a file with every kind of chunk.
TEST(Reader, RejectsFilesEndingEarlyOrLate)
{
    qaxModel source = richModel();
    std::vector<unsigned char> good = bytesOf(source);
    freeQAXModel(source);
    int32_t before = liveAllocations();
    qaxModel model;
    struct Case {
        const char* name;
        size_t removed;
        std::string added;
        bool fixFileLength;
        std::string expected;
    } cases[] = {
        {"missing end tag", 4, "", true, "expected tag 'EQAX' (4 bytes), but only 0 bytes are left"},
        {"one trailing byte", 0, "x", true, "expected the end of the file, found 1 more bytes"},
        {"trailing tag", 0, "EQAX", true, "expected the end of the file, found 4 more bytes"},
        {"trailing bytes, length not grown", 0, "xyz", false, "offset 4, chunk QAX1: expected file length"},
        {"end tag replaced", 4, "EQA!", true, "expected tag 'EQAX', found 'EQA!'"},
    };
    for (const Case& c : cases) {
        std::vector<unsigned char> bad(good.begin(), good.end() - c.removed);
        bad.insert(bad.end(), c.added.begin(), c.added.end());
        if (c.fixFileLength)
            putInt32(bad, 4, int32_t(bad.size() - 8));
        Parsed result = parse(bad, model);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_NE(result.error.find(c.expected), std::string::npos) << c.name << ": " << result.error;
        EXPECT_EQ(liveAllocations(), before) << c.name;
    }
}

// Values that would make a careless reader allocate or read without bound, or accept an
// inconsistent object (the torture tests try huge counts of materials, objects and vertices).
TEST(Reader, RejectsHostileValues)
{
    const int32_t huge = std::numeric_limits<int32_t>::max();
    struct Case {
        const char* name;
        std::function<void(qaxModel&)> changeModel;
        FieldKind kind;
        const char* chunk;
        int32_t value;
        bool added; // value is added to the field rather than put in its place
        const char* expected;
    } cases[] = {
        {"huge texture count", nullptr, FIELD_COUNT, "MTEX", huge, false, "entry count 2147483647 cannot fit"},
        {"negative burst count", nullptr, FIELD_COUNT, "BRST", -3, false, "expected an entry count of at least 0, found -3"},
        {"negative material length", nullptr, FIELD_LENGTH, "MAT0", -200, false, "expected a chunk length of at least 0"},
        {"huge material length", nullptr, FIELD_LENGTH, "MAT0", huge, false, "runs past the end"},
        {"texture coordinates short of the vertices",
         [](qaxModel& m) { m.objects.objects[0].UVs.numUVs -= 1; }, FIELD_VALUE, "", 0, false,
         "chunk GEOB > GOB1[0] > TVER: expected count 5 (the VERT count), found 4"},
        {"normals short of the vertices", [](qaxModel& m) { m.objects.objects[3].normals.numNormals = 1; }, FIELD_VALUE, "", 0,
         false, "chunk GEOB > GOB1[3] > NORM: expected count 2 (the VERT count), found 1"},
        {"colours short of the vertices",
         [](qaxModel& m) { m.objects.objects[0].vertexColors.numVertexColors = 0; }, FIELD_VALUE, "", 0, false,
         "chunk GEOB > GOB1[0] > VCOL: expected count 5 (the VERT count), found 0"},
        {"name longer than 64", nullptr, FIELD_STRING_LENGTH, "MHDR", 65, false,
         "chunk MATS > MAT0[0] > MHDR: expected a string length of at most 64, found 65"},
        {"material list one byte short", nullptr, FIELD_LENGTH, "MATS", -1, true, "of the enclosing MATS ends at offset"},
        {"object one byte short", nullptr, FIELD_LENGTH, "GOB1", -1, true, "(the size of its contents), found"},
    };
    qaxModel model;
    for (const Case& c : cases) {
        qaxModel source = richModel();
        if (c.changeModel) {
            c.changeModel(source);
            computeLengths(source);
        }
        std::vector<Field> fields;
        std::vector<unsigned char> bad = bytesOf(source, &fields);
        freeQAXModel(source);
        int32_t before = liveAllocations();
        if (c.kind == FIELD_STRING_LENGTH) {
            uint16_t length = uint16_t(c.value);
            memcpy(&bad[firstField(fields, c.kind, c.chunk).offset], &length, 2);
        } else if (c.kind != FIELD_VALUE) {
            size_t offset = firstField(fields, c.kind, c.chunk).offset;
            putInt32(bad, offset, c.added ? getInt32(bad, offset) + c.value : c.value);
        }
        Parsed result = parse(bad, model);
        EXPECT_FALSE(result.ok) << c.name;
        EXPECT_NE(result.error.find(c.expected), std::string::npos) << c.name << ": " << result.error;
        EXPECT_EQ(liveAllocations(), before) << c.name;
    }
}

// Damage anywhere either leaves a file that still parses (a changed value) or is refused with a
// message; it never crashes, reads outside the input or leaks (the sanitiser build checks the first two).
TEST(Reader, SurvivesRandomDamage)
{
    qaxModel source = richModel();
    std::vector<unsigned char> good = bytesOf(source);
    freeQAXModel(source);
    int32_t before = liveAllocations();
    std::mt19937 random(20240611);
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        std::vector<unsigned char> bad = good;
        int damaged = 1 + int(random() % 4);
        for (int i = 0; i < damaged; ++i)
            bad[random() % bad.size()] = uint8_t(random());
        if (round % 5 == 0)
            bad.resize(random() % bad.size());
        qaxModel model;
        Parsed result = parse(bad, model);
        if (result.ok) {
            freeQAXModel(model);
        } else {
            ++refused;
            EXPECT_EQ(result.error.rfind("offset ", 0), 0u) << result.error;
            EXPECT_TRUE(zeroed(model));
        }
        ASSERT_EQ(liveAllocations(), before) << "round " << round;
    }
    EXPECT_GT(refused, 0);
}

TEST(Reader, LimitsSubMaterialNesting)
{
    struct Case {
        int depth;
        bool accepted;
    } cases[] = {{1, true}, {QAX_MAX_MATERIAL_DEPTH, true}, {QAX_MAX_MATERIAL_DEPTH + 1, false}};
    for (const Case& c : cases) {
        qaxMaterial material = makeMaterial("level", {}, 0);
        for (int level = 0; level < c.depth; ++level) {
            qaxMaterial outer = makeMaterial("level", {}, level);
            setSubMaterials(outer, {material});
            material = outer;
        }
        qaxModel source = makeModel({material}, {});
        std::vector<unsigned char> bytes = bytesOf(source);
        qaxModel model;
        Parsed result = parse(bytes, model);
        EXPECT_EQ(result.ok, c.accepted) << c.depth << " levels: " << result.error;
        if (c.accepted) {
            char difference[512];
            EXPECT_TRUE(compareQAXModels(source, model, difference, sizeof(difference))) << difference;
        } else {
            EXPECT_NE(result.error.find("sub-materials nest deeper than"), std::string::npos) << result.error;
        }
        freeQAXModel(model);
        freeQAXModel(source);
    }
}

TEST(Reader, ReportsFilesItCannotRead)
{
    TempDir dir;
    std::string corrupt = dir.file("corrupt.qax");
    testsupport::writeFile(corrupt, std::string("QAX1\x04\0\0\0junk", 12));
    struct Case {
        std::string path;
        std::string expected;
    } cases[] = {
        {dir.file("missing.qax"), "Could not open '" + dir.file("missing.qax") + "' for reading: "},
        {dir.path(), "Could not read '" + dir.path() + "': "},
        {corrupt, "'" + corrupt + "': offset 8, chunk MATS: expected tag 'MATS', found 'junk'"},
    };
    for (const Case& c : cases) {
        qaxModel model;
        char error[1024];
        EXPECT_FALSE(readQAXFile(c.path.c_str(), model, error, sizeof(error))) << c.path;
        EXPECT_EQ(std::string(error).rfind(c.expected, 0), 0u) << error;
        EXPECT_TRUE(zeroed(model));
    }
}

TEST(Reader, ValidatesIndicesAgainstTheVertexCount)
{
    struct Case {
        const char* name;
        std::function<void(qaxModel&)> change;
        const char* expected; // null: valid
    } cases[] = {
        {"all below the count", [](qaxModel&) {}, nullptr},
        {"last vertex", [](qaxModel& m) { m.objects.objects[1].indices.indices[2] = 3; }, nullptr},
        {"one past the last vertex", [](qaxModel& m) { m.objects.objects[1].indices.indices[2] = 4; },
         "object 1, index 2 of 6: value 4 is not below the vertex count 4"},
        {"largest index", [](qaxModel& m) { m.objects.objects[0].indices.indices[0] = 65535; },
         "object 0, index 0 of 9: value 65535 is not below the vertex count 5"},
    };
    for (const Case& c : cases) {
        qaxModel model = makeModel({}, {makeObject(5, 9, 1, false, 1), makeObject(4, 6, 1, false, 2), makeObject(0, 0, 0, false, 0)});
        c.change(model);
        char error[256] = "untouched";
        bool valid = validateQAXIndices(model, error, sizeof(error));
        EXPECT_EQ(valid, c.expected == nullptr) << c.name;
        EXPECT_STREQ(error, c.expected ? c.expected : "") << c.name;
        freeQAXModel(model);
    }
}
