#pragma once
// The largest value lists of a scene (a mesh's points, UVs, edges and faces: millions of values) read on two
// threads. The text of a list that holds only words and whitespace is cut in two (a face list before an "f"),
// each half read on a thread of its own, and the halves joined. Anything the fast reading does not expect makes
// it give up, with nothing taken: the caller then reads the list value by value as always, which also gives
// the usual message for a list in error.

#include "scene_readers/maya_ascii/scene_document.h"
#include "scene_readers/maya_ascii/value_tokens.h"

#include <vector>

namespace mayaascii {

// Lists of fewer values are read on one thread: a second one costs more than it saves.
constexpr size_t kValuesForTwoThreads = size_t(1) << 18;

// The values of a streamed list of at least kValuesForTwoThreads plain numbers (Lexer::nextNumber's), appended
// to numbers; false, with nothing taken and numbers as they were, otherwise.
bool readNumbersOnTwoThreads(ValueTokens& tokens, std::vector<double>& numbers);

// A streamed "polyFaces" list of at least kValuesForTwoThreads values, as decodePolyFaces reads it; false, with
// nothing taken, when it is shorter, is not plain text or does not read.
bool readPolyFacesOnTwoThreads(ValueTokens& tokens, PolyFacesData& faces);

} // namespace mayaascii
