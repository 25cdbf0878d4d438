#include "case_workers.h"

#include <algorithm>
#include <system_error>

namespace probe {

CaseWorkers::CaseWorkers(unsigned maxHelpers)
    : m_wanted(std::min(maxHelpers, std::max(std::thread::hardware_concurrency(), 1u) - 1)) {}

CaseWorkers::~CaseWorkers() {
    {
        const std::scoped_lock lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

void CaseWorkers::start() {
    m_started = true;
    try {
        for (std::size_t helper = 1; helper <= m_wanted; ++helper) {
            m_threads.emplace_back([this, helper] { serve(helper); });
        }
    } catch (const std::system_error&) {
        // The threads made so far serve; with none, the caller works alone.
    }
    const std::scoped_lock lock(m_mutex);
    m_parts = m_threads.size() + 1;
}

// Thread `part` of the batch works through its share of the cases, the caller through share 0.
// Shares are runs of neighbouring cases, so that threads do not write into the same cache lines.
void CaseWorkers::serve(std::size_t part) {
    std::uint64_t done = 0;
    for (;;) {
        std::unique_lock lock(m_mutex);
        m_wake.wait(lock, [&] { return m_stopping || m_batch != done; });
        if (m_stopping) {
            return;
        }
        done = m_batch;
        const std::function<void(std::size_t)>& work = *m_work;
        const std::size_t count = m_count;
        lock.unlock();
        workShare(work, count, part);
        lock.lock();
        if (--m_busy == 0) {
            m_done.notify_one();
        }
    }
}

void CaseWorkers::workShare(const std::function<void(std::size_t)>& work, std::size_t count,
                            std::size_t part) const {
    const std::size_t end = count * (part + 1) / m_parts;
    for (std::size_t i = count * part / m_parts; i < end; ++i) {
        work(i);
    }
}

void CaseWorkers::run(std::size_t count, const std::function<void(std::size_t)>& work) {
    if (!m_started && count > 1) {
        start();
    }
    if (m_threads.empty() || count < 2) {
        for (std::size_t i = 0; i < count; ++i) {
            work(i);
        }
        return;
    }
    {
        const std::scoped_lock lock(m_mutex);
        m_work = &work;
        m_count = count;
        m_busy = unsigned(m_threads.size());
        ++m_batch;
    }
    m_wake.notify_all();
    workShare(work, count, 0);
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return m_busy == 0; });
}

}  // namespace probe
