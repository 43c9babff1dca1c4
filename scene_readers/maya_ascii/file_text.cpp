#include "scene_readers/maya_ascii/file_text.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mayaascii {

bool FileText::open(const std::string& path, std::string& error)
{
    release();
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = std::string("cannot open the file (") + std::strerror(errno) + ")";
        return false;
    }
    struct stat info;
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        // Populated at once: the reader walks every byte, and one pass over the page tables beats a fault
        // per page.
        void* mapping = mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, descriptor, 0);
        if (mapping != MAP_FAILED) {
            mapping_ = mapping;
            mappedSize_ = size_t(info.st_size);
            text_ = std::string_view(static_cast<const char*>(mapping), mappedSize_);
            ::close(descriptor);
            return true;
        }
    }
    // Not mappable (a pipe, an empty or special file): read to the end.
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        read_.append(buffer, size_t(got));
    }
    if (!ok)
        error = std::string("cannot read the file (") + std::strerror(errno) + ")";
    ::close(descriptor);
    text_ = read_;
    return ok;
}

void FileText::release()
{
    if (mapping_ != nullptr)
        munmap(mapping_, mappedSize_);
    mapping_ = nullptr;
    mappedSize_ = 0;
    std::string().swap(read_);
    text_ = std::string_view();
}

} // namespace mayaascii
