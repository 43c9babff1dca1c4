#include "scene_readers/maya_ascii/lexer.h"

#include "scene_readers/maya_ascii/read_error.h"

namespace mayaascii {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }

// Characters that end a bare word even without whitespace ("0;" ends a value list).
bool endsWord(char c) { return isSpace(c) || c == ';' || c == '"' || c == '(' || c == ')'; }

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

} // namespace

Token Lexer::next()
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
    if (token.text == "+")
        token.kind = TokenKind::Plus;
    else if (token.text.size() > 1 && token.text[0] == '-' && isLetter(token.text[1]))
        token.kind = TokenKind::Flag;
    else
        token.kind = TokenKind::Word;
    return token;
}

size_t Lexer::tokensToSemicolon(size_t limit) const
{
    const size_t size = text_.size();
    size_t count = 0;
    bool inWord = false;
    for (size_t i = position_; i < size && count <= limit; ++i) {
        const char c = text_[i];
        if (c == '"') {
            ++count;
            inWord = false;
            for (++i; i < size && text_[i] != '"'; ++i)
                if (text_[i] == '\\')
                    ++i;
        } else if (c == '/' && !inWord && i + 1 < size && text_[i + 1] == '/') {
            while (i < size && text_[i] != '\n')
                ++i;
        } else if (c == ';') {
            break;
        } else if (c == '(' || c == ')') {
            ++count;
            inWord = false;
        } else if (isSpace(c)) {
            inWord = false;
        } else if (!inWord) {
            ++count;
            inWord = true;
        }
    }
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
