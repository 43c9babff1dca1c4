#include "scene_readers/maya_ascii/parallel_values.h"

#include "scene_readers/maya_ascii/geometry_values.h"
#include "scene_readers/maya_ascii/read_error.h"

#include <limits>
#include <new>
#include <system_error>
#include <thread>

namespace mayaascii {

namespace {

bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Runs first on this thread and second on another, or on this one too when no thread can be had.
template <class First, class Second>
void runBoth(First first, Second second)
{
    std::thread other;
    try {
        other = std::thread(second);
    } catch (const std::system_error&) {
        first();
        second();
        return;
    }
    first();
    other.join();
}

// The plain text of a long streamed list that nothing was taken from yet; empty otherwise.
std::string_view plainText(ValueTokens& tokens)
{
    StatementReader* reader = tokens.streamedReader();
    if (reader == nullptr || tokens.remaining() < kValuesForTwoThreads)
        return std::string_view();
    return reader->plainValueText();
}

void finish(ValueTokens& tokens)
{
    tokens.streamedReader()->skipPlainValues();
    tokens.takeAll();
}

// Every value of text as a number, as the lexer reads it.
bool readNumbers(std::string_view text, std::vector<double>& out)
{
    Lexer lexer(text);
    double value = 0;
    while (lexer.nextNumber(value))
        out.push_back(value);
    return lexer.next().kind == TokenKind::End;
}

// The faces of text, a whole number of faces; false for anything decodePolyFaces refuses.
bool readFaces(std::string_view text, PolyFacesData& out)
{
    try {
        StatementReader reader(text);
        ValueTokens tokens(reader, Lexer(text).tokensToSemicolon());
        out = decodePolyFaces(tokens, 1);
        return true;
    } catch (const ReadError&) {
    } catch (const std::bad_alloc&) {
    }
    return false;
}

// Per-corner indices of the second half appended to those of the first; a half without them has -1.
void appendCorners(std::vector<int32_t>& first, size_t firstCorners, const std::vector<int32_t>* second,
                   size_t secondCorners)
{
    first.resize(firstCorners, -1);
    if (second != nullptr)
        first.insert(first.end(), second->begin(), second->end());
    else
        first.resize(firstCorners + secondCorners, -1);
}

void appendSets(std::map<int32_t, std::vector<int32_t>>& first, size_t firstCorners,
                const std::map<int32_t, std::vector<int32_t>>& second, size_t secondCorners)
{
    for (const auto& entry : second)
        first[entry.first];
    for (auto& entry : first) {
        const auto found = second.find(entry.first);
        appendCorners(entry.second, firstCorners, found == second.end() ? nullptr : &found->second, secondCorners);
    }
}

// The faces of second after those of first, as one decoding of both would have given them.
bool joinFaces(PolyFacesData& first, const PolyFacesData& second)
{
    const size_t firstCorners = first.edges.size(), secondCorners = second.edges.size();
    if (firstCorners + secondCorners > size_t(std::numeric_limits<int32_t>::max()))
        return false;
    const int32_t firstFaces = int32_t(first.faceCount());
    first.faceStart.reserve(first.faceStart.size() + second.faceCount());
    for (size_t f = 1; f < second.faceStart.size(); ++f)
        first.faceStart.push_back(second.faceStart[f] + int32_t(firstCorners));
    first.edges.insert(first.edges.end(), second.edges.begin(), second.edges.end());
    for (int32_t face : second.facesWithHoles)
        first.facesWithHoles.push_back(face + firstFaces);
    appendSets(first.uvs, firstCorners, second.uvs, secondCorners);
    appendSets(first.colors, firstCorners, second.colors, secondCorners);
    if (!first.oldColors.empty() || !second.oldColors.empty())
        appendCorners(first.oldColors, firstCorners, second.oldColors.empty() ? nullptr : &second.oldColors,
                      secondCorners);
    return true;
}

} // namespace

bool readNumbersOnTwoThreads(ValueTokens& tokens, std::vector<double>& numbers)
{
    const std::string_view text = plainText(tokens);
    if (text.empty())
        return false;
    size_t cut = text.size() / 2;
    while (cut < text.size() && !isBlank(text[cut]))
        ++cut;
    const size_t before = numbers.size();
    numbers.reserve(before + tokens.remaining());
    std::vector<double> second;
    bool firstRead = false, secondRead = false;
    runBoth([&] { firstRead = readNumbers(text.substr(0, cut), numbers); },
            [&] { secondRead = readNumbers(text.substr(cut), second); });
    if (!firstRead || !secondRead || numbers.size() - before + second.size() != tokens.remaining()) {
        numbers.resize(before);
        return false;
    }
    numbers.insert(numbers.end(), second.begin(), second.end());
    finish(tokens);
    return true;
}

bool readPolyFacesOnTwoThreads(ValueTokens& tokens, PolyFacesData& faces)
{
    const std::string_view text = plainText(tokens);
    if (text.empty())
        return false;
    // The second half begins with a face: an "f" standing alone.
    size_t cut = text.size() / 2;
    while (cut + 1 < text.size() && !(isBlank(text[cut - 1]) && text[cut] == 'f' && isBlank(text[cut + 1])))
        ++cut;
    if (cut + 1 >= text.size())
        return false;
    PolyFacesData first, second;
    bool firstRead = false, secondRead = false;
    runBoth([&] { firstRead = readFaces(text.substr(0, cut), first); },
            [&] { secondRead = readFaces(text.substr(cut), second); });
    if (!firstRead || !secondRead || !joinFaces(first, second))
        return false;
    faces = std::move(first);
    finish(tokens);
    return true;
}

} // namespace mayaascii
