#pragma once
// Splits Maya ASCII text into tokens: bare words (numbers, names, keywords), flags ("-n"), double-quoted
// strings, ";", "(", ")" and a lone "+". "//" comments run to the end of the line.

#include <cstdint>
#include <string>
#include <string_view>

namespace mayaascii {

enum class TokenKind : unsigned char { Word, Flag, String, Semicolon, OpenParen, CloseParen, Plus, End };

// A statement of a large array holds millions of tokens: the text first keeps a token to 24 bytes.
struct Token {
    // Word and Flag: as written. String: the text between the quotes, escapes not yet resolved.
    std::string_view text;
    int line = 0;
    TokenKind kind = TokenKind::End;
};

class Lexer {
public:
    // The text must outlive the lexer and every token it hands out.
    explicit Lexer(std::string_view text) : text_(text) {}

    // The next token, kind End once the text is used up. Throws ReadError on a string that is not
    // closed before the end of the text.
    Token next();

    // The next token when it is a plain number (a word such as "-1.5e3", finite, no leading '+'), parsed where
    // it lies: true with its value. Otherwise false, with nothing taken, so that next() hands it out as usual.
    bool nextNumber(double& value);

    // The same for a plain integer ("-12").
    bool nextInteger(int64_t& value);

    // What the text from here to the statement's ';' holds: where the ';' is (or the end of the text), whether
    // it holds only words and whitespace (no strings, parentheses or comments), and its line ends.
    struct Span {
        size_t end = 0;
        bool plain = true;
        int lines = 0;
    };

    // How many tokens at most the statement from here to its ';' holds (comments and quoted ';' skipped), so
    // that a statement of millions of values is stored once at its size instead of grown by copying.
    // Counting stops past `limit`; span, when given, is filled for a count that did not stop.
    size_t tokensToSemicolon(size_t limit = size_t(-1), Span* span = nullptr) const;

    // Where the lexer stands in its text, and a jump forward over text already read by other means.
    size_t position() const { return position_; }
    void skipTo(size_t position, int linesPassed)
    {
        position_ = position;
        line_ += linesPassed;
    }

private:
    void skipSpaceAndComments();

    std::string_view text_;
    size_t position_ = 0;
    int line_ = 1;
};

// Resolves the C-style escapes of a string token's text (\" \\ \n \t \r; any other escaped character
// stands for itself).
std::string unescapeString(std::string_view raw);

// Readable name of a token for messages: "end of file", "';'", "\"text\"", "word".
std::string describeToken(const Token& token);

} // namespace mayaascii
