#include "case_sets.h"
#include "format_cases.h"
#include "probe_session.h"
#include "rle_cases.h"
#include "scenario_session.h"
#include "script_session.h"

#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t batchSize = 50000;
constexpr std::size_t scenarioBatchSize = 1000;

constexpr std::string_view usage =
    "Usage: diblab-difftest WINE WORKDIR probe-grid OUR_PROBE WINDOWS_PROBE\n"
    "       diblab-difftest WINE WORKDIR probe-random SEED COUNT OUR_PROBE WINDOWS_PROBE\n"
    "       diblab-difftest WINE WORKDIR probe-formats SEED PER_PAIR OUR_PROBE WINDOWS_PROBE\n"
    "       diblab-difftest WINE WORKDIR probe-rle SEED PER_PAIR OUR_PROBE WINDOWS_PROBE\n"
    "       diblab-difftest WINE WORKDIR scripts OUR_SCRIPT WINDOWS_SCRIPT SCRIPT...\n"
    "       diblab-difftest WINE WORKDIR scenarios SEED COUNT OUR_SCRIPT WINDOWS_SCRIPT\n"
    "\n"
    "Runs a tool built on the emulated GDI layer and the same tool built for Windows (run with\n"
    "the Wine loader WINE) on the same input, and compares their outputs. probe-grid and\n"
    "probe-random feed diblab-probe a systematic grid of cases or COUNT random ones drawn from\n"
    "SEED; every pixel must match, and every result, except where Wine is known to depart from\n"
    "Windows in calls that draw nothing (there ours must give Windows' result). probe-formats\n"
    "takes every uncompressed source format onto every destination format (a grid and PER_PAIR\n"
    "random calls a pair), probe-rle both RLE formats (PER_PAIR random calls a pair); where ours\n"
    "departs from Wine on purpose, or Wine cannot take a call, Wine runs an equivalent call or\n"
    "none, and those cases are counted apart. Every result must follow Windows' rule. scripts "
    "runs\n"
    "each SCRIPT through diblab-script; the outputs must be identical. scenarios draws COUNT\n"
    "bench scenarios from SEED over every source and destination format of the window and runs\n"
    "them through diblab-script in batches; each scenario's output must be identical, except\n"
    "where a known departure of Wine explains it (counted apart), and our result must follow\n"
    "Windows' rule. Batches and outputs are kept in WORKDIR. Exit status 0 when everything\n"
    "matched, 1 at the first difference, 2 on bad usage.\n";

bool runMode(std::string_view mode, const std::vector<std::string>& args,
             difftest::ToolPair& tools) {
    const auto pickTools = [&](std::size_t at) {
        tools.ours = {args.at(at)};
        tools.windows.push_back(args.at(at + 1));
    };
    if (mode == "probe-grid" && args.size() == 2) {
        pickTools(0);
        return difftest::compareProbes(difftest::gridCases(), tools, batchSize, std::cout);
    }
    if (mode == "probe-random" && args.size() == 4) {
        pickTools(2);
        const auto cases =
            difftest::randomCases(std::uint32_t(std::stoul(args[0])), std::stoul(args[1]));
        return difftest::compareProbes(cases, tools, batchSize, std::cout);
    }
    if ((mode == "probe-formats" || mode == "probe-rle") && args.size() == 4) {
        pickTools(2);
        const auto seed = std::uint32_t(std::stoul(args[0]));
        const std::size_t perPair = std::stoul(args[1]);
        const auto feed = mode == "probe-formats" ? difftest::formatCases(seed, perPair)
                                                  : difftest::rleCases(seed, perPair);
        return difftest::compareProbeFeed(feed, tools, batchSize, std::cout);
    }
    if (mode == "scenarios" && args.size() == 4) {
        pickTools(2);
        const auto scenarios =
            difftest::benchScenarios(std::uint32_t(std::stoul(args[0])), std::stoul(args[1]));
        return difftest::compareScenarios(scenarios, tools, scenarioBatchSize, std::cout);
    }
    if (mode == "scripts" && args.size() >= 3) {
        pickTools(0);
        return difftest::compareScripts({args.begin() + 2, args.end()}, tools, std::cout);
    }
    throw std::invalid_argument("bad arguments");
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() < 3 || words[0] == "--help") {
        std::cout << usage;
        return words.empty() || words[0] != "--help" ? 2 : 0;
    }
    difftest::ToolPair tools{{}, {words[0]}, words[1]};
    const auto started = std::chrono::steady_clock::now();
    try {
        const bool same = runMode(words[2], {words.begin() + 3, words.end()}, tools);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        std::cout << "took " << took.count() << " s\n";
        return same ? 0 : 1;
    } catch (const std::invalid_argument&) {
        std::cerr << usage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "FAIL: " << error.what() << '\n';
        return 1;
    }
}
