#include "support/test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "log/log.h"

namespace testsupport {

TempDir::TempDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "qaxtest-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        throw std::runtime_error("mkdtemp failed");
    path_ = buffer.data();
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string sourceDirectory()
{
    const char* source = std::getenv("QAX_SOURCE_DIR");
    const std::string file = __FILE__;
    return source ? std::string(source) : file.substr(0, file.find_last_of('/')) + "/../..";
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

std::vector<unsigned char> readBytes(const std::string& path)
{
    std::string text = readFile(path);
    return std::vector<unsigned char>(text.begin(), text.end());
}

void writeFile(const std::string& path, const std::string& contents)
{
    std::ofstream out(path, std::ios::binary);
    out << contents;
}

bool fileExists(const std::string& path)
{
    return std::filesystem::exists(path);
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

LogCapture::LogCapture() : savedDirectory_(pluginDirectory), savedIndent_(logIndent)
{
    snprintf(pluginDirectory, sizeof(pluginDirectory), "%s", dir_.path().c_str());
    logIndent[0] = '\0';
}

LogCapture::~LogCapture()
{
    snprintf(pluginDirectory, sizeof(pluginDirectory), "%s", savedDirectory_.c_str());
    snprintf(logIndent, sizeof(logIndent), "%s", savedIndent_.c_str());
}

std::string LogCapture::text() const
{
    return readFile(dir_.file("qaxExport.log"));
}

void LogCapture::clear()
{
    std::remove(dir_.file("qaxExport.log").c_str());
}

} // namespace testsupport
