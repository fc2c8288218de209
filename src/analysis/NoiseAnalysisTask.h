#pragma once

#include "analysis/NoiseResult.h"
#include "capture/BackgroundTask.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>

namespace gcs {

/// The noise analysis for the window ("app.noise"): NoiseAnalysis::run works in the
/// background (BackgroundTask), and its result is published here for QML: the cluster
/// times, the six curves, the figures, the at-rest verdict and, when it failed, why. A new
/// analyse() while one runs cancels that one and starts the new one once it has stopped.
/// cancel() stops the worker at its next look (a chunk of the file, or one cluster time)
/// and keeps the previous result.
/// Its base is named with the namespace: QML's type tools take it as written.
class NoiseAnalysisTask : public gcs::BackgroundTask
{
    Q_OBJECT
    /// The recording being (or last) analysed, and its file name.
    Q_PROPERTY(QString filePath READ filePath NOTIFY busyChanged)
    Q_PROPERTY(QString fileName READ fileName NOTIFY busyChanged)
    /// Why the last analysis gave nothing (Chinese); empty after a success.
    Q_PROPERTY(QString errorText READ errorText NOTIFY resultChanged)
    Q_PROPERTY(bool hasResult READ hasResult NOTIFY resultChanged)
    /// The recording broke off at a fault: the result covers what came before it.
    Q_PROPERTY(QString warningText READ warningText NOTIFY resultChanged)
    Q_PROPERTY(double rateHz READ rateHz NOTIFY resultChanged)
    Q_PROPERTY(bool rateGiven READ rateGiven NOTIFY resultChanged)
    Q_PROPERTY(qint64 samples READ samples NOTIFY resultChanged)
    Q_PROPERTY(double durationSeconds READ durationSeconds NOTIFY resultChanged)
    /// Cluster times in seconds.
    Q_PROPERTY(QVariantList taus READ taus NOTIFY resultChanged)
    /// "gx", "gy", "gz" (°/h) and "ax", "ay", "az" (mg): one list each, a value per τ
    /// (NaN where there is none).
    Q_PROPERTY(QVariantMap curves READ curves NOTIFY resultChanged)
    /// One map per channel, gyros first: "key", "name", "walk" (ARW in °/√h or VRW in
    /// m/s/√h), "walkUnit", "bias" (°/h or mg), "biasUnit", "biasTau" (s) and
    /// "biasAtEnd" (the curve still falls at its end: the bias is an upper bound). A
    /// figure that cannot be read is NaN.
    Q_PROPERTY(QVariantList figures READ figures NOTIFY resultChanged)
    Q_PROPERTY(bool atRest READ atRest NOTIFY resultChanged)
    Q_PROPERTY(QString restReason READ restReason NOTIFY resultChanged)
    /// Why the recording is not one continuous stretch; empty when it is.
    Q_PROPERTY(QString gapReason READ gapReason NOTIFY resultChanged)

public:
    explicit NoiseAnalysisTask(QObject* parent = nullptr);

    /// Analyses the recording at path; rateHz 0 reads the rate from a message log's
    /// times. False (with errorText) for an empty path.
    Q_INVOKABLE bool analyse(const QString& path, double rateHz = 0);
    /// Writes the curves and figures of the current result as CSV to path; false when
    /// there is no result or the file cannot be written (exported says why).
    Q_INVOKABLE bool exportCsv(const QString& path);

    QString filePath() const { return m_path; }
    QString fileName() const;
    QString errorText() const { return m_error; }
    bool hasResult() const { return m_result.ok; }
    QString warningText() const { return m_result.warning; }
    double rateHz() const { return m_result.rateHz; }
    bool rateGiven() const { return m_result.rateGiven; }
    qint64 samples() const { return m_result.samples; }
    double durationSeconds() const { return m_result.durationSeconds(); }
    QVariantList taus() const;
    QVariantMap curves() const;
    QVariantList figures() const;
    bool atRest() const { return m_result.atRest; }
    QString restReason() const { return m_result.restReason; }
    QString gapReason() const { return m_result.gapReason; }

signals:
    void resultChanged();
    /// An analysis ended: ok with a new result, else message says why (also when it was
    /// cancelled).
    void finished(bool ok, bool cancelled, QString message);
    void exported(bool ok, QString message);

private:
    void ended(NoiseResult result);

    QString m_path;
    QString m_error;
    NoiseResult m_result;
};

} // namespace gcs
