#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace gcs {

/// A compass dial: a card that turns under a fixed lubber mark at the top, so the
/// heading the unit points to is always read at twelve o'clock. Ticks every 5 degrees,
/// numbers every 30 and the cardinal letters; the centre shows the heading in degrees
/// when showReadout is set. Without a live heading the card rests at north, dimmed.
class CompassDial : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double heading READ heading WRITE setHeading NOTIFY headingChanged)
    Q_PROPERTY(bool online READ online WRITE setOnline NOTIFY headingChanged)
    Q_PROPERTY(QString readoutText READ readoutText NOTIFY headingChanged)
    Q_PROPERTY(bool showReadout READ showReadout WRITE setShowReadout NOTIFY lookChanged)
    Q_PROPERTY(QColor faceColor READ faceColor WRITE setFaceColor NOTIFY lookChanged)
    Q_PROPERTY(QColor ringColor READ ringColor WRITE setRingColor NOTIFY lookChanged)
    Q_PROPERTY(QColor tickColor READ tickColor WRITE setTickColor NOTIFY lookChanged)
    Q_PROPERTY(QColor accentColor READ accentColor WRITE setAccentColor NOTIFY lookChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY lookChanged)
    Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily NOTIFY lookChanged)

public:
    explicit CompassDial(QQuickItem* parent = nullptr);

    double heading() const { return m_heading; }
    void setHeading(double degrees);
    bool online() const { return m_online; }
    void setOnline(bool online);
    bool showReadout() const { return m_showReadout; }
    void setShowReadout(bool show);
    QColor faceColor() const { return m_faceColor; }
    void setFaceColor(const QColor& c);
    QColor ringColor() const { return m_ringColor; }
    void setRingColor(const QColor& c);
    QColor tickColor() const { return m_tickColor; }
    void setTickColor(const QColor& c);
    QColor accentColor() const { return m_accentColor; }
    void setAccentColor(const QColor& c);
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& c);
    QString fontFamily() const { return m_fontFamily; }
    void setFontFamily(const QString& family);

    /// The angle the card is turned by (minus the heading, normalised), 0 when not live.
    Q_INVOKABLE double cardRotation() const;
    /// The centre readout: the heading with one decimal and "°", or "—" without one.
    QString readoutText() const;

    void paint(QPainter* painter) override;

signals:
    void headingChanged();
    void lookChanged();

private:
    bool live() const;

    double m_heading = 0;
    bool m_online = false;
    bool m_showReadout = true;
    QColor m_faceColor = QColor(0x10, 0x1b, 0x28);
    QColor m_ringColor = QColor(0x3a, 0x68, 0x90);
    QColor m_tickColor = QColor(0x8a, 0xa3, 0xbc);
    QColor m_accentColor = QColor(0xdc, 0x56, 0x48);
    QColor m_textColor = QColor(0xe8, 0xf2, 0xfa);
    QString m_fontFamily;
};

} // namespace gcs
