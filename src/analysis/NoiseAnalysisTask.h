#pragma once

#include "analysis/NoiseResult.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <atomic>
#include <memory>

namespace gcs {

/// The noise analysis for the window ("app.noise"): NoiseAnalysis::run works on the
/// global thread pool, its progress comes back to this object's thread at most once per
/// thousandth, and its result is published here for QML: the cluster times, the six
/// curves, the figures, the at-rest verdict and, when it failed, why. One analysis at a
/// time; a new analyse() while one runs cancels that one and starts the new one once it
/// has stopped. cancel() stops the worker at its next look (a chunk of the file, or one
/// cluster time) and keeps the previous result.
class NoiseAnalysisTask : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    /// 0 to 1.
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
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

public:
    explicit NoiseAnalysisTask(QObject* parent = nullptr);
    /// Cancels a running analysis and waits for its worker.
    ~NoiseAnalysisTask() override;

    /// Analyses the recording at path; rateHz 0 reads the rate from a message log's
    /// times. False (with errorText) for an empty path.
    Q_INVOKABLE bool analyse(const QString& path, double rateHz = 0);
    Q_INVOKABLE void cancel();
    /// Writes the curves and figures of the current result as CSV to path; false when
    /// there is no result or the file cannot be written (exported says why).
    Q_INVOKABLE bool exportCsv(const QString& path);

    bool busy() const { return m_busy; }
    double progress() const { return m_permille / 1000.0; }
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
    const NoiseResult& result() const { return m_result; }

signals:
    void busyChanged();
    void progressChanged();
    void resultChanged();
    /// An analysis ended: ok with a new result, else message says why (also when it was
    /// cancelled).
    void finished(bool ok, bool cancelled, QString message);
    void exported(bool ok, QString message);

private:
    void start();
    void onFinished();
    void setPermille(int permille);

    QFutureWatcher<NoiseResult> m_watcher;
    std::shared_ptr<std::atomic_bool> m_cancel;
    QString m_path;
    double m_rateHz = 0;
    /// An analysis asked for while the previous one was still stopping.
    bool m_restart = false;
    bool m_busy = false;
    int m_permille = 0;
    QString m_error;
    NoiseResult m_result;
};

} // namespace gcs
