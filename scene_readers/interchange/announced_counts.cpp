#include "scene_readers/interchange/announced_counts.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace interchange {

namespace {

// Headers are short; one that goes on longer than this is not a header.
const size_t kMaxHeaderBytes = 1 << 20;

// Bytes of a PLY scalar type, 0 for an unknown type name.
unsigned scalarSize(const std::string& type)
{
    if (type == "char" || type == "uchar" || type == "int8" || type == "uint8")
        return 1;
    if (type == "short" || type == "ushort" || type == "int16" || type == "uint16")
        return 2;
    if (type == "int" || type == "uint" || type == "float" || type == "int32" || type == "uint32" ||
        type == "float32")
        return 4;
    if (type == "double" || type == "float64")
        return 8;
    return 0;
}

struct Element {
    std::string name;
    unsigned long long count = 0;
    unsigned long long binaryBytes = 0; // fixed bytes per instance in binary files
    unsigned long long properties = 0;
};

bool checkPly(const std::string& header, unsigned long long bodyBytes, std::string& problem)
{
    std::istringstream lines(header);
    std::string line;
    bool binary = false;
    std::vector<Element> elements;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "format") {
            std::string format;
            words >> format;
            binary = format != "ascii";
        } else if (keyword == "element") {
            Element element;
            std::string count;
            words >> element.name >> count;
            errno = 0;
            char* end = nullptr;
            element.count = std::strtoull(count.c_str(), &end, 10);
            if (count.empty() || count[0] == '-' || *end != '\0' || errno == ERANGE) {
                problem = "PLY header: element " + element.name + " has no valid count (\"" + count + "\")";
                return false;
            }
            elements.push_back(element);
        } else if (keyword == "property" && !elements.empty()) {
            std::string type;
            words >> type;
            if (type == "list") {
                std::string countType;
                words >> countType;
                type = countType;
            }
            elements.back().binaryBytes += scalarSize(type);
            ++elements.back().properties;
        }
    }
    unsigned long long needed = 0;
    for (const Element& element : elements) {
        unsigned long long perInstance = binary ? element.binaryBytes : 2 * element.properties;
        if (perInstance == 0)
            perInstance = 1;
        // Compared by division so that an absurd count cannot overflow the sum.
        if (element.count > (bodyBytes - needed) / perInstance) {
            problem = "PLY header announces " + std::to_string(element.count) + " " + element.name +
                      " elements, more than the " + std::to_string(bodyBytes) + " bytes after the header can hold";
            return false;
        }
        needed += element.count * perInstance;
    }
    return true;
}

// head: the start of the file (at least its header when it has one); fileSize: the whole file's size.
bool checkHead(const std::string& head, unsigned long long fileSize, std::string& problem)
{
    if (head.size() < 4 || head.compare(0, 3, "ply") != 0 || (head[3] != '\n' && head[3] != '\r'))
        return true;
    const size_t end = head.find("end_header");
    if (end == std::string::npos || end > kMaxHeaderBytes) {
        problem = "PLY header without end_header";
        return false;
    }
    const size_t lineEnd = head.find('\n', end);
    const unsigned long long body = lineEnd == std::string::npos ? fileSize : lineEnd + 1;
    return checkPly(head.substr(0, end), fileSize - body, problem);
}

} // namespace

bool checkAnnouncedCountsInText(const std::string& contents, std::string& problem)
{
    return checkHead(contents, contents.size(), problem);
}

bool checkAnnouncedCounts(const std::string& path, std::string& problem)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        problem = "cannot open " + path;
        return false;
    }
    // Only the header is read; the body is measured.
    const unsigned long long size = (unsigned long long)(file.tellg());
    file.seekg(0);
    std::string head(size_t(size < kMaxHeaderBytes + 64 ? size : kMaxHeaderBytes + 64), '\0');
    file.read(&head[0], std::streamsize(head.size()));
    head.resize(size_t(file.gcount()));
    return checkHead(head, size, problem);
}

} // namespace interchange
