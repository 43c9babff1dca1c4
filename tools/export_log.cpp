#include "tools/export_log.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace qaxtools {

namespace {

const size_t mostLines = 20;

bool startsWith(const std::string& text, const char* prefix)
{
    return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool saysFailure(const std::string& line)
{
    return startsWith(line, "Error:") || line.find("failed") != std::string::npos ||
           line.find("Could not") != std::string::npos || line.find("could not") != std::string::npos ||
           line.find("Cannot") != std::string::npos || line.find("not found") != std::string::npos;
}

} // namespace

std::string logPathForModule(const std::string& modulePath)
{
    std::string path = modulePath;
    if (char* resolved = realpath(modulePath.c_str(), nullptr)) {
        path = resolved;
        std::free(resolved);
    }
    const size_t slash = path.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : path.substr(0, slash);
    return directory + "/qaxExport.log";
}

long long fileSize(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0 ? (long long)info.st_size : 0;
}

std::string readFrom(const std::string& path, long long offset)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "";
    in.seekg(offset);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> failureLines(const std::string& logText)
{
    struct Line {
        std::string text;
        bool topLevel;
    };
    std::vector<Line> lines;
    std::istringstream in(logText);
    for (std::string line; std::getline(in, line);) {
        const size_t start = line.find_first_not_of(' ');
        if (start != std::string::npos)
            lines.push_back({line.substr(start), start == 0});
    }
    size_t first = 0;
    while (first < lines.size() && !saysFailure(lines[first].text))
        ++first;
    std::vector<std::string> picked;
    if (first == lines.size()) {
        for (size_t i = lines.size() > 5 ? lines.size() - 5 : 0; i < lines.size(); ++i)
            picked.push_back(lines[i].text);
        return picked;
    }
    size_t stage = first;
    while (stage > 0 && !lines[stage].topLevel)
        --stage;
    for (size_t i = stage; i < lines.size() && picked.size() < mostLines; ++i) {
        const std::string& text = lines[i].text;
        if (saysFailure(text) || startsWith(text, "Warning:"))
            picked.push_back(text);
    }
    return picked;
}

} // namespace qaxtools
