#include "scene_readers/maya_ascii/lexer.h"
#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace mayaascii;

TEST(Values, ParsesNumbersIntegersAndBooleans)
{
    struct Case {
        const char* text;
        bool isNumber;
        double number;
        bool isInteger;
        bool isBoolean;
        bool boolean;
    };
    const Case cases[] = {
        {"3.0615158845559431e-017", true, 3.0615158845559431e-017, false, false, false},
        {"1e+20", true, 1e20, false, false, false},
        {"+2", true, 2.0, false, false, false},
        {"12", true, 12.0, true, false, false},
        {"1", true, 1.0, true, true, true},
        {"0", true, 0.0, true, true, false},
        {"yes", false, 0, false, true, true},
        {"off", false, 0, false, true, false},
        {"nan", false, 0, false, false, false},
        {"inf", false, 0, false, false, false},
        {"1.5x", false, 0, false, false, false},
        {"", false, 0, false, false, false},
    };
    for (const Case& c : cases) {
        double number = 0;
        int64_t integer = 0;
        bool boolean = false;
        EXPECT_EQ(parseNumber(c.text, number), c.isNumber) << c.text;
        if (c.isNumber) {
            EXPECT_EQ(number, c.number) << c.text;
        }
        EXPECT_EQ(parseInteger(c.text, integer), c.isInteger) << c.text;
        EXPECT_EQ(parseBoolean(c.text, boolean), c.isBoolean) << c.text;
        if (c.isBoolean) {
            EXPECT_EQ(boolean, c.boolean) << c.text;
        }
    }
}

TEST(Values, ParsesAttributePaths)
{
    struct Case {
        const char* text;
        const char* key;
        bool lastIndexed;
        int64_t first;
        int64_t last;
    };
    const Case cases[] = {
        {".vt[5]", "vt", true, 5, 5},
        {".iog[0].og[2].gcl", "iog[0].og[2].gcl", false, 0, 0},
        {".clst[1:2].clsn", "clst[1:2].clsn", false, 0, 0},
    };
    for (const Case& c : cases) {
        auto path = parseAttributePath(c.text, 1);
        EXPECT_EQ(attributeKey(path), c.key) << c.text;
        EXPECT_EQ(path.back().indexed, c.lastIndexed) << c.text;
        EXPECT_EQ(path.back().first, c.first) << c.text;
        EXPECT_EQ(path.back().last, c.last) << c.text;
    }

    const char* bad[] = {"t", ".", ".vt[3:1]", ".vt[0:", ".vt[-1]", ".a..b", ".vt[x]"};
    for (const char* text : bad)
        EXPECT_THROW(parseAttributePath(text, 7), ReadError) << text;
}

// Numbers parsed where they lie must read exactly what the token path reads, and take nothing when the next
// word is not a plain number, so that the token path still reports it as written.
TEST(InPlaceNumbers, ReadWhatTheTokenPathReadsOrTakeNothing)
{
    // Each text: its first word against the lexer's own token of it.
    const char* const texts[] = {
        "0 ",     "-1.5e3;", "1e-45\n",  ".5)",     "5.",       "-0",       "123456789012", "007", "-999999999999999", "1234567890123456",
        "1.0000001192092896", "+1",     "1.5x",     "1/2",      "1e",       "inf",      "-inf",
        "nan",    "yes",     "-n",       "\"1\"",   "0x10",     "1e400",    "9223372036854775808",
        "-9223372036854775809", "  // note\n 7", "2.5//x",   "",         "-",        "1;2",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(std::string("\"") + text + "\"");
        Token token = Lexer(text).next();
        double expectedNumber = 0;
        int64_t expectedInteger = 0;
        const bool isNumber = token.kind == TokenKind::Word && parseNumber(token.text, expectedNumber) &&
                              token.text[0] != '+';
        const bool isInteger = token.kind == TokenKind::Word && parseInteger(token.text, expectedInteger);

        Lexer numbers(text);
        double number = 0;
        ASSERT_EQ(numbers.nextNumber(number), isNumber);
        if (isNumber) {
            EXPECT_EQ(std::memcmp(&number, &expectedNumber, sizeof number), 0) << number << " " << expectedNumber;
        }
        // What follows, or the word itself when it was not taken, comes out of next() as before.
        Lexer tokens(text);
        if (isNumber)
            tokens.next();
        Token after = numbers.next(), expected = tokens.next();
        EXPECT_EQ(after.text, expected.text);
        EXPECT_EQ(after.line, expected.line);

        Lexer integers(text);
        int64_t integer = 0;
        ASSERT_EQ(integers.nextInteger(integer), isInteger);
        if (isInteger) {
            EXPECT_EQ(integer, expectedInteger);
        } else {
            EXPECT_EQ(integers.next().text, token.text);
        }
    }
}
