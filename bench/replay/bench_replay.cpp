// bench_replay [--dir DIR] [--minutes M] [--rate R] [--seconds S] [--seeks N]
//
// The replay on a generated recording of M minutes (default 60) at R frames/s (default
// 1000): a raw capture of 59-byte frames (DIR/replay-M-R.bin) and the message log of the
// same frames (DIR/replay-M-R.txt), written once and kept in DIR (default the system's
// temporary folder). Not a test; run by hand, for example
//
//   build/bin/bench_replay                                  (offscreen, software renderer)
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bin/bench_replay
//
// For each file:
// - the transport alone: time from open() to the first bytes handed on ("ready"), time
//   until the whole file is indexed, the index's memory (bytes per record), and N seeks
//   to spread positions while paused: time until the record at the target has been
//   handed on (a 16 s preroll before it included);
// - in the real window (the controller, the QML shell, the replay workspace): time from
//   "打开记录" to the first record on the page, N seeks on the charts page (time until
//   the record at the target is handed on, with the preroll through bridge, hub and the
//   four charts), and "最快" for S seconds on the attitude page and on the charts page:
//   records per second through bridge, hub and the visible page, the frame intervals
//   (QQuickWindow::frameSwapped) and the longest wait of a 10 ms timer on the GUI thread,
//   which is how long the window could not react.
#include "app/Application.h"
#include "app/QmlTypes.h"
#include "ins/InsBridge.h"
#include "replay/ReplayController.h"
#include "replay/ReplayIndex.h"
#include "replay/ReplayTransport.h"

#include "WindowBench.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

namespace {

struct Options
{
    QString dir = QDir::tempPath();
    int minutes = 60;
    int rate = 1000;
    int seconds = 10;
    int seeks = 12;
};

double nowMs(const QElapsedTimer& t)
{
    return double(t.nsecsElapsed()) / 1e6;
}

using bench::runFor;
using bench::summarise;
using bench::Summary;
using bench::waitFor;

QString text(const Summary& s, const char* unit = "ms")
{
    return QStringLiteral("mean %1 %4, median %2 %4, worst %3 %4 (%5)")
        .arg(s.mean, 0, 'f', 1)
        .arg(s.median, 0, 'f', 1)
        .arg(s.worst, 0, 'f', 1)
        .arg(QLatin1String(unit))
        .arg(s.count);
}

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// ---- the recording ------------------------------------------------------------------------

void putLe(char*& p, quint64 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        *p++ = char((v >> (8 * i)) & 0xFF);
}

void putF32(char*& p, float f)
{
    quint32 bits;
    std::memcpy(&bits, &f, 4);
    putLe(p, bits, 4);
}

/// Frame n of a slow drive at rate frames/s, its time tag in 0.1 ms.
void frameAt(quint64 n, int rate, char* f)
{
    const double t = double(n) / rate;
    char* p = f;
    *p++ = char(0xAA);
    *p++ = char(0x55);
    *p++ = char(0x97);
    putF32(p, float(0.5 * std::sin(t)));
    putF32(p, 0.05f);
    putF32(p, 12.0f);
    putF32(p, -0.05f);
    putF32(p, 0.07f);
    putF32(p, 0.996f);
    putLe(p, quint16(qint16(std::lround(600 * std::sin(t / 3)))), 2); // pitch
    putLe(p, quint16(qint16(std::lround(400 * std::sin(t / 2)))), 2); // roll
    putLe(p, quint16(std::lround(std::fmod(t * 12, 360) * 100)), 2); // yaw
    putLe(p, quint16(std::lround(std::fmod(t * 12, 360) * 100)), 2);
    putLe(p, quint32(qint32(1214739881 + n)), 4);
    putLe(p, quint32(qint32(312313081 + n / 2)), 4);
    putLe(p, 13, 2);
    putLe(p, 695, 2);
    putLe(p, 396, 2);
    putLe(p, 5, 2);
    *p++ = char(36 + 80);
    const quint64 tag = n * 10000 / quint64(rate);
    putLe(p, tag / 10000, 4);
    putLe(p, tag % 10000, 2);
    quint8 sum = 0;
    for (int i = 0; i < 58; ++i)
        sum = quint8(sum + quint8(f[i]));
    f[58] = char(quint8(0 - sum));
}

bool generate(const Options& o, const QString& bin, const QString& txt)
{
    if (QFile::exists(bin) && QFile::exists(txt))
        return true;
    QElapsedTimer clock;
    clock.start();
    QFile b(bin), l(txt);
    if (!b.open(QIODevice::WriteOnly) || !l.open(QIODevice::WriteOnly))
        return false;
    const quint64 count = quint64(o.minutes) * 60 * quint64(o.rate);
    const qint64 startMs = QDateTime(QDate(2024, 3, 9), QTime(7, 0)).toMSecsSinceEpoch();
    static const char hex[] = "0123456789abcdef";
    QByteArray binBuf, logBuf;
    char frame[59];
    QByteArray second;
    qint64 secondOf = -1;
    for (quint64 n = 0; n < count; ++n) {
        frameAt(n, o.rate, frame);
        binBuf.append(frame, 59);
        const qint64 ms = startMs + qint64(n * 1000 / quint64(o.rate));
        if (ms / 1000 != secondOf) {
            secondOf = ms / 1000;
            second = QDateTime::fromMSecsSinceEpoch(secondOf * 1000)
                         .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                         .toLatin1();
        }
        char line[24 + 59 * 3 + 1];
        char* p = line;
        std::memcpy(p, second.constData(), 19);
        p += 19;
        const int z = int(ms % 1000);
        *p++ = '.';
        *p++ = char('0' + z / 100);
        *p++ = char('0' + z / 10 % 10);
        *p++ = char('0' + z % 10);
        for (int i = 0; i < 59; ++i) {
            *p++ = ' ';
            *p++ = hex[quint8(frame[i]) >> 4];
            *p++ = hex[quint8(frame[i]) & 15];
        }
        *p++ = '\n';
        logBuf.append(line, p - line);
        if (binBuf.size() > (1 << 20)) {
            b.write(binBuf);
            l.write(logBuf);
            binBuf.clear();
            logBuf.clear();
        }
    }
    b.write(binBuf);
    l.write(logBuf);
    say(QStringLiteral("generated %1 frames in %2 s: %3 (%4 MB), %5 (%6 MB)")
            .arg(count)
            .arg(double(clock.elapsed()) / 1000, 0, 'f', 1)
            .arg(bin)
            .arg(double(b.size()) / 1e6, 0, 'f', 0)
            .arg(txt)
            .arg(double(l.size()) / 1e6, 0, 'f', 0));
    return true;
}

// ---- the transport alone --------------------------------------------------------------------

void benchTransport(const Options& o, const QString& path)
{
    gcs::ReplayTransport replay(path);
    replay.setPrerollMs(16000);
    QElapsedTimer clock;
    double firstBytes = -1;
    QObject::connect(&replay, &gcs::ReplayTransport::bytesReceived, [&](const QByteArray&) {
        if (firstBytes < 0)
            firstBytes = nowMs(clock);
    });
    clock.start();
    replay.open();
    replay.play();
    waitFor([&] { return firstBytes >= 0; }, 10000);
    replay.pause();
    waitFor([&] { return replay.indexed(); }, 600000);
    const double indexedMs = nowMs(clock);
    const gcs::ReplayIndex* index = replay.index();
    say(QStringLiteral("  transport: ready %1 ms; indexed in %2 s, %3 records, %4 checkpoints, "
                       "%5 bytes (%6 bytes a record)")
            .arg(firstBytes, 0, 'f', 1)
            .arg(indexedMs / 1000, 0, 'f', 2)
            .arg(index->records())
            .arg(index->checkpointCount())
            .arg(index->memoryBytes())
            .arg(double(index->memoryBytes()) / double(qMax<qint64>(1, index->records())), 0, 'f',
                 3));

    std::vector<double> seeks;
    bool done = false;
    QObject::connect(&replay, &gcs::ReplayTransport::seeked, [&] { done = true; });
    for (int i = 0; i < o.seeks; ++i) {
        const double target = replay.durationMs() * (0.05 + 0.9 * ((i * 7) % o.seeks) / o.seeks);
        done = false;
        const double t0 = nowMs(clock);
        replay.seek(target);
        waitFor([&] { return done; }, 10000);
        seeks.push_back(nowMs(clock) - t0);
    }
    say(QStringLiteral("  transport: seek with a 16 s preroll: %1").arg(text(summarise(seeks))));
}

// ---- the window -----------------------------------------------------------------------------

/// Frame intervals on the render thread, and the lateness of a 10 ms timer on the GUI thread.
class Responsiveness
{
public:
    explicit Responsiveness(QQuickWindow* w)
        : m_frames(w)
    {
        m_clock.start();
        m_tick.setInterval(10);
        m_tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_tick, &QTimer::timeout, [this] {
            const double t = nowMs(m_clock);
            if (m_on && m_lastTick > 0)
                m_waits.push_back(t - m_lastTick - 10);
            m_lastTick = t;
        });
        m_tick.start();
    }
    void start()
    {
        m_frames.start();
        m_on = true;
        m_lastTick = 0;
        m_waits.clear();
    }
    void stop()
    {
        m_frames.stop();
        m_on = false;
    }
    Summary frames() const { return m_frames.intervals(); }
    Summary waits() const { return summarise(m_waits); }

private:
    bench::FrameClock m_frames;
    QElapsedTimer m_clock;
    bool m_on = false;
    double m_lastTick = 0;
    std::vector<double> m_waits;
    QTimer m_tick;
};

void benchWindow(const Options& o, const QString& path)
{
    QTemporaryDir home;
    qputenv("LOCALAPPDATA", QFile::encodeName(home.path()));
    gcs::Application app;
    QQmlApplicationEngine engine;
    QQuickWindow* window = bench::loadMainWindow(engine, app);
    if (!window) {
        say(QStringLiteral("  window: does not load"));
        return;
    }
    runFor(500);
    gcs::InsBridge* ins = app.ins();
    gcs::ReplayController* replay = app.replay();

    QElapsedTimer clock;
    double firstRecord = -1;
    const auto firstPanel = QObject::connect(ins, &gcs::InsBridge::panelChanged, [&] {
        if (firstRecord < 0 && ins->streamTier() > 0)
            firstRecord = nowMs(clock);
    });
    clock.start();
    app.openReplay(path);
    waitFor([&] { return firstRecord >= 0; }, 10000);
    QObject::disconnect(firstPanel);
    replay->pause();
    say(QStringLiteral("  window: first record on the page %1 ms after 打开记录")
            .arg(firstRecord, 0, 'f', 1));
    waitFor([&] { return replay->indexed(); }, 600000);

    Responsiveness watch(window);
    app.setCurrentNav(QStringLiteral("charts"));
    runFor(500);
    bool seeked = false;
    QObject::connect(replay->transport(), &gcs::ReplayTransport::seeked, [&] { seeked = true; });
    std::vector<double> seeks;
    watch.start();
    for (int i = 0; i < o.seeks; ++i) {
        const double target
            = double(replay->duration()) * (0.05 + 0.9 * ((i * 7) % o.seeks) / o.seeks);
        seeked = false;
        const double t0 = nowMs(clock);
        replay->seek(target);
        waitFor([&] { return seeked; }, 10000);
        seeks.push_back(nowMs(clock) - t0);
        runFor(200);
    }
    watch.stop();
    say(QStringLiteral("  window: seek on the charts page, 16 s of charts before the target: %1")
            .arg(text(summarise(seeks))));
    say(QStringLiteral("  window: while seeking, frames %1; GUI thread waits %2")
            .arg(text(watch.frames()), text(watch.waits())));

    replay->setSpeed(0);
    for (const char* page : { "attitude", "charts" }) {
        app.setCurrentNav(QString::fromLatin1(page));
        replay->jumpToStart();
        runFor(1000);
        replay->play();
        runFor(1000);
        const int before = ins->recPackets();
        watch.start();
        QElapsedTimer run;
        run.start();
        runFor(o.seconds * 1000);
        watch.stop();
        const double seconds = double(run.elapsed()) / 1000;
        const int records = ins->recPackets() - before;
        replay->pause();
        say(QStringLiteral("  window: 最快 on the %1 page: %2 records/s; frames %3; GUI thread "
                           "waits %4")
                .arg(QLatin1String(page))
                .arg(double(records) / seconds, 0, 'f', 0)
                .arg(text(watch.frames()), text(watch.waits())));
    }
    app.closeReplay();
}

Options parse(const QStringList& args)
{
    Options o;
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QLatin1String("--dir"))
            o.dir = args.at(++i);
        else if (a == QLatin1String("--minutes"))
            o.minutes = qMax(1, args.at(++i).toInt());
        else if (a == QLatin1String("--rate"))
            o.rate = qBound(1, args.at(++i).toInt(), 10000);
        else if (a == QLatin1String("--seconds"))
            o.seconds = qMax(1, args.at(++i).toInt());
        else if (a == QLatin1String("--seeks"))
            o.seeks = qMax(1, args.at(++i).toInt());
    }
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir screenDir;
    if (bench::useDesignScreenOffscreen(screenDir))
        qputenv("QT_QUICK_BACKEND", "software");
    QApplication qapp(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
    QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    gcs::registerQmlTypes();
    const Options o = parse(qapp.arguments());
    const QString base
        = QDir(o.dir).filePath(QStringLiteral("replay-%1-%2").arg(o.minutes).arg(o.rate));
    if (!generate(o, base + ".bin", base + ".txt")) {
        say(QStringLiteral("cannot write %1").arg(base));
        return 1;
    }
    say(QStringLiteral("%1 minutes at %2 frames/s, platform %3")
            .arg(o.minutes)
            .arg(o.rate)
            .arg(QGuiApplication::platformName()));
    for (const char* suffix : { ".bin", ".txt" }) {
        const QString path = base + QLatin1String(suffix);
        say(QStringLiteral("%1 (%2 MB)")
                .arg(path)
                .arg(double(QFile(path).size()) / 1e6, 0, 'f', 0));
        benchTransport(o, path);
        benchWindow(o, path);
    }
    return 0;
}
