#include "tools/replaced_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace qaxtools {

ReplacedFile::ReplacedFile(const std::string& path)
{
    const int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info;
    if (descriptor >= 0 && fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode))
        descriptor_ = descriptor;
    else if (descriptor >= 0)
        close(descriptor);
}

ReplacedFile::~ReplacedFile()
{
    if (closer_.joinable())
        closer_.join();
    else if (descriptor_ >= 0)
        close(descriptor_);
}

void ReplacedFile::release()
{
    if (descriptor_ < 0 || closer_.joinable())
        return;
    const int descriptor = descriptor_;
    try {
        closer_ = std::thread([descriptor] { close(descriptor); });
    } catch (const std::system_error&) {
        close(descriptor);
    }
    descriptor_ = -1;
}

} // namespace qaxtools
