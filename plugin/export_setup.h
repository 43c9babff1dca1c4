#pragma once
// The per-export set-up the translator's writer runs before the pipeline.

#include <maya/MFileObject.h>

// Fills outputPath from the file's full name, projectDirectory from the host's workspace root
// (lower-cased, forward slashes), exportScale 1.0, empties the log indent and logs the banner and the
// paths. A workspace root too long for its field is ignored with a warning (projectDirectory stays
// empty). Returns false, logging why, when the output path does not fit outputPath: a cut path would
// name another file, so nothing may be written.
bool setUpExport(const MFileObject& file);
