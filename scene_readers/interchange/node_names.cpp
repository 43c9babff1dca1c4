#include "scene_readers/interchange/node_names.h"

namespace interchange {

namespace {

bool isNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

std::string hostNodeName(const std::string& fileName, const std::string& fallback)
{
    if (fileName.empty())
        return fallback;
    std::string name;
    name.reserve(fileName.size() + 1);
    if (fileName[0] >= '0' && fileName[0] <= '9')
        name += '_';
    for (char c : fileName)
        name += isNameCharacter(c) ? c : '_';
    return name;
}

void NameRegistry::reserve(const std::string& name)
{
    taken_.insert(name);
}

bool NameRegistry::isTaken(const std::string& name) const
{
    return taken_.count(name) != 0;
}

std::string NameRegistry::claim(const std::string& wanted, const std::string& fallback)
{
    const std::string base = hostNodeName(wanted, fallback);
    std::string name = base;
    // Counting on from the last number given for this name keeps a file that repeats one name n times linear.
    unsigned& next = lastSuffix_[base];
    while (taken_.count(name) != 0)
        name = base + std::to_string(++next);
    taken_.insert(name);
    return name;
}

} // namespace interchange
