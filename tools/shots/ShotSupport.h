#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QObject>
#include <QQuickWindow>
#include <QThread>

#include <cstdio>
#include <functional>

/// Small helpers the screenshot stages share: waiting while the window's event loop turns,
/// and reaching the QML objects the controller exposes.
namespace shots {

inline const char* const kThemes[] = { "defense", "polar", "chart", "ephemeris" };

/// Turns the event loop for ms milliseconds (animations settle, data arrives).
inline void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

/// Turns the event loop until pred holds or ms milliseconds passed; returns pred().
inline bool waitFor(const std::function<bool()>& pred, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return pred();
}

/// The QObject held by property name of o, or null.
inline QObject* prop(QObject* o, const char* name)
{
    return o ? o->property(name).value<QObject*>() : nullptr;
}

/// Grabs the window into a PNG at path and prints the path and size; false (with a
/// message) when the grab or the write fails.
inline bool grabTo(QQuickWindow* window, const QString& path)
{
    const QImage image = window->grabWindow();
    if (image.isNull() || !image.save(path)) {
        std::fprintf(stderr, "telvo-shots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s (%dx%d)\n", qPrintable(path), image.width(), image.height());
    return true;
}

} // namespace shots
