#pragma once
// Reading back what one export wrote to the plug-in's log (the file is shared by every export, appended to).

#include <string>
#include <vector>

namespace qaxtools {

// The log file the plug-in writes when loaded from this module path: qaxExport.log beside the module, symbolic
// links resolved as the host resolves them.
std::string logPathForModule(const std::string& modulePath);

// The size of a file in bytes, 0 when it does not exist: where this export's part of the log starts.
long long fileSize(const std::string& path);

// The text of a file from byte offset on ("" when unreadable).
std::string readFrom(const std::string& path, long long offset);

// The lines of a failed export's log text that say why: the "Error:", "Warning:" and failure lines ("... failed",
// "Could not ...") of the top-level stage the first failure line lies in, without indent; the last lines
// when no line says so. At most 20 lines.
std::vector<std::string> failureLines(const std::string& logText);

} // namespace qaxtools
