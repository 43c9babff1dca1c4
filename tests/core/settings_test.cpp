#include <gtest/gtest.h>

#include <string>

#include "plugin/settings.h"

TEST(Settings, ToForwardSlashes)
{
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"C:\\Work\\Proj\\", "C:/Work/Proj/"}, {"a/b/c", "a/b/c"}, {"", ""}, {"\\\\x", "//x"}};
    for (const Case& c : cases) {
        char text[SETTINGS_PATH_SIZE];
        snprintf(text, sizeof(text), "%s", c.in);
        toForwardSlashes(text);
        EXPECT_STREQ(text, c.out) << c.in;
    }
}

