#pragma once
// Counts that a file announces in its header, checked against the bytes it holds before the import library
// sizes anything by them (the library allocates a PLY element list from its announced count).

#include <string>

namespace interchange {

// Checks the header of the file at path when it is a format that announces element counts (PLY, ASCII or
// binary): every element instance takes at least one byte (binary: the sizes of its scalar properties and list
// counts; ASCII: a character and a separator per property), so the counts must fit the bytes after the header.
// Returns false with the reason in problem when they do not or the header is malformed; true for a consistent
// header and for files of other formats.
bool checkAnnouncedCounts(const std::string& path, std::string& problem);

// The same check on a file's contents already in memory.
bool checkAnnouncedCountsInText(const std::string& contents, std::string& problem);

} // namespace interchange
