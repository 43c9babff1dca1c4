#pragma once
// Reading a file with the import library: the settings the scene building relies on, and a cap on the memory
// the import may take so that a file announcing absurd sizes fails instead of exhausting the machine.

#include <memory>
#include <string>

struct aiScene;
namespace Assimp {
class Importer;
}

namespace interchange {

struct ImportedFile {
    std::unique_ptr<Assimp::Importer> importer; // owns scene
    const aiScene* scene = nullptr;
    ImportedFile();
    ~ImportedFile();
    ImportedFile(ImportedFile&&) noexcept;
    ImportedFile& operator=(ImportedFile&&) noexcept;
};

// The memory an import of a file of fileSize bytes may take on top of what the process already uses: 64 times
// the file, and at least 4 GiB.
unsigned long long defaultMemoryBudget(unsigned long long fileSize);

// Whether the cap can be applied in this build: it limits the process's address space, which the address
// sanitizer reserves in bulk, so sanitizer builds import without it.
bool memoryCapAvailable();

// Imports the file at path with faces kept as the file has them (no triangulation, no vertex joining), the
// library's own consistency check, COLLADA's up axis left to the caller (not turned into a root rotation),
// FBX pivots folded into the node matrices, and no animation. While the library reads, the process's address
// space is capped at its current size plus memoryBudget bytes (0: no cap). Returns false with the library's
// reason in error when the file cannot be read; a cap that was hit says so.
bool importFile(const std::string& path, unsigned long long memoryBudget, ImportedFile& imported,
                std::string& error);

// True when the library has an importer for the extension of path (case ignored).
bool libraryReadsExtension(const std::string& path);

} // namespace interchange
