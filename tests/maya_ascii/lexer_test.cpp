#include "scene_readers/maya_ascii/lexer.h"
#include "scene_readers/maya_ascii/read_error.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace mayaascii;

namespace {

std::string kindName(TokenKind kind)
{
    switch (kind) {
    case TokenKind::Word: return "W";
    case TokenKind::Flag: return "F";
    case TokenKind::String: return "S";
    case TokenKind::Semicolon: return ";";
    case TokenKind::OpenParen: return "(";
    case TokenKind::CloseParen: return ")";
    case TokenKind::Plus: return "+";
    case TokenKind::End: return "E";
    }
    return "?";
}

// Every token as kind:text@line, space separated.
std::string lex(const std::string& text)
{
    Lexer lexer(text);
    std::string out;
    for (;;) {
        Token token = lexer.next();
        if (token.kind == TokenKind::End)
            return out;
        if (!out.empty())
            out += ' ';
        out += kindName(token.kind) + ":" + std::string(token.text) + "@" + std::to_string(token.line);
    }
}

} // namespace

TEST(Lexer, SplitsTokensAndCountsLines)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"createNode mesh -n \"a\";", "W:createNode@1 W:mesh@1 F:-n@1 S:a@1 ;:;@1"},
        {"setAttr \".t\" -type \"double3\" -0.5 3e-017 1e+20;",
         "W:setAttr@1 S:.t@1 F:-type@1 S:double3@1 W:-0.5@1 W:3e-017@1 W:1e+20@1 ;:;@1"},
        {"//Maya ASCII 2018 scene\n// comment\nrequires maya \"2018\";",
         "W:requires@3 W:maya@3 S:2018@3 ;:;@3"},
        {"a\n\tb\r\n  c", "W:a@1 W:b@2 W:c@3"},
        {"0 0 0;x", "W:0@1 W:0@1 W:0@1 ;:;@1 W:x@1"},
        {"( \"one\" + \"two\" )", "(:(@1 S:one@1 +:+@1 S:two@1 ):)@1"},
        {"\"with \\\"quote\\\" and ; inside\"", "S:with \\\"quote\\\" and ; inside@1"},
        {"\"two\nlines\" next", "S:two\nlines@1 W:next@2"},
        {"-.5 -k -5e3 - :lambert1", "W:-.5@1 F:-k@1 W:-5e3@1 W:-@1 W::lambert1@1"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(lex(c.text), c.expected) << c.text;
}

TEST(Lexer, UnescapesStringsAndRejectsOpenOnes)
{
    struct Case {
        const char* raw;
        const char* expected;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"a\\\"b", "a\"b"},
        {"back\\\\slash", "back\\slash"},
        {"tab\\tnew\\nline", "tab\tnew\nline"},
        {"other\\q", "otherq"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(unescapeString(c.raw), c.expected) << c.raw;

    Lexer lexer("setAttr \".x\" -type \"string\" \"never closed;\n\n");
    lexer.next();
    lexer.next();
    lexer.next();
    lexer.next();
    try {
        lexer.next();
        FAIL() << "an open string must be rejected";
    } catch (const ReadError& error) {
        EXPECT_EQ(error.line(), 1);
        EXPECT_NE(std::string(error.what()).find("close the string"), std::string::npos) << error.what();
    }
}
