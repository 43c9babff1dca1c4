#include "scene_readers/interchange/library_import.h"

#include "scene_readers/interchange/file_extension.h"

#include <assimp/Importer.hpp>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QAX_ADDRESS_SPACE_RESERVED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || __has_feature(thread_sanitizer)
#define QAX_ADDRESS_SPACE_RESERVED 1
#endif
#endif

namespace interchange {

namespace {

// The process's current address-space size in bytes, 0 when it cannot be read.
unsigned long long addressSpaceInUse()
{
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (!statm)
        return 0;
    unsigned long long pages = 0;
    const int read = std::fscanf(statm, "%llu", &pages);
    std::fclose(statm);
    return read == 1 ? pages * (unsigned long long)(sysconf(_SC_PAGESIZE)) : 0;
}

// Lowers the soft address-space limit for its lifetime; restores the previous one on the way out.
class AddressSpaceCap {
public:
    explicit AddressSpaceCap(unsigned long long budget)
    {
        if (budget == 0 || !memoryCapAvailable() || getrlimit(RLIMIT_AS, &saved_) != 0)
            return;
        const unsigned long long inUse = addressSpaceInUse();
        if (inUse == 0)
            return;
        rlimit capped = saved_;
        const unsigned long long limit = inUse + budget;
        if (saved_.rlim_cur != RLIM_INFINITY && saved_.rlim_cur <= limit)
            return;
        capped.rlim_cur = rlim_t(limit);
        active_ = setrlimit(RLIMIT_AS, &capped) == 0;
    }
    ~AddressSpaceCap()
    {
        if (active_)
            setrlimit(RLIMIT_AS, &saved_);
    }
    AddressSpaceCap(const AddressSpaceCap&) = delete;
    AddressSpaceCap& operator=(const AddressSpaceCap&) = delete;
    bool active() const { return active_; }

private:
    rlimit saved_{};
    bool active_ = false;
};

} // namespace

ImportedFile::ImportedFile() = default;
ImportedFile::~ImportedFile() = default;
ImportedFile::ImportedFile(ImportedFile&&) noexcept = default;
ImportedFile& ImportedFile::operator=(ImportedFile&&) noexcept = default;

unsigned long long defaultMemoryBudget(unsigned long long fileSize)
{
    const unsigned long long floor = 4ull << 30;
    if (fileSize > (~0ull) / 64)
        return ~0ull;
    return fileSize * 64 > floor ? fileSize * 64 : floor;
}

bool memoryCapAvailable()
{
#ifdef QAX_ADDRESS_SPACE_RESERVED
    return false;
#else
    return true;
#endif
}

bool importFile(const std::string& path, unsigned long long memoryBudget, ImportedFile& imported,
                std::string& error)
{
    imported = ImportedFile();
    imported.importer.reset(new Assimp::Importer());
    Assimp::Importer& importer = *imported.importer;
    importer.SetPropertyBool(AI_CONFIG_IMPORT_COLLADA_IGNORE_UP_DIRECTION, true);
    importer.SetPropertyBool(AI_CONFIG_IMPORT_FBX_PRESERVE_PIVOTS, false);
    importer.SetPropertyBool(AI_CONFIG_IMPORT_FBX_READ_ANIMATIONS, false);
    importer.SetPropertyBool(AI_CONFIG_IMPORT_NO_SKELETON_MESHES, true);
    bool capped = false;
    {
        AddressSpaceCap cap(memoryBudget);
        capped = cap.active();
        try {
            imported.scene = importer.ReadFile(path, aiProcess_ValidateDataStructure);
        } catch (const std::bad_alloc&) {
            imported.scene = nullptr;
        }
    }
    if (imported.scene == nullptr) {
        error = importer.GetErrorString();
        if (error.empty() || error.find("bad_alloc") != std::string::npos)
            error = capped ? "reading it needs more memory than the " + std::to_string(memoryBudget >> 20) +
                                 " MiB allowed"
                           : "reading it ran out of memory";
        imported.importer.reset();
        return false;
    }
    return true;
}

bool libraryReadsExtension(const std::string& path)
{
    const std::string extension = lowerExtension(path);
    if (extension.empty())
        return false;
    Assimp::Importer importer;
    return importer.IsExtensionSupported("." + extension);
}

} // namespace interchange
