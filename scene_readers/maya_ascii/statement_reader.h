#pragma once
// Groups the tokens of a Maya ASCII file into statements: a command word followed by its arguments up
// to the ";" that ends it. A parenthesised chain of strings joined by "+" becomes one string argument.

#include "scene_readers/maya_ascii/lexer.h"

#include <deque>
#include <string>
#include <vector>

namespace mayaascii {

struct Statement {
    std::string_view command;
    int line = 0;
    std::vector<Token> arguments;
    // Backing text of joined strings; arguments point into it.
    std::deque<std::string> joinedStrings;
};

class StatementReader {
public:
    // The text must outlive the reader and the statements it fills.
    explicit StatementReader(std::string_view text) : lexer_(text) {}

    // Fills `statement` with the next statement and returns true; false at the end of the text.
    // Throws ReadError on a statement without a command word, an unterminated statement, or a
    // malformed string chain.
    bool next(Statement& statement);

private:
    Token joinStrings(const Token& open, Statement& statement);

    Lexer lexer_;
};

} // namespace mayaascii
