#include "scene_readers/maya_ascii/build_context.h"

#include "scene_readers/maya_ascii/read_error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace mayaascii {

const Attribute* findAttribute(const Node& node, const std::string& key)
{
    auto found = node.attributes.find(key);
    if (found == node.attributes.end())
        return nullptr;
    found->second.used = true;
    return &found->second;
}

double plainNumber(const Node& node, const std::string& key, double fallback)
{
    const Attribute* attribute = findAttribute(node, key);
    if (!attribute || !attribute->hasPlain || attribute->plain.numbers.empty())
        return fallback;
    return attribute->plain.numbers[0];
}

int64_t plainInteger(const Node& node, const std::string& key, int64_t fallback, int64_t low, int64_t high)
{
    const Attribute* attribute = findAttribute(node, key);
    if (!attribute || !attribute->hasPlain || attribute->plain.numbers.empty())
        return fallback;
    const double value = attribute->plain.numbers[0];
    // Compared as doubles first: only a value known to lie in the range may become an integer.
    if (!(value >= double(low) && value <= double(high)) || value != std::floor(value))
        throw ReadError(attribute->line, "expected a whole number from " + std::to_string(low) + " to " +
                                             std::to_string(high) + " in ." + key + " on " + describeNode(node) +
                                             ", found " + formatNumber(value));
    return int64_t(value);
}

std::string formatNumber(double value)
{
    if (value == std::floor(value) && std::fabs(value) < 9007199254740992.0) // 2^53: every integer is exact
        return std::to_string(int64_t(value));
    char text[32];
    snprintf(text, sizeof(text), "%g", value);
    return text;
}

std::string plainString(const Node& node, const std::string& key, const std::string& fallback)
{
    const Attribute* attribute = findAttribute(node, key);
    if (!attribute || !attribute->hasPlain || attribute->plain.strings.empty())
        return fallback;
    return attribute->plain.strings[0];
}

std::string describeNode(const Node& node)
{
    return node.name + " (" + node.type + ")";
}

const std::vector<double>& gatherArray(const Node& node, const Attribute& attribute, const char* name, size_t width,
                                       bool allowGaps, size_t limit, std::vector<double>& scratch)
{
    scratch.clear();
    // Element counts only ever come from values present in the file, so sizes below are bounded by it.
    size_t held = 0;
    int64_t end = 0;
    for (const Chunk& chunk : attribute.chunks) {
        if (chunk.value.numbers.size() != uint64_t(chunk.count) * width)
            throw ReadError(chunk.value.line, "expected " + std::to_string(width) + " numbers for each of the " +
                                                  std::to_string(chunk.count) + " elements of ." + name + " on " +
                                                  describeNode(node) + ", found " +
                                                  std::to_string(chunk.value.numbers.size()) + " numbers");
        held += size_t(chunk.count);
        end = std::max(end, chunk.first + chunk.count);
    }
    if (allowGaps) {
        if (uint64_t(end) > limit) {
            for (const Chunk& chunk : attribute.chunks)
                if (uint64_t(chunk.first + chunk.count) > limit)
                    throw ReadError(chunk.value.line, "expected elements of ." + std::string(name) + " on " +
                                                          describeNode(node) + " below " + std::to_string(limit) +
                                                          ", found element " +
                                                          std::to_string(chunk.first + chunk.count - 1));
        }
    } else {
        // Every element below the end must have been written; the union of the ranges then bounds the
        // size by the values held.
        std::vector<std::pair<int64_t, int64_t>> ranges;
        for (const Chunk& chunk : attribute.chunks)
            ranges.emplace_back(chunk.first, chunk.first + chunk.count);
        std::sort(ranges.begin(), ranges.end());
        int64_t covered = 0;
        for (const auto& range : ranges) {
            if (range.first > covered)
                break;
            covered = std::max(covered, range.second);
        }
        if (covered < end)
            throw ReadError(attribute.line, "expected values for every element of ." + std::string(name) + " on " +
                                                describeNode(node) + " from 0 to " + std::to_string(end - 1) +
                                                ", element " + std::to_string(covered) + " is missing");
    }
    (void)held;
    if (attribute.chunks.size() == 1 && attribute.chunks[0].first == 0)
        return attribute.chunks[0].value.numbers;
    scratch.assign(size_t(end) * width, 0.0);
    for (const Chunk& chunk : attribute.chunks)
        std::copy(chunk.value.numbers.begin(), chunk.value.numbers.end(), scratch.begin() + chunk.first * int64_t(width));
    return scratch;
}

} // namespace mayaascii
