#pragma once

#include <QLockFile>
#include <QString>

namespace gcs {

/// "instance.lock" in the per-user application-local data folder (created if missing).
QString instanceLockPath();

/// Takes the single-instance lock: a lock older than 5000 ms left by a dead process is
/// taken over, a live one is waited for at most 200 ms. True when this process holds it.
bool takeInstanceLock(QLockFile& lock);

constexpr int kInstanceLockStaleMs = 5000;
constexpr int kInstanceLockWaitMs = 200;

} // namespace gcs
