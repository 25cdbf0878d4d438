#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace probe {

// Threads that work through a batch of cases beside the calling thread. They are started on the
// first batch of more than one case and last until the workers are destroyed, so that each keeps
// the destinations it made (they are kept per thread) from batch to batch.
class CaseWorkers {
public:
    // One thread for each processor but the caller's, at most `maxHelpers`; fewer if the system
    // grants fewer, none at all on one processor.
    explicit CaseWorkers(unsigned maxHelpers);
    ~CaseWorkers();
    CaseWorkers(const CaseWorkers&) = delete;
    CaseWorkers& operator=(const CaseWorkers&) = delete;

    // Calls work(i) once for every i below count, spread over the threads, and returns when
    // every call has. The calls must not throw.
    void run(std::size_t count, const std::function<void(std::size_t)>& work);

private:
    void start();
    void serve(std::size_t part);
    void workShare(const std::function<void(std::size_t)>& work, std::size_t count,
                   std::size_t part) const;

    const unsigned m_wanted;
    bool m_started = false;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void(std::size_t)>* m_work = nullptr;
    std::size_t m_count = 0;
    std::size_t m_parts = 1;
    std::uint64_t m_batch = 0;
    unsigned m_busy = 0;
    bool m_stopping = false;
};

}  // namespace probe
