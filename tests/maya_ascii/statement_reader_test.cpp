#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/statement_reader.h"

#include <gtest/gtest.h>

#include <string>

using namespace mayaascii;

namespace {

// Statements as "command(line): arg|arg" lines.
std::string statements(const std::string& text)
{
    StatementReader reader(text);
    Statement statement;
    std::string out;
    while (reader.next(statement)) {
        out += std::string(statement.command) + "(" + std::to_string(statement.line) + "):";
        for (const Token& token : statement.arguments)
            out += " " + std::string(token.text);
        out += "\n";
    }
    return out;
}

std::string failure(const std::string& text)
{
    try {
        statements(text);
    } catch (const ReadError& error) {
        return std::to_string(error.line()) + ": " + error.what();
    }
    return "no error";
}

} // namespace

TEST(StatementReader, GroupsArgumentsUpToTheSemicolon)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"createNode transform -n \"box\";\n\tsetAttr \".t\" -type \"double3\" 1 2 3 ;",
         "createNode(1): transform -n box\nsetAttr(2): .t -type double3 1 2 3\n"},
        {"setAttr -s 4 \".vt[0:3]\"\n\t\t0 0 0\n\t\t1 0 0\n\t\t1 1 0\n\t\t0 1 0;",
         "setAttr(1): -s 4 .vt[0:3] 0 0 0 1 0 0 1 1 0 0 1 0\n"},
        {";; fileInfo \"a\" \"b\";", "fileInfo(1): a b\n"},
        {"setAttr \".b\" -type \"string\" (\n\t\"part one \"\n\t+ \"part \\\"two\\\"\");",
         "setAttr(1): .b -type string part one part \\\"two\\\"\n"},
        {"setAttr \".b\" -type \"string\" ( \"single\" );", "setAttr(1): .b -type string single\n"},
        {"// End of x.ma\n", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(statements(c.text), c.expected) << c.text;
}

TEST(StatementReader, RejectsMalformedStatements)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"createNode mesh -n \"a\"\n", "2: expected ';' to end the createNode statement begun on line 1, found end of file"},
        {"\"stray\";", "1: expected a command name, found \"stray\""},
        {"setAttr \".b\" -type \"string\" ( \"a\" \"b\" );", "1: expected '+' or ')' in a joined string, found \"b\""},
        {"setAttr \".b\" -type \"string\" ( 12 );", "1: expected a string inside '( ... )', found '12'"},
        {"setAttr \".b\" 1 ) ;", "1: expected a value, found ')'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(failure(c.text), c.expected) << c.text;
}
