// Exports one grid mesh of each given triangle count through the plug-in and prints how long the build
// and the export took and the peak memory, so that growth with size can be read off (twice the
// triangles should take about twice the time). Too slow and too large for the test suite:
//   qax_export_scale [TRIANGLES...]     (default 1000000 2000000 5000000 10000000)

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <maya/MObject.h>
#include <maya/MStatus.h>

#include <headless/plugin_host.h>
#include <headless/scene.h>

#include "log/log.h"
#include "model/allocation.h"

extern "C" MStatus initializePlugin(MObject obj);

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

// A grid of cells x rows quads, each cut into two triangles, with one UV per point.
headless::MeshData grid(long triangles)
{
    long cells = triangles / 2;
    long columns = 1;
    while (columns * columns < cells)
        ++columns;
    long rows = (cells + columns - 1) / columns;
    headless::MeshData data;
    data.points.reserve(size_t((columns + 1) * (rows + 1)));
    data.uvs.reserve(data.points.capacity());
    for (long r = 0; r <= rows; ++r)
        for (long c = 0; c <= columns; ++c) {
            data.points.push_back({double(c), 0.0, double(r)});
            data.uvs.push_back({float(c) / float(columns), float(r) / float(rows)});
        }
    data.faces.reserve(size_t(triangles));
    for (long cell = 0; cell < cells; ++cell) {
        int a = int(cell / columns * (columns + 1) + cell % columns);
        int b = a + 1, c = a + int(columns) + 1, d = c + 1;
        data.faces.push_back({a, b, d});
        data.faces.push_back({a, d, c});
    }
    data.faceUVs = data.faces;
    return data;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<long> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(atol(argv[i]));
    if (sizes.empty())
        sizes = {1000000, 2000000, 5000000, 10000000};

    const char* base = getenv("TMPDIR");
    std::string directory = std::string(base && base[0] ? base : "/tmp") + "/qax_export_scale_XXXXXX";
    if (!mkdtemp(&directory[0])) {
        perror("mkdtemp");
        return 1;
    }
    if (initializePlugin(headless::makePluginObject("qaxExport", directory)) != MStatus::kSuccess)
        return 1;
    pluginDirectory[0] = '\0'; // the log of ten million triangles is long; the console is enough
    if (!freopen("/dev/null", "w", stderr)) // nor is its console copy the point here
        return 1;

    printf("%12s %10s %10s %12s %10s\n", "triangles", "build s", "export s", "s per 1M", "peak MB");
    for (long triangles : sizes) {
        headless::newScene();
        auto start = std::chrono::steady_clock::now();
        MObject mesh = headless::createMesh("gridShape", headless::createTransform("grid"), grid(triangles));
        double build = secondsSince(start);
        if (mesh.isNull() || !headless::assign(headless::findNode("initialShadingGroup"), mesh)) {
            printf("%12ld the host refused the grid\n", triangles);
            return 1;
        }
        const int32_t allocationsBefore = liveAllocations();
        std::string path = directory + "/grid.qax";
        start = std::chrono::steady_clock::now();
        MStatus status = headless::exportFile("qaxExport", path, "vertexColors=0;relProjPath=0;optimize=1;",
                                              MPxFileTranslator::kExportAccessMode);
        double exported = secondsSince(start);
        remove(path.c_str());
        printf("%12ld %10.2f %10.2f %12.3f %10ld%s\n", triangles, build, exported, exported / (triangles / 1e6),
               peakMegabytes(), status == MStatus::kSuccess ? "" : "  export FAILED");
        fflush(stdout);
        if (status != MStatus::kSuccess || liveAllocations() != allocationsBefore)
            return 1;
    }
    headless::emptyScene();
    rmdir(directory.c_str());
    return 0;
}
