#pragma once

#include <atomic>
#include <mutex>
#include <thread>

namespace gdi {

// The object table's lock, taken with std::scoped_lock. Calls almost never meet, and a small
// call lasts a few dozen nanoseconds, so taking the lock is one atomic exchange and releasing it
// one store, where a mutex costs two locked instructions and two library calls. A thread that
// finds it taken yields until it is free.
class TableLock {
public:
    void lock() {
        while (m_taken.exchange(true, std::memory_order_acquire)) {
            while (m_taken.load(std::memory_order_relaxed)) {
                std::this_thread::yield();
            }
        }
    }
    void unlock() { m_taken.store(false, std::memory_order_release); }

private:
    std::atomic<bool> m_taken{false};
};

}  // namespace gdi
