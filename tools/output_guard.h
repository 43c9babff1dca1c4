#pragma once
// Refusing an export's output path when writing it would destroy something: the scene itself (by name or
// through a symbolic or hard link) or an existing file that is not a .qax file.

#include <string>

namespace qaxtools {

// Checks an output path against its scene. force allows replacing an existing file that is not a .qax
// file, never the scene itself. Returns false with the reason (naming both paths) when refused.
bool outputAllowed(const std::string& scene, const std::string& output, bool force, std::string& reason);

} // namespace qaxtools
