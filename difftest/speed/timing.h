#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <utility>

namespace difftest {

// Times calls of an action: enough calls for a sample to last at least 2 ms, and the fastest
// sample counts, so that a busy machine adds as little as it can.
template <typename Action>
class CallTimer {
public:
    explicit CallTimer(Action& action) : m_action(action) {
        while (sample() < sampleNanoseconds && m_calls < maxCalls) {
            m_calls *= 2;
        }
    }

    // Takes one more sample.
    void measure() { m_fastest = std::min(m_fastest, sample() / double(m_calls)); }
    // Nanoseconds per call in the fastest sample so far.
    double fastest() const { return m_fastest; }

private:
    static constexpr double sampleNanoseconds = 2e6;
    static constexpr std::uint64_t maxCalls = std::uint64_t(1) << 24;

    double sample() {
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        for (std::uint64_t i = 0; i < m_calls; ++i) {
            m_action();
        }
        return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
    }

    Action& m_action;
    std::uint64_t m_calls = 1;
    double m_fastest = std::numeric_limits<double>::infinity();
};

// Nanoseconds per call of `action`, the fastest of five samples.
template <typename Action>
double nanosecondsPerCall(Action action) {
    CallTimer<Action> timer(action);
    for (int i = 0; i < 5; ++i) {
        timer.measure();
    }
    return timer.fastest();
}

// Two actions sampled in turns, nine samples each, so that both meet the same load.
template <typename First, typename Second>
std::pair<double, double> nanosecondsPerCallInTurns(First first, Second second) {
    CallTimer<First> firstTimer(first);
    CallTimer<Second> secondTimer(second);
    for (int i = 0; i < 9; ++i) {
        firstTimer.measure();
        secondTimer.measure();
    }
    return {firstTimer.fastest(), secondTimer.fastest()};
}

}  // namespace difftest
