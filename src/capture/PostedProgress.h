#pragma once

#include <QObject>
#include <QPointer>
#include <QtGlobal>

#include <atomic>
#include <functional>
#include <memory>

namespace gcs {

/// A progress callback for work on another thread. Each fraction done (0 to 1) that
/// changes the permille is posted to apply on receiver's thread, and dropped should the
/// receiver be gone by then; the same permille is posted once.
inline std::function<void(double)> postedPermille(QObject* receiver,
                                                  std::function<void(int)> apply)
{
    const QPointer<QObject> guard(receiver);
    auto posted = std::make_shared<std::atomic_int>(-1);
    return [guard, posted, apply = std::move(apply)](double done) {
        const int permille = int(qBound(0.0, done, 1.0) * 1000.0);
        if (posted->exchange(permille) == permille)
            return;
        QMetaObject::invokeMethod(
            guard.data(),
            [guard, apply, permille]() {
                if (guard)
                    apply(permille);
            },
            Qt::QueuedConnection);
    };
}

} // namespace gcs
