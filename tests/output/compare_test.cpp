#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/allocation.h"
#include "output/compare.h"
#include "output/free_qax_model.h"
#include "qax_test_models.h"

using namespace qaxtest;

// Two copies of the rich model are equal but share no array; floats are compared by their bits, so a NaN
// equals the other copy's.
TEST(CompareQAXModels, ReportsTheFirstDifference)
{
    struct Case {
        const char* name;
        std::function<void(qaxModel&)> change;
        const char* expected; // null: still equal
    } cases[] = {
        {"unchanged", [](qaxModel&) {}, nullptr},
        {"file length", [](qaxModel& m) { m.fileLength += 1; }, "model fileLength: "},
        {"material count", [](qaxModel& m) { m.materials.numMaterials = 1; }, "model numMaterials: 1 vs 3"},
        {"name text", [](qaxModel& m) { m.materials.materials[0].header.name.text[4] = 'X'; },
         "material 0 name: 'plaiX' vs 'plain'"},
        {"text past the string's length", [](qaxModel& m) { m.materials.materials[0].header.name.text[40] = 'X'; }, nullptr},
        {"texture name", [](qaxModel& m) { m.materials.materials[1].textures.textures[1].length = 4; },
         "material 1 texture 1 length: 4 vs 0"},
        {"sub-material colour", [](qaxModel& m) { m.materials.materials[1].subMaterials.subMaterials[0].colors.specular[2] = 9; },
         "material 1 > sub-material 0 specular[2]: 9 (0x41100000) vs"},
        {"negative zero", [](qaxModel& m) { m.materials.materials[0].uvw.values[0] = -0.0f; },
         "material 0 uvw[0]: -0 (0x80000000) vs 0 (0x00000000)"},
        {"index", [](qaxModel& m) { m.objects.objects[1].indices.indices[2] = 7; }, "object 1 indices[2]: 7 vs"},
        {"vertex colour", [](qaxModel& m) { m.objects.objects[0].vertexColors.vertexColors[5] = 2; },
         "object 0 vertexColors[5]: 2"},
        {"colours never written", [](qaxModel& m) { m.objects.objects[1].vertexColors.numVertexColors = 12; }, nullptr},
        {"colours dropped", [](qaxModel& m) { m.objects.objects[0].vertexColors.present = 0; }, "object 0 VCOL: absent vs present"},
        {"burst", [](qaxModel& m) { m.objects.objects[1].bursts.burstVperP[1] = 4; }, "object 1 burstVperP[1]: 4 vs 3"},
        {"missing array", [](qaxModel& m) { releaseArray(m.objects.objects[1].normals.normals); },
         "object 1 normals: array missing on the first side"},
    };
    for (const Case& c : cases) {
        qaxModel changed = richModel();
        qaxModel original = richModel();
        c.change(changed);
        char difference[512] = "untouched";
        bool equal = compareQAXModels(changed, original, difference, sizeof(difference));
        EXPECT_EQ(equal, c.expected == nullptr) << c.name << ": " << difference;
        if (c.expected) {
            EXPECT_EQ(std::string(difference).rfind(c.expected, 0), 0u) << c.name << ": " << difference;
        } else {
            EXPECT_STREQ(difference, "") << c.name;
        }
        freeQAXModel(changed);
        freeQAXModel(original);
    }
}
