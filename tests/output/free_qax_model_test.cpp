#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "model/allocation.h"
#include "output/free_qax_model.h"
#include "qax_test_models.h"

using namespace qaxtest;

TEST(FreeQAXModel, ReleasesEveryArrayAndKeepsCounts)
{
    struct Case {
        const char* name;
        std::function<qaxModel()> build;
        int32_t arrays; // blocks the model holds
    } cases[] = {
        {"empty", [] { return makeModel({}, {}); }, 2},
        // materials: array + one textures array each; objects: array + 8 arrays each, 9 with colours
        {"materials and objects", [] { return makeModel({makeMaterial("a", {"t"}, 0), makeMaterial("b", {}, 1)},
                                                        {makeObject(3, 3, 1, true, 0), makeObject(4, 6, 1, false, 1)}); },
         1 + 2 + 1 + 9 + 8},
        {"sub-materials",
         [] {
             qaxMaterial inner = makeMaterial("inner", {"x", "y"}, 2);
             setSubMaterials(inner, {makeMaterial("deepest", {}, 3)});
             qaxMaterial outer = makeMaterial("outer", {}, 1);
             setSubMaterials(outer, {inner});
             return makeModel({outer}, {});
         },
         // materials, objects; outer: textures, subs; inner: textures, subs; deepest: textures
         2 + 2 + 2 + 1},
    };
    for (const Case& c : cases) {
        int32_t before = liveAllocations();
        qaxModel model = c.build();
        EXPECT_EQ(liveAllocations(), before + c.arrays) << c.name;
        qaxModel counts = model;
        freeQAXModel(model);
        EXPECT_EQ(liveAllocations(), before) << c.name;
        EXPECT_EQ(model.materials.materials, nullptr) << c.name;
        EXPECT_EQ(model.objects.objects, nullptr) << c.name;
        EXPECT_EQ(model.fileLength, counts.fileLength) << c.name;
        EXPECT_EQ(model.materials.numMaterials, counts.materials.numMaterials) << c.name;
        EXPECT_EQ(model.objects.numObjects, counts.objects.numObjects) << c.name;
        EXPECT_EQ(model.objects.length, counts.objects.length) << c.name;
        freeQAXModel(model); // a second call finds nothing to release
        EXPECT_EQ(liveAllocations(), before) << c.name;
    }
}

// Arrays that were never allocated (a zeroed model, or one the reader gave up on) are skipped.
TEST(FreeQAXModel, SkipsArraysThatAreNotSet)
{
    int32_t before = liveAllocations();
    qaxModel model;
    memset(&model, 0, sizeof(model));
    model.materials.numMaterials = 3;
    model.objects.numObjects = 2;
    model.objects.objects = allocateArray<qaxObject>("qaxModel->objects.objects", 2);
    model.objects.objects[1].normals.normals = allocateArray<float>("o->normals.normals", 6);
    freeQAXModel(model);
    EXPECT_EQ(liveAllocations(), before);
    EXPECT_EQ(model.objects.objects, nullptr);
}
