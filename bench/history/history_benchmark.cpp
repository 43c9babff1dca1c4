// Construction history against baked geometry: loading a scene whose mesh a generator makes, beside loading
// the same mesh baked into the file. Evaluating the history should cost no more than reading its result.

#include "history/baked_text.h"
#include "scene_readers/maya_ascii/maya_ascii_reader.h"

#include <benchmark/benchmark.h>

#include <headless/poly_mesh.h>
#include <headless/scene.h>

#include <map>
#include <string>

namespace {

struct Primitive {
    const char* type;
    std::map<std::string, double> attributes;
};

const Primitive primitives[] = {{"polySphere", {{"sa", 500}, {"sh", 500}}},
                                {"polyPlane", {{"sw", 1000}, {"sh", 1000}}}};

void load(benchmark::State& state, const std::string& text)
{
    for (auto _ : state) {
        mayaascii::LoadReport report = mayaascii::loadMayaAsciiText(text, "bench.ma");
        if (!report.ok || report.meshes != 1) {
            state.SkipWithError(report.message.empty() ? "the mesh did not load" : report.message.c_str());
            break;
        }
    }
    headless::emptyScene();
}

void BM_LoadHistory(benchmark::State& state)
{
    const Primitive& p = primitives[state.range(0)];
    state.SetLabel(p.type);
    load(state, historytest::generatorScene(p.type, p.attributes));
}

void BM_LoadBaked(benchmark::State& state)
{
    const Primitive& p = primitives[state.range(0)];
    state.SetLabel(p.type);
    load(state, historytest::bakedScene(headless::primitiveMesh(p.type, p.attributes)));
}

BENCHMARK(BM_LoadHistory)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBaked)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
