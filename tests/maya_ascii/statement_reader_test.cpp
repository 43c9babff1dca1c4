#include "scene_readers/maya_ascii/statement_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace mayaascii;

namespace {

// Statements as "command(line): arg arg" lines; a streamed statement's values as "| N values: first..last",
// read when readValues (else left for the reader to pass over).
std::string statements(const std::string& text, bool readValues = true)
{
    StatementReader reader(text);
    Statement statement;
    std::string out;
    while (reader.next(statement)) {
        out += std::string(statement.command) + "(" + std::to_string(statement.line) + "):";
        for (const Token& token : statement.arguments)
            out += " " + std::string(token.text);
        if (statement.streamed) {
            out += " | " + std::to_string(statement.valueCount) + " values";
            for (size_t i = 0; readValues && i < statement.valueCount; ++i) {
                const Token value = reader.nextValue();
                if (i == 0 || i + 1 == statement.valueCount)
                    out += (i == 0 ? ": " : "..") + std::string(value.text);
            }
        }
        out += "\n";
    }
    return out;
}

} // namespace

// Statements as the host writes them are read by every corpus scene; here what it writes rarely.
TEST(StatementReader, GroupsArgumentsUpToTheSemicolon)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {";; fileInfo \"a\" \"b\";", "fileInfo(1): a b\n"},
        {"setAttr \".b\" -type \"string\" (\n\t\"part one \"\n\t+ \"part \\\"two\\\"\");",
         "setAttr(1): .b -type string part one part \\\"two\\\"\n"},
        {"setAttr \".b\" -type \"string\" ( \"single\" );", "setAttr(1): .b -type string single\n"},
        {"// End of x.ma\n", ""},
        // Comments, CRLF line ends and the lines inside a string count towards the next statement's line.
        {"//Maya ASCII 2018 scene\r\n// comment\r\nfileInfo \"two\nlines\" \"with ; inside\";\nrequires maya \"2018\";",
         "fileInfo(3): two\nlines with ; inside\nrequires(5): maya 2018\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(statements(c.text), c.expected) << c.text;

    // Statements of many values stream them after their flags and name, read or not.
    std::string many = "setAttr -s 300 \".vt[0:299]\" -type \"float3\"";
    for (int i = 0; i < 300; ++i)
        many += " " + std::to_string(i);
    many += ";\ncreateNode transform -n \"after\";";
    const char* streamed = "setAttr(1): -s 300 .vt[0:299] -type float3 | 300 values: 0..299\ncreateNode(2): transform -n after\n";
    EXPECT_EQ(statements(many), streamed);
    EXPECT_EQ(statements(many, false), "setAttr(1): -s 300 .vt[0:299] -type float3 | 300 values\ncreateNode(2): transform -n after\n");
}

// The count that sizes a statement is taken from the text in blocks where it can: it must be the number of
// tokens the lexer hands out before the ';', whatever the mix of words, spaces, comments and strings, and the
// span it reports must be the lexer's too.
TEST(StatementReader, CountsTheTokensToTheSemicolonAsTheLexerReadsThem)
{
    const char* const plain[] = {"12", "-0.5e3", "f", "1/2", "a//b", " ", "\t", "\n", "\r\n", "\v", "\f", "   "};
    const char* const special[] = {"// a ; comment\n", "\"a ; \\\" b\"", "(", ")", "+", "x;"};
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string text;
        while (text.size() < 400)
            text += random() % 8 ? plain[random() % 12] : special[random() % 6];
        // The lexer's own reading: its tokens, where the ';' is, and whether anything but words and whitespace
        // (strings, parentheses, comments: text outside the words) comes before it.
        size_t tokens = 0, end = text.size();
        bool plain = true;
        std::string outside = text;
        Lexer lexer(text);
        for (Token t = lexer.next(); t.kind != TokenKind::End; t = lexer.next()) {
            const size_t at = size_t(t.text.data() - text.data());
            if (t.kind == TokenKind::Semicolon) {
                end = at;
                break;
            }
            ++tokens;
            plain = plain && t.kind != TokenKind::String && t.kind != TokenKind::OpenParen && t.kind != TokenKind::CloseParen;
            outside.replace(at, t.text.size(), t.text.size(), ' ');
        }
        plain = plain && outside.substr(0, end).find_first_not_of(" \t\r\n\v\f") == std::string::npos;
        Lexer::Span span;
        ASSERT_EQ(Lexer(text).tokensToSemicolon(size_t(-1), &span), tokens) << text;
        EXPECT_EQ(span.end, end) << text;
        EXPECT_EQ(span.plain, plain) << text;
        EXPECT_EQ(span.lines, std::count(text.begin(), text.begin() + long(end), '\n')) << text;
        ASSERT_EQ(Lexer(text).tokensToSemicolon(20) > 20, tokens > 20) << text;
    }
}
