#include "record/Recorder.h"

#include "ins/InsLogText.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QStorageInfo>

Q_LOGGING_CATEGORY(lcRecord, "gcs.record", QtWarningMsg)

namespace gcs {

namespace {

const QString kStampFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
/// How many "_2", "_3", ... variants of a taken name are tried before giving up.
constexpr int kMaxNameVariants = 999;
/// Far longer than any line of the log or the snapshot table.
constexpr qint64 kTailSearchBytes = 64 * 1024;

QString twoDigits(qint64 v)
{
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

QString hmsText(qint64 totalSeconds)
{
    return QStringLiteral("%1:%2:%3")
        .arg(twoDigits(totalSeconds / 3600), twoDigits((totalSeconds / 60) % 60),
             twoDigits(totalSeconds % 60));
}

bool namesInsMessageLog(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    return name.startsWith(QLatin1String("imu")) || name.startsWith(QLatin1String("ahrs"))
        || name.startsWith(QLatin1String("sins"));
}

// A disk that filled up may have taken half of the last line; the log's readers take a
// file of whole lines, so the text file ends at its last line end.
void keepWholeLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return;
    const qint64 size = file.size();
    const qint64 from = qMax<qint64>(0, size - kTailSearchBytes);
    if (size == 0 || !file.seek(from))
        return;
    const QByteArray tail = file.read(size - from);
    const qsizetype lf = tail.lastIndexOf('\n');
    if (tail.size() != size - from || (lf < 0 && from > 0))
        return;
    const qint64 end = from + lf + 1;
    if (end < size && !file.resize(end))
        qCWarning(lcRecord) << "cannot cut the broken last line of" << path << file.errorString();
}

} // namespace

Recorder::Recorder(QObject* parent)
    : QObject(parent)
{
    m_systemClock.start();
    setClocks(nullptr, nullptr);
    m_elapsedTimer.setInterval(kElapsedIntervalMs);
    m_flushTimer.setInterval(kFlushIntervalMs);
    connect(&m_elapsedTimer, &QTimer::timeout, this, &Recorder::elapsedChanged);
    connect(&m_flushTimer, &QTimer::timeout, this, &Recorder::flushToDisk);
}

// The files close (and flush) with their destructors when the controller goes away.
Recorder::~Recorder() = default;

void Recorder::setClocks(MonotonicClock monotonic, WallClock wall)
{
    m_monotonic = monotonic ? std::move(monotonic) : [this]() { return m_systemClock.elapsed(); };
    m_wall = wall ? std::move(wall) : []() { return QDateTime::currentDateTime(); };
}

QString Recorder::elapsedText() const
{
    if (!m_recording)
        return QStringLiteral("00:00:00");
    return hmsText(qMax<qint64>(0, m_monotonic() - m_startedMs) / 1000);
}

bool Recorder::start(const QString& csvPath, const QString& rawPath, bool insColumns)
{
    if (m_recording)
        stop();
    m_lastError.clear();
    m_text.setFileName(csvPath);
    m_raw.setFileName(rawPath);
    m_baseName = QFileInfo(csvPath).completeBaseName();
    const bool ins = insColumns || namesInsMessageLog(csvPath);

    if (!m_text.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        m_lastError = tr("无法创建记录文件：%1（%2）")
                          .arg(QDir::toNativeSeparators(csvPath), m_text.errorString());
        qCWarning(lcRecord) << "cannot create" << csvPath << m_text.errorString();
        return false;
    }
    if (!m_raw.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_lastError = tr("无法创建原始数据文件：%1（%2），本次记录不含串口原码")
                          .arg(QDir::toNativeSeparators(rawPath), m_raw.errorString());
        qCWarning(lcRecord) << "recording without raw file:" << rawPath << m_raw.errorString();
    }

    m_stream = std::make_unique<QTextStream>(&m_text);
    m_stream->setRealNumberNotation(QTextStream::SmartNotation);
    m_stream->setRealNumberPrecision(6);
    m_insColumns = ins;
    m_wireLinesActive = ins;
    if (!ins)
        *m_stream << "ts,quality,fields\n";

    m_lastStampMs = -1;
    m_recording = true;
    m_startedMs = m_monotonic();
    m_elapsedTimer.start();
    m_flushTimer.start();
    emit recordingChanged();
    emit elapsedChanged();
    if (!m_failure.isNull()) {
        m_failure = LiveText();
        emit failureTextChanged();
    }
    return true;
}

bool Recorder::startInDirectory(const QString& dir, const QString& formatHint, bool insColumns)
{
    if (dir.trimmed().isEmpty()) {
        // An empty folder would mean the process's working folder: never what was meant.
        m_lastError = tr("未选择记录目录");
        return false;
    }
    QString prefix = formatHint.trimmed().toLower();
    if (prefix.isEmpty() || prefix == QLatin1String("nullformat"))
        prefix = insColumns ? QStringLiteral("ins") : QStringLiteral("record");
    const QDir folder(dir);
    const QString base
        = prefix + QLatin1Char('_') + m_wall().toString(QStringLiteral("yyyyMMdd_HHmmss"));
    QString name = base;
    for (int n = 2; n <= kMaxNameVariants + 1; ++n) {
        if (!QFileInfo::exists(folder.filePath(name + QStringLiteral(".txt")))
            && !QFileInfo::exists(folder.filePath(name + QStringLiteral(".bin"))))
            break;
        name = base + QLatin1Char('_') + QString::number(n);
    }
    return start(folder.filePath(name + QStringLiteral(".txt")),
                 folder.filePath(name + QStringLiteral(".bin")), insColumns);
}

void Recorder::stop()
{
    if (!m_recording)
        return;
    if (QFile* refused = flushFiles())
        fail(*refused);
    else
        close(false);
}

void Recorder::onRaw(const QByteArray& bytes)
{
    if (!m_recording || bytes.isEmpty() || !m_raw.isOpen())
        return;
    if (m_raw.write(bytes) != bytes.size())
        fail(m_raw);
}

void Recorder::onSnapshot(const TelemetrySnapshot& snapshot)
{
    if (!m_recording || m_insColumns)
        return;
    *m_stream << m_wall().toString(kStampFormat) << ',' << snapshot.quality << ','
              << snapshotFieldsText(snapshot.fields) << '\n';
}

void Recorder::storeInsWireFrame(const QByteArray& line, qint64 hostRxMs)
{
    if (!m_recording || !m_wireLinesActive || line.isEmpty())
        return;
    *m_stream << timeText(hostRxMs) << ' ' << insMessageText(line) << '\n';
}

void Recorder::flushToDisk()
{
    if (!m_recording)
        return;
    if (QFile* refused = flushFiles())
        fail(*refused);
}

QString Recorder::timeText(qint64 msSinceEpoch)
{
    if (msSinceEpoch < 1)
        return m_wall().toString(kStampFormat);
    if (msSinceEpoch != m_lastStampMs) {
        m_lastStampMs = msSinceEpoch;
        m_lastStampText = QDateTime::fromMSecsSinceEpoch(msSinceEpoch).toString(kStampFormat);
    }
    return m_lastStampText;
}

QFile* Recorder::flushFiles()
{
    m_stream->flush();
    if (m_stream->status() != QTextStream::Ok || !m_text.flush())
        return &m_text;
    if (m_raw.isOpen() && !m_raw.flush())
        return &m_raw;
    return nullptr;
}

void Recorder::fail(QFile& file)
{
    // A write that the disk took only in part comes back without the system's reason.
    const QString reason = file.errorString();
    const QStorageInfo volume(QFileInfo(file.fileName()).absolutePath());
    const bool diskFull = volume.isValid() && volume.bytesAvailable() == 0;
    // The text stays on the record page: it is made when read, in the language then.
    m_failure = LiveText([path = QDir::toNativeSeparators(file.fileName()), reason, diskFull,
                          elapsed = elapsedText()]() {
        return tr("记录文件写入失败：%1（%2），记录已停止（已记录 %3）")
            .arg(path, diskFull ? tr("磁盘空间已满") : reason, elapsed);
    });
    qCWarning(lcRecord) << "write failed, recording stopped:" << file.fileName() << reason;
    close(true);
    emit failureTextChanged();
    emit writeFailed(failureText());
}

void Recorder::close(bool failed)
{
    m_flushTimer.stop();
    m_elapsedTimer.stop();
    // Whatever the stream still holds goes to the file's buffer, which closing writes
    // as far as the disk takes it.
    m_stream.reset();
    m_text.close();
    m_raw.close();
    if (failed)
        keepWholeLines(m_text.fileName());
    m_recording = false;
    emit recordingChanged();
    emit elapsedChanged();
}

} // namespace gcs
