#include "tools/heap_settings.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void restartWithHugePages(char** argv)
{
#if defined(__linux__) && defined(__GLIBC__)
    const char* const tunable = "glibc.malloc.hugetlb";
    const char* current = std::getenv("GLIBC_TUNABLES");
    // Set already (by the first start, or by the user, whose choice stands): nothing to do.
    if (current != nullptr && std::strstr(current, tunable) != nullptr)
        return;
    std::string value = current != nullptr && *current != '\0' ? std::string(current) + ":" : std::string();
    value += std::string(tunable) + "=1";
    if (setenv("GLIBC_TUNABLES", value.c_str(), 1) != 0)
        return;
    execv("/proc/self/exe", argv);
    // Not restarted (no /proc): the export runs on ordinary pages, only slower.
#else
    (void)argv;
#endif
}

void tuneHeap()
{
#if defined(__GLIBC__)
    // Wishes: the export runs either way.
    (void)mallopt(M_ARENA_MAX, 1);
    (void)mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
}
