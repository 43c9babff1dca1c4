// Speed of the plug-in core against yardsticks timed in the same run, so that a shared, noisy machine
// still gives comparable numbers:
//   (b) convertToQAX + writeOutQAXFile of a 1M-triangle sphere against one fwrite of as many bytes;
//   (c) each duplicate removal on the 1M-triangle arrays against one flat-hash pass over the same array;
//   (d) (b) at 1M triangles against (b) at 100k.
// Every measurement is repeated and the fastest run counts; each timed step starts with the allocator's
// free memory handed back to the system. Prints one line per ratio with its limit.
//   qax_export_speed [DIRECTORY [RUNS]]   (default: the current directory, 5 runs)

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "../sphere_mesh.h"
#include "model/allocation.h"
#include "model/model.h"
#include "optimise/duplicates.h"
#include "output/convert.h"
#include "output/free_qax_model.h"
#include "output/vertex_hash.h"
#include "output/writer.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The export log echoes to standard error; the timed runs keep it out of the terminal.
struct QuietStandardError {
    int saved;
    QuietStandardError() : saved(dup(2))
    {
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        close(null);
    }
    ~QuietStandardError()
    {
        dup2(saved, 2);
        close(saved);
    }
};

struct Timing {
    double best = 1e30;
    void add(double seconds) { best = std::min(best, seconds); }
};

// convertToQAX + writeOutQAXFile of model to path; the size of the file written goes to bytes.
double convertAndWrite(const Model& model, const std::string& path, long& bytes)
{
    qaxModel output{};
    unlink(path.c_str()); // both timed writes make a new file rather than replace one
    // Every export starts with the allocator's free memory handed back, as the first export of a session
    // does: otherwise a small export reuses the pages the last one touched while a large one, whose blocks
    // the allocator returns, pays for fresh pages, and the growth from 100k to 1M would measure that.
    malloc_trim(0);
    Clock::time_point start = Clock::now();
    bool done = convertToQAX(model, output) && writeOutQAXFile(path.c_str(), output);
    double seconds = secondsSince(start);
    bytes = done ? long(output.fileLength) + 8 : -1;
    freeQAXModel(output);
    return seconds;
}

// One fwrite of bytes to a new file at path, opened and closed within the time.
double writeOnce(const std::vector<char>& block, const std::string& path)
{
    unlink(path.c_str());
    Clock::time_point start = Clock::now();
    FILE* file = fopen(path.c_str(), "wb");
    bool done = file && fwrite(block.data(), 1, block.size(), file) == block.size();
    if (file)
        done = fclose(file) == 0 && done;
    double seconds = secondsSince(start);
    if (!done) {
        fprintf(stderr, "could not write %s\n", path.c_str());
        exit(1);
    }
    return seconds;
}

struct ValueArray {
    const char* name;
    int32_t (*remove)(Mesh&);
    float* Mesh::*values;
    int32_t Mesh::*count;
    int32_t width;
};

const ValueArray valueArrays[] = {
    {"positions", removeDuplicateVerts, &Mesh::verts, &Mesh::numVerts, 3},
    {"colours", removeDuplicateColors, &Mesh::colors, &Mesh::numColors, 3},
    {"texture coordinates", removeDuplicateUVs, &Mesh::UVs, &Mesh::numUVs, 2},
    {"normals", removeDuplicateNormals, &Mesh::normals, &Mesh::numNormals, 3},
};

// The yardstick of a removal: every entry looked up in, or added to, one flat table sized once for the
// array, by the exact bits of its value. Returns the distinct values, so that the pass cannot be skipped.
int32_t hashPass(const float* values, int32_t count, int32_t width)
{
    ExactHashTable table;
    if (!createHashTable(table, "speed->slots", uint32_t(count)))
        exit(1);
    int32_t distinct = 0;
    for (int32_t id = 0; id < count; ++id) {
        const float* value = values + size_t(id) * width;
        int32_t found = findOrInsert(table, hashFloats(value, width), id, [&](int32_t stored) {
            const float* other = values + size_t(stored) * width;
            for (int32_t c = 0; c < width; ++c)
                if (other[c] != value[c])
                    return false;
            return true;
        });
        distinct += found == id;
    }
    releaseHashTable(table);
    return distinct;
}

void printRatio(const char* what, double ratio, double limit)
{
    printf("%-58s %7.2f x   (at most %g x: %s)\n", what, ratio, limit, ratio <= limit ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char** argv)
{
    std::string directory = argc > 1 ? argv[1] : ".";
    int runs = argc > 2 ? atoi(argv[2]) : 5;
    if (runs < 1)
        runs = 1;
    const std::string qaxPath = directory + "/export_speed.qax";
    const std::string rawPath = directory + "/export_speed.raw";

    Model large, small;
    buildSphereScene(large, 1000000);
    buildSphereScene(small, 100000);

    // (b) and (d): the runs of the three are interleaved so that a busy spell of the machine hits all alike.
    Timing exportLarge, exportSmall, rawWrite;
    long largeBytes = 0, smallBytes = 0;
    std::vector<char> block;
    {
        QuietStandardError quiet;
        convertAndWrite(large, qaxPath, largeBytes); // warms the allocator and the page cache
        if (largeBytes > 0)
            block.assign(size_t(largeBytes), 'q');
        for (int run = 0; run < runs && largeBytes > 0; ++run) {
            exportLarge.add(convertAndWrite(large, qaxPath, largeBytes));
            exportSmall.add(convertAndWrite(small, qaxPath, smallBytes));
            rawWrite.add(writeOnce(block, rawPath));
        }
    }
    if (largeBytes <= 0 || smallBytes <= 0) {
        fprintf(stderr, "the export of the sphere failed\n");
        return 1;
    }
    unlink(qaxPath.c_str());
    unlink(rawPath.c_str());

    // (c): each removal and its hash pass on the same captured array, interleaved.
    const Mesh& captured = large.frames[0].meshes[0];
    Timing removal[4], hashing[4];
    int32_t removed[4] = {}, distinct[4] = {};
    for (int run = 0; run < runs; ++run) {
        for (int a = 0; a < 4; ++a) {
            const ValueArray& array = valueArrays[a];
            // Both start with the allocator's free memory handed back, as each export does above: which
            // of the two would otherwise get pages already touched depends on what ran before.
            malloc_trim(0);
            Clock::time_point start = Clock::now();
            distinct[a] = hashPass(captured.*array.values, captured.*array.count, array.width);
            hashing[a].add(secondsSince(start));

            Mesh mesh;
            copyMesh(mesh, captured);
            malloc_trim(0);
            start = Clock::now();
            removed[a] = array.remove(mesh);
            removal[a].add(secondsSince(start));
            freeMeshArrays(mesh);
        }
    }

    printf("Sphere of 1000000 triangles, %ld bytes of .qax; fastest of %d runs each\n", largeBytes, runs);
    printf("  convert + write 1M: %.1f ms, 100k: %.1f ms; one fwrite of %ld bytes: %.1f ms\n",
           exportLarge.best * 1e3, exportSmall.best * 1e3, largeBytes, rawWrite.best * 1e3);
    printRatio("(b) convert + write 1M triangles / one fwrite", exportLarge.best / rawWrite.best, 10);
    for (int a = 0; a < 4; ++a) {
        const ValueArray& array = valueArrays[a];
        char what[96];
        snprintf(what, sizeof what, "(c) removal of duplicate %s / one hash pass", array.name);
        printf("  %s: %d entries, %d removed (%d distinct); removal %.1f ms, hash pass %.1f ms\n", array.name,
               captured.*array.count, removed[a], distinct[a], removal[a].best * 1e3, hashing[a].best * 1e3);
        printRatio(what, removal[a].best / hashing[a].best, 2);
    }
    printRatio("(d) convert + write 1M triangles / 100k triangles", exportLarge.best / exportSmall.best, 11);
    freeModel(large);
    freeModel(small);
    return 0;
}
