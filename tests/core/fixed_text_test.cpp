#include <gtest/gtest.h>

#include <string>

#include "model/fixed_text.h"
#include "model/records.h"

TEST(FixedText, CutsToFitAndComparesIgnoringCase)
{
    char name[NAME_SIZE];
    EXPECT_TRUE(copyFixedText(name, sizeof(name), "pCubeShape1"));
    EXPECT_STREQ(name, "pCubeShape1");
    std::string forty(40, 'n');
    EXPECT_FALSE(copyFixedText(name, sizeof(name), forty.c_str()));
    EXPECT_EQ(std::string(name), std::string(31, 'n'));

    EXPECT_TRUE(equalIgnoringCase("Blinn1", "bLINN1"));
    EXPECT_FALSE(equalIgnoringCase("blinn1", "blinn12"));
    EXPECT_FALSE(equalIgnoringCase("a[", "A{")) << "only letters fold";
    char path[] = "C:/Proj/Tex.PNG";
    toLowerAscii(path);
    EXPECT_STREQ(path, "c:/proj/tex.png");
}
