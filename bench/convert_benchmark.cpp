// Conversion of a captured sphere to the output model, hashed against the pairwise search.

#include <benchmark/benchmark.h>

#include <chrono>

#include "conversion/quadratic_reference.h"
#include "model/model.h"
#include "output/convert.h"
#include "output/free_qax_model.h"
#include "plugin/settings.h"
#include "sphere_mesh.h"

namespace {

// What a pairwise run would take at a million triangles if it grew with the square of the size.
void reportSquaredTo1M(benchmark::State& state, double seconds, int32_t triangles)
{
    double scale = 1e6 / triangles;
    state.counters["squared_to_1M_s"] = seconds / double(state.iterations()) * scale * scale;
}

template <bool (*convert)(const Model&, qaxModel&), bool pairwise>
void convertSphere(benchmark::State& state, uint8_t colors)
{
    const int32_t triangles = int32_t(state.range(0));
    Model model;
    buildSphereScene(model, triangles);
    uint8_t savedColors = includeVertexColors;
    includeVertexColors = colors;
    double seconds = 0.0;
    for (auto _ : state) {
        qaxModel output{};
        auto start = std::chrono::steady_clock::now();
        bool converted = convert(model, output);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        benchmark::DoNotOptimize(converted);
        state.PauseTiming();
        freeQAXModel(output);
        state.ResumeTiming();
    }
    includeVertexColors = savedColors;
    freeModel(model);
    state.counters["triangles"] = triangles;
    if (pairwise)
        reportSquaredTo1M(state, seconds, triangles);
}

template <int32_t (*count)(const Mesh*, uint8_t), bool pairwise>
void countSpherePairs(benchmark::State& state)
{
    const int32_t triangles = int32_t(state.range(0));
    Model model;
    buildSphereScene(model, triangles);
    double seconds = 0.0;
    int32_t unique = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        unique = count(&model.frames[0].meshes[0], 0);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    freeModel(model);
    state.counters["triangles"] = triangles;
    state.counters["unique"] = unique;
    if (pairwise)
        reportSquaredTo1M(state, seconds, triangles);
}

void BM_ConvertToQAX(benchmark::State& state)
{
    convertSphere<convertToQAX, false>(state, 0);
}

void BM_ConvertToQAXWithColours(benchmark::State& state)
{
    convertSphere<convertToQAX, false>(state, 1);
}

void BM_PairwiseConvertToQAX(benchmark::State& state)
{
    convertSphere<reference::convertToQAX, true>(state, 0);
}

void BM_PairwiseConvertToQAXWithColours(benchmark::State& state)
{
    convertSphere<reference::convertToQAX, true>(state, 1);
}

// The pair count is the part of the pairwise conversion that splitting large meshes does not bound.
void BM_CountUniquePairs(benchmark::State& state)
{
    countSpherePairs<countUniquePairs, false>(state);
}

void BM_PairwiseCountUniquePairs(benchmark::State& state)
{
    countSpherePairs<reference::countUniquePairs, true>(state);
}

} // namespace

BENCHMARK(BM_ConvertToQAX)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertToQAXWithColours)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairwiseConvertToQAX)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairwiseConvertToQAXWithColours)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountUniquePairs)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairwiseCountUniquePairs)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);
