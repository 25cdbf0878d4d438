#include "probe_output.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

// One bench-sized case through parsing, the GDI call and formatting, as diblab-probe runs it.
void probeCase8x8(benchmark::State& state) {
    const std::string line = "8 8 1 ffffffff 8 8 0 00a00000 0 0 8 8 0 0 2 3";
    std::string out;
    for (auto _ : state) {
        out.clear();
        benchmark::DoNotOptimize(probe::processLine(line, probe::OutputStyle::Line, out));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(probeCase8x8);

}  // namespace

BENCHMARK_MAIN();
