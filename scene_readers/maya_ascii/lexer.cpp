#include "scene_readers/maya_ascii/lexer.h"

#include "scene_readers/maya_ascii/read_error.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mayaascii {

namespace {

// Character classes, looked up once per character: the text of a large scene is mostly numbers and spaces.
// One bit each, so that "ends a word" is one test.
enum CharClass : unsigned char { kWordChar = 0, kSpace = 1, kSpecial = 2, kSlash = 4 };

struct CharClasses {
    unsigned char of[256] = {};
    constexpr CharClasses()
    {
        for (unsigned char c : {' ', '\t', '\r', '\n', '\f', '\v'})
            of[c] = kSpace;
        // Characters that end a bare word even without whitespace ("0;" ends a value list).
        for (unsigned char c : {';', '"', '(', ')'})
            of[c] = kSpecial;
        of[static_cast<unsigned char>('/')] = kSlash;
    }
};
constexpr CharClasses kClasses;

CharClass classOf(char c) { return CharClass(kClasses.of[static_cast<unsigned char>(c)]); }
bool isSpace(char c) { return classOf(c) == kSpace; }
bool endsWord(char c) { return (classOf(c) & (kSpace | kSpecial)) != 0; }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

// Bits set in a 16-bit mask, summed in place (no popcount instruction on the base instruction set).
unsigned bitsSet(unsigned mask)
{
    mask -= (mask >> 1) & 0x5555u;
    mask = (mask & 0x3333u) + ((mask >> 2) & 0x3333u);
    mask = (mask + (mask >> 4)) & 0x0f0fu;
    return (mask + (mask >> 8)) & 0x1fu;
}

// From i, just past whitespace: counts the words that begin in blocks of 16 bytes holding only words and
// whitespace (the text of a large array), and the line ends, stopping before a block with a quote, ';', '(',
// ')' or '/', which the byte loop takes. Returns the position reached; inWord tells whether a word counted
// runs on from there.
size_t countPlainWords(const char* text, size_t i, size_t size, size_t limit, size_t& count, int& lines, bool& inWord)
{
    inWord = false;
#if defined(__SSE2__)
    const __m128i belowTab = _mm_set1_epi8(8), aboveReturn = _mm_set1_epi8(14), blank = _mm_set1_epi8(' ');
    const __m128i quote = _mm_set1_epi8('"'), semicolon = _mm_set1_epi8(';'), open = _mm_set1_epi8('(');
    const __m128i close = _mm_set1_epi8(')'), slash = _mm_set1_epi8('/'), newline = _mm_set1_epi8('\n');
    unsigned spaceBefore = 1;
    while (i + 16 <= size && count <= limit) {
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i special = _mm_or_si128(
            _mm_or_si128(_mm_cmpeq_epi8(c, quote), _mm_cmpeq_epi8(c, semicolon)),
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(c, open), _mm_cmpeq_epi8(c, close)), _mm_cmpeq_epi8(c, slash)));
        if (_mm_movemask_epi8(special) != 0)
            break;
        // Tab to carriage return (9 to 13) and the blank, as the character classes have them.
        const __m128i space = _mm_or_si128(_mm_cmpeq_epi8(c, blank),
                                           _mm_and_si128(_mm_cmpgt_epi8(c, belowTab), _mm_cmplt_epi8(c, aboveReturn)));
        const unsigned spaces = unsigned(_mm_movemask_epi8(space));
        count += bitsSet(~spaces & ((spaces << 1) | spaceBefore) & 0xffffu);
        lines += int(bitsSet(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(c, newline)))));
        spaceBefore = spaces >> 15;
        i += 16;
    }
    inWord = spaceBefore == 0;
#else
    (void)text;
    (void)size;
    (void)limit;
    (void)count;
    (void)lines;
#endif
    return i;
}

} // namespace

void Lexer::skipSpaceAndComments()
{
    const size_t size = text_.size();
    for (;;) {
        while (position_ < size && isSpace(text_[position_])) {
            if (text_[position_] == '\n')
                ++line_;
            ++position_;
        }
        if (position_ + 1 < size && text_[position_] == '/' && text_[position_ + 1] == '/') {
            while (position_ < size && text_[position_] != '\n')
                ++position_;
            continue;
        }
        break;
    }
}

bool Lexer::nextNumber(double& value)
{
    skipSpaceAndComments();
    const char* const begin = text_.data() + position_;
    const char* const end = text_.data() + text_.size();
    if (begin == end)
        return false;
    // A whole number of up to 15 digits (a mesh's edges: most of the values of a large scene) is exact in a
    // double: read without the general parser, to the value it gives.
    const char* digit = begin + (*begin == '-' ? 1 : 0);
    const char* const firstDigit = digit;
    uint64_t whole = 0;
    while (digit < end && digit - firstDigit < 16 && unsigned(*digit - '0') < 10)
        whole = whole * 10 + unsigned(*digit++ - '0');
    if (digit > firstDigit && digit - firstDigit <= 15 && (digit == end || endsWord(*digit))) {
        value = firstDigit != begin ? -double(whole) : double(whole);
        position_ += size_t(digit - begin);
        return true;
    }
    const auto result = fast_float::from_chars(begin, end, value);
    // The number must be the whole word: "1.5x" or "1/2" are words that are no number.
    if (result.ec != std::errc() || (result.ptr != end && !endsWord(*result.ptr)) || !std::isfinite(value))
        return false;
    position_ += size_t(result.ptr - begin);
    return true;
}

bool Lexer::nextInteger(int64_t& value)
{
    skipSpaceAndComments();
    const char* const begin = text_.data() + position_;
    const char* const end = text_.data() + text_.size();
    const auto result = std::from_chars(begin, end, value);
    if (result.ec != std::errc() || (result.ptr != end && !endsWord(*result.ptr)))
        return false;
    position_ += size_t(result.ptr - begin);
    return true;
}

Token Lexer::next()
{
    const size_t size = text_.size();
    skipSpaceAndComments();
    Token token;
    token.line = line_;
    if (position_ >= size)
        return token;

    const char c = text_[position_];
    if (c == ';' || c == '(' || c == ')') {
        token.kind = c == ';' ? TokenKind::Semicolon : c == '(' ? TokenKind::OpenParen : TokenKind::CloseParen;
        token.text = text_.substr(position_, 1);
        ++position_;
        return token;
    }
    if (c == '"') {
        const size_t start = ++position_;
        while (position_ < size && text_[position_] != '"') {
            if (text_[position_] == '\\' && position_ + 1 < size) {
                if (text_[position_ + 1] == '\n')
                    ++line_;
                ++position_;
            } else if (text_[position_] == '\n') {
                ++line_;
            }
            ++position_;
        }
        if (position_ >= size)
            throw ReadError(token.line, "expected '\"' to close the string begun here, found end of file");
        token.kind = TokenKind::String;
        token.text = text_.substr(start, position_ - start);
        ++position_;
        return token;
    }
    const size_t start = position_;
    while (position_ < size && !endsWord(text_[position_]))
        ++position_;
    token.text = text_.substr(start, position_ - start);
    if (token.text.size() == 1 && token.text[0] == '+')
        token.kind = TokenKind::Plus;
    else if (token.text.size() > 1 && token.text[0] == '-' && isLetter(token.text[1]))
        token.kind = TokenKind::Flag;
    else
        token.kind = TokenKind::Word;
    return token;
}

size_t Lexer::tokensToSemicolon(size_t limit, Span* span) const
{
    const size_t size = text_.size();
    const char* const text = text_.data();
    size_t count = 0;
    size_t i = position_;
    Span found;
    while (i < size && count <= limit) {
        const char c = text[i];
        const CharClass k = classOf(c);
        if (k == kSpace) {
            found.lines += c == '\n' ? 1 : 0;
            bool inWord = false;
            i = countPlainWords(text, i + 1, size, limit, count, found.lines, inWord);
            while (inWord && i < size && !endsWord(text[i]))
                ++i;
        } else if (k == kSpecial) {
            if (c == ';')
                break;
            found.plain = false;
            ++count;
            if (c == '"')
                for (++i; i < size && text[i] != '"'; ++i) {
                    found.lines += text[i] == '\n' ? 1 : 0;
                    if (text[i] == '\\' && i + 1 < size)
                        found.lines += text[++i] == '\n' ? 1 : 0;
                }
            ++i;
        } else if (k == kSlash && i + 1 < size && text[i + 1] == '/') {
            found.plain = false;
            while (i < size && text[i] != '\n')
                ++i;
        } else {
            // A word, to the next space or special character ("//" inside it is no comment).
            ++count;
            for (++i; i < size && !endsWord(text[i]); ++i) {
            }
        }
    }
    found.end = i < size ? i : size;
    if (span)
        *span = found;
    return count;
}

std::string unescapeString(std::string_view raw)
{
    std::string result;
    result.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        char c = raw[i];
        if (c == '\\' && i + 1 < raw.size()) {
            char e = raw[++i];
            switch (e) {
            case 'n': c = '\n'; break;
            case 't': c = '\t'; break;
            case 'r': c = '\r'; break;
            default: c = e; break;
            }
        }
        result += c;
    }
    return result;
}

std::string describeToken(const Token& token)
{
    switch (token.kind) {
    case TokenKind::End: return "end of file";
    case TokenKind::String: {
        std::string text(token.text.substr(0, 40));
        return "\"" + text + (token.text.size() > 40 ? "...\"" : "\"");
    }
    default: {
        std::string text(token.text.substr(0, 40));
        return "'" + text + (token.text.size() > 40 ? "...'" : "'");
    }
    }
}

} // namespace mayaascii
