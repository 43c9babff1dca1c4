#pragma once
// Groups the tokens of a Maya ASCII file into statements: a command word followed by its arguments up
// to the ";" that ends it. A parenthesised chain of strings joined by "+" becomes one string argument.
// The values of a setAttr of many of them (a mesh's points, edges and faces: millions of tokens) are not
// stored but handed out one at a time as the caller decodes them.

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
    // A setAttr whose values are streamed: `arguments` ends before its first value, and its valueCount
    // values are read with StatementReader::nextValue.
    bool streamed = false;
    size_t valueCount = 0;
};

// Whether a setAttr flag takes the token after it as its argument (-s 4, -type "float3"; not -av or -c).
bool setAttrFlagTakesArgument(std::string_view flag);

class StatementReader {
public:
    // A setAttr of more tokens than this has its values streamed.
    static constexpr size_t kStreamedTokens = 256;

    // The text must outlive the reader and the statements it fills.
    explicit StatementReader(std::string_view text) : lexer_(text), text_(text) {}

    // Fills `statement` with the next statement and returns true; false at the end of the text. What the
    // caller left unread of a streamed statement is passed over. Throws ReadError on a statement without a
    // command word, an unterminated statement, or a malformed string chain.
    bool next(Statement& statement);

    // The next value of the streamed statement last read: a word or a string. Call it at most
    // statement.valueCount times. Throws ReadError on a flag or a joined string among the values.
    Token nextValue();

    // The next value of the streamed statement when it is a plain number, parsed in place (see
    // Lexer::nextNumber); false, with nothing taken, for any other value.
    bool nextNumber(double& value) { return lexer_.nextNumber(value); }
    bool nextInteger(int64_t& value) { return lexer_.nextInteger(value); }

    // The text of the streamed statement's values when it holds nothing but words and whitespace and none of
    // them was taken yet, for decoders that read it by other means (on several threads); empty otherwise.
    std::string_view plainValueText() const;
    // Passes over the values of plainValueText(), once read, to the statement's ';'.
    void skipPlainValues() { lexer_.skipTo(values_.end, values_.lines); }

private:
    Token joinStrings(const Token& open, Statement& statement);
    void readStreamedHeader(Statement& statement);

    Lexer lexer_;
    std::string_view text_;
    bool streaming_ = false;
    size_t valuesStart_ = 0; // where the streamed statement's values begin
    Lexer::Span values_;     // and what they hold
};

} // namespace mayaascii
