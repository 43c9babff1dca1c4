// Numbers parsed where they lie must read exactly what the token path reads, and take nothing when the next
// word is not a plain number, so that the token path still reports it as written.
#include "scene_readers/maya_ascii/lexer.h"
#include "scene_readers/maya_ascii/values.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace mayaascii;

TEST(InPlaceNumbers, ReadWhatTheTokenPathReadsOrTakeNothing)
{
    // Each text: its first word against the lexer's own token of it.
    const char* const texts[] = {
        "0 ",     "-1.5e3;", "1e-45\n",  ".5)",     "5.",       "-0",       "123456789012",
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
