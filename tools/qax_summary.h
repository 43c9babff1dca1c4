#pragma once
// Readable and JSON summaries of an output model read back from a .qax file: materials with their
// colours and texture names, objects with their counts, material, bounding box and index range.

#include "output/qax_model.h"

#include <string>

namespace qaxtools {

struct QaxTotals {
    int materials = 0;
    int objects = 0;
    long long triangles = 0;
    long long vertices = 0;
    int textures = 0;  // materials with a non-empty texture name
};

QaxTotals computeTotals(const qaxModel& model);

// Several lines of text, ending in "\n"; `title` (the file name) heads them.
std::string formatSummaryText(const qaxModel& model, const std::string& title);

// The same facts as one JSON document (two-space indentation, ending in "\n").
std::string formatSummaryJson(const qaxModel& model, const std::string& title);

// A qaxString as text (its first `length` bytes, at most 64).
std::string qaxText(const qaxString& text);

} // namespace qaxtools
