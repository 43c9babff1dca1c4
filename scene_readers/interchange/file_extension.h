#pragma once
// The extension of a file name, which decides how an interchange file is read.

#include <string>

namespace interchange {

// The text after the last dot of the file name (not of a directory), in lower case; "" when it has none.
std::string lowerExtension(const std::string& path);

} // namespace interchange
