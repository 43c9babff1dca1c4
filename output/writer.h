#pragma once
// Writes the output model as one binary .qax file.

#include "output/qax_model.h"

// Writes model to path exactly as it stands: every tag, the stored lengths and counts (nothing is
// recomputed or checked) and whole arrays, little-endian, no padding. The bytes go to a new file
// beside the target that replaces it only once completely written, flushed and closed, so a failed
// write never leaves a partial file nor harms a file already at path; a replaced file keeps its
// permission bits, a new one gets those of any newly created file. Returns false, logging why, when
// path is a directory or the file cannot be created, or when a write, flush, close or the final
// rename fails. Requires string lengths of at most 64 and a non-null array behind every count above
// zero. The model is not changed.
bool writeOutQAXFile(const char* path, const qaxModel& model);
