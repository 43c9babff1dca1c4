// Duplicate removal on a captured sphere, hashed against the pairwise removal.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>

#include "conversion/quadratic_reference.h"
#include "model/allocation.h"
#include "model/model.h"
#include "optimise/duplicates.h"
#include "sphere_mesh.h"

namespace {

template <int32_t (*removeDuplicates)(Mesh&), bool pairwise>
void removeFromSphere(benchmark::State& state)
{
    const int32_t triangles = int32_t(state.range(0));
    Model model;
    buildSphereScene(model, triangles);
    const Mesh& captured = model.frames[0].meshes[0];
    double seconds = 0.0;
    int32_t removed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Mesh mesh;
        copyMesh(mesh, captured);
        state.ResumeTiming();
        auto start = std::chrono::steady_clock::now();
        removed = removeDuplicates(mesh);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.PauseTiming();
        freeMeshArrays(mesh);
        state.ResumeTiming();
    }
    freeModel(model);
    state.counters["triangles"] = triangles;
    state.counters["removed"] = removed;
    if (pairwise) {
        // What the run would take at a million triangles if it grew with the square of the size.
        double scale = 1e6 / triangles;
        state.counters["squared_to_1M_s"] = seconds / double(state.iterations()) * scale * scale;
    }
}

} // namespace

#define QAX_REMOVAL_BENCHMARKS(name)                                                                   \
    void BM_##name(benchmark::State& state) { removeFromSphere<name, false>(state); }                         \
    void BM_Pairwise##name(benchmark::State& state) { removeFromSphere<reference::name, true>(state); }      \
    BENCHMARK(BM_##name)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);        \
    BENCHMARK(BM_Pairwise##name)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

QAX_REMOVAL_BENCHMARKS(removeDuplicateVerts)
QAX_REMOVAL_BENCHMARKS(removeDuplicateColors)
QAX_REMOVAL_BENCHMARKS(removeDuplicateUVs)
QAX_REMOVAL_BENCHMARKS(removeDuplicateNormals)

BENCHMARK_MAIN();
