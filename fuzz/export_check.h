#pragma once
// The export the scene fuzz targets run on whatever scene they built, and the property every run must
// keep: the export either fails, says so in the log and writes nothing, or writes a file that the
// .qax reader accepts; and the allocation register is back where it started. A broken property
// aborts the process with a line on standard error, which the fuzzer reports as a finding.

#include <string>

#include <maya/MPxFileTranslator.h>

namespace fuzzcheck {

// Registers the plug-in's translator in the headless host from a private scratch directory, which then
// holds the export log and the exported file. Call once, from LLVMFuzzerInitialize.
void setUpExporter(const char* targetName);

// Exports the current headless scene through the registered translator with the option string and the
// access mode (save, export all or export selection) and checks the property.
void exportAndCheck(const std::string& options, MPxFileTranslator::FileAccessMode mode);

} // namespace fuzzcheck
