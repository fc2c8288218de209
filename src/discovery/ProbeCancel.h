#pragma once

#include <atomic>
#include <memory>

namespace gcs {

/// A stop request that a probe running on a worker thread checks between its attempts
/// and inside its waits, so that it lets go of its port within a few tens of
/// milliseconds. Copies share one flag: the controller keeps one and hands copies to its
/// workers; a command-line tool sets it from its interrupt handler (setting and reading
/// are lock-free, so a signal handler may cancel).
class ProbeCancel
{
public:
    ProbeCancel()
        : m_flag(std::make_shared<std::atomic<bool>>(false))
    { }

    void cancel() const { m_flag->store(true); }
    bool isCancelled() const { return m_flag->load(); }

private:
    static_assert(std::atomic<bool>::is_always_lock_free, "cancel() runs in signal handlers");
    std::shared_ptr<std::atomic<bool>> m_flag;
};

} // namespace gcs
