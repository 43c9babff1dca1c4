#pragma once
// Compares two output models as files: two models that compare equal are written as the same bytes.

#include <cstddef>

#include "output/qax_model.h"

// Compares every value the writer would write: lengths, counts, string lengths and their text bytes,
// floats by their exact bits (so NaNs compare by payload and 0.0 differs from -0.0), sub-materials
// recursively, and the vertex colour chunk only when `present` is set (its values are not written
// otherwise). Returns true when equal; otherwise false with the first difference described in
// difference (differenceSize bytes, always terminated; may be null when differenceSize is 0).
bool compareQAXModels(const qaxModel& a, const qaxModel& b, char* difference, size_t differenceSize);
