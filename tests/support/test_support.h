#pragma once
// Helpers shared by the test programs.

#include <string>
#include <vector>

namespace testsupport {

// A fresh, empty directory under the system's temporary directory, removed with everything in it
// when the object goes out of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The source tree: as the test runner names it (QAX_SOURCE_DIR), or, run by hand, the one these helpers lie in.
std::string sourceDirectory();

std::string readFile(const std::string& path);
std::vector<unsigned char> readBytes(const std::string& path);
void writeFile(const std::string& path, const std::string& contents);
bool fileExists(const std::string& path);

// Splits a text into lines, each keeping its "\n".
std::vector<std::string> splitLines(const std::string& text);

// Points the export log at a temporary directory for the lifetime of the object (restoring the old
// plug-in directory and indent afterwards) and reads back what was logged.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    std::string text() const;
    std::vector<std::string> lines() const { return splitLines(text()); }
    void clear();

private:
    TempDir dir_;
    std::string savedDirectory_;
    std::string savedIndent_;
};

} // namespace testsupport
