#include "output/vertex_hash.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>


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
