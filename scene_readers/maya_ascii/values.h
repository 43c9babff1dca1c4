#pragma once
// Decoding of single values and attribute paths written in Maya ASCII statements.

#include "scene_readers/maya_ascii/lexer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mayaascii {

// A finite number written as a bare word ("-0.5", "3e-017", "1e+20"). False for anything else.
bool parseNumber(std::string_view text, double& value);
// A whole number that fits in int64 ("12", "-3"). False for anything else.
bool parseInteger(std::string_view text, int64_t& value);
// yes/no, on/off, true/false and the numbers 1/0.
bool parseBoolean(std::string_view text, bool& value);

// The token as a number; throws ReadError naming `what` otherwise.
double numberArgument(const Token& token, const char* what);
int64_t integerArgument(const Token& token, const char* what);
bool booleanArgument(const Token& token, const char* what);
// A string token unescaped, or a bare word as written (select -ne :time1); throws otherwise.
std::string textArgument(const Token& token, const char* what);

// The largest element index the reader takes: the host keeps an array's logical indices as int.
constexpr int64_t kMaxElementIndex = 2147483647;

// An element index as written between brackets ("12"): a whole number from 0 to kMaxElementIndex.
bool parseElementIndex(std::string_view text, int64_t& value);

// One element of an attribute path: a name with an optional index or inclusive index range.
struct PathElement {
    std::string name;
    bool indexed = false;
    int64_t first = 0;
    int64_t last = 0;
};

// ".uvst[0].uvsp[0:13]" -> {uvst [0]} {uvsp [0:13]}. The leading "." is required; indices are element
// indices (parseElementIndex) and ranges must not run backwards. Throws ReadError (line given) on anything else.
std::vector<PathElement> parseAttributePath(std::string_view text, int line);

// The path without the index of its last element, the key under which values are kept:
// {uvst [0]} {uvsp [0:13]} -> "uvst[0].uvsp".
std::string attributeKey(const std::vector<PathElement>& path);

} // namespace mayaascii
