// Fuzzes the .qax reader with arbitrary bytes. Checked on every input, beyond the sanitizers:
// - a refused input gets a message and leaves the model empty with nothing allocated;
// - an accepted input is written back by the writer to exactly the same bytes, so the reader takes
//   nothing the format does not define and drops nothing it does;
// - the allocation register is back where it started once the model is released.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <unistd.h>

#include "fuzz/finding.h"
#include "log/log.h"
#include "model/allocation.h"
#include "output/compare.h"
#include "output/free_qax_model.h"
#include "output/reader.h"
#include "output/writer.h"

namespace {

std::string scratchDirectory;

[[noreturn]] void violation(const char* what, const char* detail)
{
    fuzzfinding::report("fuzz_qax_reader", std::string(what) + (detail[0] ? ": " : "") + detail);
}

bool isEmptyModel(const qaxModel& model)
{
    static const qaxModel empty = {};
    return memcmp(&model, &empty, sizeof(model)) == 0;
}

std::vector<unsigned char> readBack(const std::string& path)
{
    std::vector<unsigned char> bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    unsigned char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof(buffer), file)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(file);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzfinding::keepConsole();
    const char* base = getenv("TMPDIR");
    std::string pattern = std::string(base && base[0] ? base : "/tmp") + "/qax_fuzz_reader_XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (!mkdtemp(buffer.data()))
        violation("cannot create a scratch directory", pattern.c_str());
    scratchDirectory = buffer.data();
    pluginDirectory[0] = '\0'; // the writer's log lines go to the console only
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const int32_t allocationsBefore = liveAllocations();
    qaxModel model;
    char error[2048];
    bool accepted = parseQAX(data, size, model, error, sizeof(error));
    if (!accepted) {
        if (error[0] == '\0')
            violation("refused without a message", "");
        if (!isEmptyModel(model))
            violation("refused but left the model filled", error);
        if (liveAllocations() != allocationsBefore)
            violation("refused but left allocations behind", error);
        return 0;
    }
    if (error[0] != '\0')
        violation("accepted with a message", error);

    char detail[1024];
    validateQAXIndices(model, detail, sizeof(detail)); // either answer is fine; it must not misbehave
    if (!compareQAXModels(model, model, detail, sizeof(detail)))
        violation("a model differs from itself", detail);

    std::string path = scratchDirectory + "/round_trip.qax";
    if (!writeOutQAXFile(path.c_str(), model))
        violation("the writer refused an accepted model", path.c_str());
    std::vector<unsigned char> written = readBack(path);
    unlink(path.c_str());
    if (written.size() != size || memcmp(written.data(), data, size) != 0) {
        snprintf(detail, sizeof(detail), "%zu bytes read, %zu bytes written back", size, written.size());
        violation("an accepted file is not written back as it was", detail);
    }

    freeQAXModel(model);
    if (liveAllocations() != allocationsBefore)
        violation("allocations left behind after freeQAXModel", "");
    return 0;
}
