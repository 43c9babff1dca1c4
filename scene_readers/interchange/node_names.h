#pragma once
// Names for the nodes made from an interchange file: the host allows letters, digits and underscores, not
// starting with a digit, and one node per name.

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace interchange {

// The file's name as a host node name: every character other than an ASCII letter, digit or underscore becomes
// an underscore, a leading digit gets an underscore in front, and an empty name becomes fallback.
std::string hostNodeName(const std::string& fileName, const std::string& fallback);

// Hands out names no other node has: the first request for a name gets it as it is, later ones get the name
// followed by a number, counting up from 1 per name and skipping names that are taken ("wheel", "wheel1",
// "wheel2", ...).
class NameRegistry {
public:
    // Marks a name as taken (the nodes that are already in the scene).
    void reserve(const std::string& name);
    bool isTaken(const std::string& name) const;
    // hostNodeName(wanted, fallback), made unique and reserved.
    std::string claim(const std::string& wanted, const std::string& fallback);

private:
    std::unordered_set<std::string> taken_;
    std::unordered_map<std::string, unsigned> lastSuffix_;
};

} // namespace interchange
