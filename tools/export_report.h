#pragma once
// The --report file: one JSON object per line, one line per scene, so that the reports of several runs (on
// several machines) merge by concatenating the files.

#include "tools/scene_export.h"

#include <string>

namespace qaxtools {

struct ReportEntry {
    std::string input, output;
    std::string status;     // "exported", "up to date", "failed", "timed out" or "crashed"
    ExportOutcome outcome;  // message, warnings, totals, bytes, seconds, log lines
};

// The entry of one finished export: "exported" for status 0, else "failed".
ReportEntry entryOf(const std::string& input, const std::string& output, const ExportOutcome& outcome);

// The entry as one line of JSON ending in "\n".
std::string reportLine(const ReportEntry& entry);

// Reads back a line reportLine wrote. Returns false when the text is not such a line.
bool parseReportLine(const std::string& line, ReportEntry& entry);

// Writes lines to the report file, after what it holds unless fresh. Returns false with the reason when it
// cannot be written.
bool writeReport(const std::string& path, const std::string& lines, bool fresh, std::string& error);

} // namespace qaxtools
