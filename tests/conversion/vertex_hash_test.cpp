#include "output/vertex_hash.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "model/allocation.h"

// The table treats two floats as one key exactly when they compare equal.
TEST(VertexHash, KeysFollowFloatEquality)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        float a;
        float b;
    } cases[] = {
        {"equal values", 1.5f, 1.5f},
        {"zero and negative zero", 0.0f, -0.0f},
        {"one bit apart", 1.0f, std::nextafter(1.0f, 2.0f)},
        {"smallest subnormals", std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min()},
        {"negative zero and the smallest subnormal", -0.0f, std::numeric_limits<float>::denorm_min()},
        {"infinities", std::numeric_limits<float>::infinity(), std::numeric_limits<float>::infinity()},
        {"NaN and NaN", nan, nan},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool equal = c.a == c.b;
        EXPECT_EQ(exactFloatBits(c.a) == exactFloatBits(c.b) && !containsNaN(&c.a, 1), equal);
        if (equal) {
            EXPECT_EQ(hashFloats(&c.a, 1), hashFloats(&c.b, 1));
        }
        EXPECT_EQ(containsNaN(&c.a, 1), std::isnan(c.a));
    }
}

// Many ids over few keys: each key keeps the first id stored for it, and lookups find it.
TEST(VertexHash, KeepsTheFirstIdOfEveryKey)
{
    struct Case {
        int32_t ids;
        int32_t keys;
    } cases[] = {{0, 1}, {1, 1}, {100, 7}, {5000, 5000}, {20000, 3}, {70000, 60000}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ids);
        std::vector<float> values;
        for (int32_t id = 0; id < c.ids; ++id)
            values.push_back(float((id * 7919) % c.keys) * 0.5f);
        int32_t live = liveAllocations();
        ExactHashTable table;
        ASSERT_TRUE(createHashTable(table, "test->slots", uint32_t(c.ids)));
        EXPECT_EQ(table.mask & (table.mask + 1), 0u) << "power of two";
        EXPECT_GE(table.mask + 1, 2u * uint32_t(c.ids));
        std::vector<int32_t> firstOf(size_t(c.keys), -1);
        for (int32_t id = 0; id < c.ids; ++id) {
            int32_t key = (id * 7919) % c.keys;
            if (firstOf[key] < 0)
                firstOf[key] = id;
            int32_t found = findOrInsert(table, hashFloats(&values[id], 1), id,
                                         [&](int32_t stored) { return values[stored] == values[id]; });
            ASSERT_EQ(found, firstOf[key]) << "id " << id;
        }
        for (int32_t key = 0; key < c.keys; ++key) {
            float value = float(key) * 0.5f;
            int32_t found = findInTable(table, hashFloats(&value, 1),
                                        [&](int32_t stored) { return values[stored] == value; });
            EXPECT_EQ(found, firstOf[key]) << "key " << key;
        }
        float absent = -1.0f;
        EXPECT_EQ(findInTable(table, hashFloats(&absent, 1), [&](int32_t stored) { return values[stored] == absent; }),
                  -1);
        releaseHashTable(table);
        EXPECT_EQ(table.slots, nullptr);
        EXPECT_EQ(liveAllocations(), live);
    }
}
