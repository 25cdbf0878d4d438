#include <benchmark/benchmark.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "app/frm_bench.h"
#include "gdi/gdi.h"
#include "testrun/pixel_listing.h"

namespace {

void drawDistinctSource(ui::Picture& source) {
    std::vector<std::int32_t> pixels(64);
    for (int i = 0; i < 64; ++i) pixels[i] = (i << 16) | ((63 - i) << 8) | (i * 3 + 1);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, 8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    SetDIBitsToDevice(source.hDC(), 0, 0, 8, 8, 0, 0, 0, 8, std::as_bytes(std::span(pixels)), &info,
                      DIB_RGB_COLORS);
}

// Whether the report holds `runs` pairs of listings, source then destination, in order.
bool reportHoldsEveryRun(const std::string& report, std::int64_t runs) {
    const std::string_view text = report;
    const std::size_t pair = text.find("Src Pixels", 1);
    if (pair == std::string_view::npos) return runs == 1 && text.starts_with("Src Pixels");
    const std::string_view first = text.substr(0, pair);
    if (text.size() != first.size() * static_cast<std::size_t>(runs)) return false;
    for (std::size_t at = 0; at < text.size(); at += first.size()) {
        if (text.substr(at, first.size()) != first) return false;
    }
    return first.find("Dst Pixels (RRGGBB) are\r\n") != std::string_view::npos;
}

// One click on "SetDIBitsToDevice" with both listings checked: the handler's whole work, the
// report growing with every run.
void BM_TestRunClick(benchmark::State& state) {
    app::frmBench form;
    form.load();
    drawDistinctSource(form.srcPic);
    form.Check5.click();
    form.Check4.click();
    for (auto _ : state) form.cmdTest.click();
    if (!reportHoldsEveryRun(form.Text3.Text(), state.iterations())) {
        state.SkipWithError("the report does not hold every run's listings in order");
    }
    state.counters["report_bytes"] = static_cast<double>(form.Text3.Text().size());
}
BENCHMARK(BM_TestRunClick)->Iterations(10'000)->Unit(benchmark::kMicrosecond);

// Appending one listing costs the same whatever the report already holds.
void BM_AppendPixelListing(benchmark::State& state) {
    ui::TextBox report("Text3");
    report.setText(std::string(static_cast<std::size_t>(state.range(0)), 'x'));
    const std::vector<std::int32_t> values(64, 0x00ABCDEF);
    for (auto _ : state) {
        testrun::AppendPixelListing(report, "Dst Pixels (RRGGBB) are", 8, 8, values);
    }
}
BENCHMARK(BM_AppendPixelListing)->Arg(0)->Arg(64 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
