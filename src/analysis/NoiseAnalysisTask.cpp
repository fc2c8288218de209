#include "analysis/NoiseAnalysisTask.h"

#include "analysis/AnalysisLogging.h"
#include "analysis/NoiseAnalysis.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cmath>
#include <limits>

namespace gcs {

namespace {

QVariant numberOrNaN(double v)
{
    return std::isfinite(v) ? v : std::numeric_limits<double>::quiet_NaN();
}

const char* const kNames[] = {
    QT_TRANSLATE_NOOP("gcs::NoiseAnalysisTask", "陀螺 X"),
    QT_TRANSLATE_NOOP("gcs::NoiseAnalysisTask", "陀螺 Y"),
    QT_TRANSLATE_NOOP("gcs::NoiseAnalysisTask", "陀螺 Z"),
    QT_TRANSLATE_NOOP("gcs::NoiseAnalysisTask", "加计 X"),
    QT_TRANSLATE_NOOP("gcs::NoiseAnalysisTask", "加计 Y"),
    QT_TRANSLATE_NOOP("gcs::NoiseAnalysisTask", "加计 Z"),
};

} // namespace

NoiseAnalysisTask::NoiseAnalysisTask(QObject* parent)
    : BackgroundTask(parent)
{ }

QString NoiseAnalysisTask::fileName() const
{
    return QFileInfo(m_path).fileName();
}

bool NoiseAnalysisTask::analyse(const QString& path, double rateHz)
{
    if (path.trimmed().isEmpty()) {
        m_error = tr("请先选择要分析的记录文件");
        emit resultChanged();
        return false;
    }
    m_path = path;
    const double rate = std::isfinite(rateHz) && rateHz > 0 ? rateHz : 0;
    qCDebug(lcAnalysis) << "analysing" << path << "rate" << rate;
    launch(
        [path, rate](const std::atomic_bool* cancel, const Progress& progress) {
            return NoiseAnalysis::run(path, rate, cancel, progress);
        },
        [this](NoiseResult result) { ended(std::move(result)); });
    return true;
}

void NoiseAnalysisTask::ended(NoiseResult r)
{
    QString message;
    if (r.ok) {
        m_result = std::move(r);
        m_error.clear();
        message = tr("噪声分析完成：%1 个采样，%2 Hz")
                      .arg(m_result.samples)
                      .arg(m_result.rateHz, 0, 'g', 6);
    } else {
        // A cancelled analysis keeps the result there was.
        if (!r.cancelled) {
            m_result = NoiseResult();
            m_error = r.error;
        }
        message = r.error;
    }
    emit resultChanged();
    emit finished(r.ok, r.cancelled, message);
}

QVariantList NoiseAnalysisTask::taus() const
{
    QVariantList list;
    for (double t : m_result.tau)
        list.append(t);
    return list;
}

QVariantMap NoiseAnalysisTask::curves() const
{
    QVariantMap map;
    if (!m_result.ok)
        return map;
    for (int c = 0; c < NoiseResult::kChannels; ++c) {
        QVariantList values;
        for (double v : m_result.adev[size_t(c)])
            values.append(numberOrNaN(v));
        map.insert(QLatin1String(NoiseResult::channelKey(c)), values);
    }
    return map;
}

QVariantList NoiseAnalysisTask::figures() const
{
    QVariantList list;
    if (!m_result.ok)
        return list;
    for (int c = 0; c < NoiseResult::kChannels; ++c) {
        const bool gyro = NoiseResult::isGyro(c);
        const NoiseFigures::Minimum& low = m_result.minimum[size_t(c)];
        list.append(QVariantMap {
            { QStringLiteral("key"), QLatin1String(NoiseResult::channelKey(c)) },
            { QStringLiteral("name"), tr(kNames[c]) },
            { QStringLiteral("walk"),
              numberOrNaN(gyro ? m_result.angleRandomWalk(c) : m_result.velocityRandomWalk(c)) },
            { QStringLiteral("walkUnit"),
              gyro ? QStringLiteral("°/√h") : QStringLiteral("m/s/√h") },
            { QStringLiteral("bias"), numberOrNaN(m_result.biasInstability(c)) },
            { QStringLiteral("biasUnit"), gyro ? QStringLiteral("°/h") : QStringLiteral("mg") },
            { QStringLiteral("biasTau"), numberOrNaN(low.tau) },
            { QStringLiteral("biasAtEnd"), low.atEnd },
        });
    }
    return list;
}

bool NoiseAnalysisTask::exportCsv(const QString& path)
{
    if (path.trimmed().isEmpty())
        return false;
    const QString shown = QDir::toNativeSeparators(path);
    if (!m_result.ok) {
        emit exported(false, tr("还没有可导出的噪声分析结果"));
        return false;
    }
    // The file appears only once it is complete.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !m_result.writeCsv(&file) || !file.commit()) {
        emit exported(false, tr("无法写入 %1：%2").arg(shown, file.errorString()));
        return false;
    }
    emit exported(true, tr("已导出噪声分析到 %1").arg(shown));
    return true;
}

} // namespace gcs
