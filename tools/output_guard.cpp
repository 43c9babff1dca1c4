#include "tools/output_guard.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>

namespace qaxtools {

namespace {

// A file the .qax writer made starts with its tag; an empty file holds nothing to lose.
bool holdsQaxOrNothing(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    char tag[4] = {};
    const size_t read = std::fread(tag, 1, sizeof tag, file);
    const bool empty = read == 0 && std::feof(file);
    std::fclose(file);
    return empty || (read == sizeof tag && std::memcmp(tag, "QAX1", 4) == 0);
}

} // namespace

bool outputAllowed(const std::string& scene, const std::string& output, bool force, std::string& reason)
{
    struct stat sceneInfo, outputInfo;
    if (stat(output.c_str(), &outputInfo) != 0)
        return true;  // nothing there yet (an unreadable scene is the reader's to report)
    // Device and inode catch the same file under any name: the same path, a symbolic link or a hard link.
    if (stat(scene.c_str(), &sceneInfo) == 0 && sceneInfo.st_dev == outputInfo.st_dev &&
        sceneInfo.st_ino == outputInfo.st_ino) {
        reason = "the output " + output + " is the scene " + scene + " itself; refusing to overwrite it";
        return false;
    }
    if (S_ISDIR(outputInfo.st_mode)) {
        reason = "the output " + output + " is a folder";
        return false;
    }
    if (!force && !holdsQaxOrNothing(output)) {
        reason = "the output " + output + " exists and is not a .qax file; refusing to overwrite it (--force does)";
        return false;
    }
    return true;
}

} // namespace qaxtools
