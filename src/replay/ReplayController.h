#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariantList>

namespace gcs {

class ReplayTransport;

/// What the window needs of a replay ("app.replay"): whether one is open and of which
/// file, playing or paused, the speed, the loop, the position and duration with their
/// texts, the indexing progress, the record rate of a capture without time tags and
/// what went wrong; and the operations of the replay bar. It only talks to the replay
/// transport of the open replay (attach); without one every operation does nothing.
class ReplayController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool active READ active NOTIFY activeChanged)
    Q_PROPERTY(QString fileName READ fileName NOTIFY activeChanged)
    Q_PROPERTY(QString filePath READ filePath NOTIFY activeChanged)
    /// "消息记录" or "原始数据".
    Q_PROPERTY(QString kindText READ kindText NOTIFY kindTextChanged)
    Q_PROPERTY(bool playing READ playing NOTIFY playingChanged)
    Q_PROPERTY(double speed READ speed WRITE setSpeed NOTIFY settingsChanged)
    Q_PROPERTY(QString speedText READ speedText NOTIFY settingsChanged)
    /// The speeds offered, slowest first; 0 is "最快".
    Q_PROPERTY(QVariantList speeds READ speeds CONSTANT)
    Q_PROPERTY(bool loop READ loop WRITE setLoop NOTIFY settingsChanged)
    Q_PROPERTY(double recordRate READ recordRate WRITE setRecordRate NOTIFY settingsChanged)
    Q_PROPERTY(bool usesRecordRate READ usesRecordRate NOTIFY indexChanged)
    /// A raw capture's records per second once indexed; 0 for a message log.
    Q_PROPERTY(double recordsPerSecond READ recordsPerSecond NOTIFY indexChanged)
    Q_PROPERTY(qint64 position READ position NOTIFY positionChanged)
    Q_PROPERTY(qint64 duration READ duration NOTIFY indexChanged)
    Q_PROPERTY(QString positionText READ positionText NOTIFY positionChanged)
    Q_PROPERTY(QString durationText READ durationText NOTIFY indexChanged)
    Q_PROPERTY(double indexProgress READ indexProgress NOTIFY indexChanged)
    Q_PROPERTY(bool indexed READ indexed NOTIFY indexChanged)
    Q_PROPERTY(QString errorText READ errorText NOTIFY indexChanged)
public:
    explicit ReplayController(QObject* parent = nullptr);
    ~ReplayController() override;

    /// "0.25×" ... "16×", "最快" for 0.
    Q_INVOKABLE static QString speedLabel(double speed);
    /// "%1:%2:%3": hours, minutes, seconds of ms, two digits each, hours not wrapped.
    Q_INVOKABLE static QString timeText(qint64 ms);

    /// Follows transport from now on (it stays owned by its session); null ends that.
    void attach(ReplayTransport* transport);
    ReplayTransport* transport() const;

    bool active() const { return !m_transport.isNull(); }
    QString fileName() const;
    QString filePath() const;
    QString kindText() const;
    bool playing() const;
    double speed() const;
    void setSpeed(double speed);
    QString speedText() const { return speedLabel(speed()); }
    QVariantList speeds() const;
    bool loop() const;
    void setLoop(bool on);
    double recordRate() const;
    void setRecordRate(double rate);
    bool usesRecordRate() const;
    double recordsPerSecond() const;
    qint64 position() const;
    qint64 duration() const;
    QString positionText() const { return timeText(position()); }
    QString durationText() const { return timeText(duration()); }
    double indexProgress() const;
    bool indexed() const;
    QString errorText() const;

    Q_INVOKABLE void play();
    Q_INVOKABLE void pause();
    Q_INVOKABLE void toggle();
    Q_INVOKABLE void seek(double ms);
    /// One record forward.
    Q_INVOKABLE void step();
    /// One record back.
    Q_INVOKABLE void stepBack();
    Q_INVOKABLE void jumpToStart();
    Q_INVOKABLE void jumpToEnd();

signals:
    void activeChanged();
    /// With activeChanged, and when the language changes.
    void kindTextChanged();
    void playingChanged();
    void settingsChanged();
    void positionChanged();
    void indexChanged();

private:
    void announceAll();

    QPointer<ReplayTransport> m_transport;
};

} // namespace gcs
