#include "scene_readers/maya_ascii/values.h"

#include "scene_readers/maya_ascii/read_error.h"

#include <fast_float/fast_float.h>

#include <charconv>
#include <cmath>

namespace mayaascii {

bool parseNumber(std::string_view text, double& value)
{
    if (text.empty())
        return false;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (*begin == '+')
        ++begin;
    // Correctly rounded, as from_chars is, at a fraction of its cost.
    auto result = fast_float::from_chars(begin, end, value);
    if (result.ec != std::errc() || result.ptr != end)
        return false;
    return std::isfinite(value);
}

bool parseInteger(std::string_view text, int64_t& value)
{
    if (text.empty())
        return false;
    const char* begin = text.data();
    const char* end = begin + text.size();
    auto result = std::from_chars(begin, end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool parseElementIndex(std::string_view text, int64_t& value)
{
    return parseInteger(text, value) && value >= 0 && value <= kMaxElementIndex;
}

bool parseBoolean(std::string_view text, bool& value)
{
    if (text == "yes" || text == "on" || text == "true" || text == "1") {
        value = true;
        return true;
    }
    if (text == "no" || text == "off" || text == "false" || text == "0") {
        value = false;
        return true;
    }
    return false;
}

double numberArgument(const Token& token, const char* what)
{
    double value = 0;
    bool flag = false;
    if (token.kind == TokenKind::Word) {
        if (parseNumber(token.text, value))
            return value;
        if (parseBoolean(token.text, flag))
            return flag ? 1.0 : 0.0;
    }
    throw ReadError(token.line, std::string("expected ") + what + ", found " + describeToken(token));
}

int64_t integerArgument(const Token& token, const char* what)
{
    int64_t value = 0;
    if (token.kind == TokenKind::Word && parseInteger(token.text, value))
        return value;
    throw ReadError(token.line, std::string("expected ") + what + ", found " + describeToken(token));
}

bool booleanArgument(const Token& token, const char* what)
{
    bool value = false;
    if (token.kind == TokenKind::Word && parseBoolean(token.text, value))
        return value;
    throw ReadError(token.line, std::string("expected ") + what + ", found " + describeToken(token));
}

std::string textArgument(const Token& token, const char* what)
{
    if (token.kind == TokenKind::String)
        return unescapeString(token.text);
    if (token.kind == TokenKind::Word)
        return std::string(token.text);
    throw ReadError(token.line, std::string("expected ") + what + ", found " + describeToken(token));
}

namespace {

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

[[noreturn]] void badPath(std::string_view text, int line, const std::string& what)
{
    throw ReadError(line, "expected " + what + " in the attribute \"" + std::string(text.substr(0, 60)) + "\"");
}

} // namespace

std::vector<PathElement> parseAttributePath(std::string_view text, int line)
{
    std::vector<PathElement> path;
    size_t i = 0;
    if (text.empty() || text[0] != '.')
        badPath(text, line, "a leading '.'");
    while (i < text.size()) {
        if (text[i] != '.')
            badPath(text, line, "'.' between names");
        ++i;
        PathElement element;
        const size_t start = i;
        while (i < text.size() && isNameCharacter(text[i]))
            ++i;
        if (i == start)
            badPath(text, line, "an attribute name");
        element.name = std::string(text.substr(start, i - start));
        if (i < text.size() && text[i] == '[') {
            const size_t close = text.find(']', i);
            if (close == std::string_view::npos)
                badPath(text, line, "']'");
            std::string_view inside = text.substr(i + 1, close - i - 1);
            const size_t colon = inside.find(':');
            std::string_view firstText = inside.substr(0, colon);
            std::string_view lastText = colon == std::string_view::npos ? firstText : inside.substr(colon + 1);
            if (!parseElementIndex(firstText, element.first) || !parseElementIndex(lastText, element.last) ||
                element.last < element.first)
                badPath(text, line, "an index or a range first:last with 0 <= first <= last <= " +
                                        std::to_string(kMaxElementIndex));
            element.indexed = true;
            i = close + 1;
        }
        path.push_back(std::move(element));
    }
    return path;
}

std::string attributeKey(const std::vector<PathElement>& path)
{
    std::string key;
    for (size_t i = 0; i < path.size(); ++i) {
        if (i > 0)
            key += '.';
        key += path[i].name;
        if (path[i].indexed && i + 1 < path.size()) {
            key += '[' + std::to_string(path[i].first);
            if (path[i].last != path[i].first)
                key += ':' + std::to_string(path[i].last);
            key += ']';
        }
    }
    return key;
}

} // namespace mayaascii
