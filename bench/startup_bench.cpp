#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

extern char** environ;

namespace {

// Starts the real program, which shows its window, saves a screenshot as soon as the window has
// been painted for the first time and exits. The figure is therefore start-up to the first painted
// window plus writing one small PNG and tearing down: an upper bound for the start-up alone.
void BM_StartupToFirstPaint(benchmark::State& state) {
    if (std::getenv("DISPLAY") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
    const std::string screenshot =
        (std::filesystem::temp_directory_path() / "diblab-startup-bench.png").string();
    std::string program = DIBLAB_EXECUTABLE;
    std::string option = "--screenshot";
    char* arguments[] = {program.data(), option.data(), const_cast<char*>(screenshot.c_str()),
                         nullptr};
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments, environ) != 0 ||
            waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("diblab did not start, paint and exit cleanly");
            break;
        }
    }
    std::filesystem::remove(screenshot);
}

BENCHMARK(BM_StartupToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
