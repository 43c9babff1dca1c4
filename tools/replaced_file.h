#pragma once
// The file an export replaces, held open across the export and let go on a second thread after it. The new
// file is renamed into place over the old one; were the old one not open, the rename would free its pages and
// blocks as it took its last name (some 50 ms for the 100 MB of a million-triangle scene), on the export's
// path. Held, that work falls to the close, which runs beside the read-back check.

#include <string>
#include <thread>

namespace qaxtools {

class ReplacedFile {
public:
    // Holds the regular file at path, if there is one.
    explicit ReplacedFile(const std::string& path);
    // Waits for the close started by release(), or closes now.
    ~ReplacedFile();
    ReplacedFile(const ReplacedFile&) = delete;
    ReplacedFile& operator=(const ReplacedFile&) = delete;

    // Lets the file go on a second thread (on this one when none can be had).
    void release();

private:
    int descriptor_ = -1;
    std::thread closer_;
};

} // namespace qaxtools
