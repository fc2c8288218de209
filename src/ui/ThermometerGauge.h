#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace gcs {

/// A thermometer: a vertical tube on a scale from minimum to maximum (0 .. 85 ℃ for the
/// unit's temperature) filled up to the value. Values outside the scale fill it to its
/// end; without a live value (online false or a non-finite value) the tube stays empty.
class ThermometerGauge : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(double minimum READ minimum WRITE setMinimum NOTIFY scaleChanged)
    Q_PROPERTY(double maximum READ maximum WRITE setMaximum NOTIFY scaleChanged)
    Q_PROPERTY(bool online READ online WRITE setOnline NOTIFY valueChanged)
    Q_PROPERTY(QColor fillColor READ fillColor WRITE setFillColor NOTIFY lookChanged)
    Q_PROPERTY(QColor tubeColor READ tubeColor WRITE setTubeColor NOTIFY lookChanged)
    Q_PROPERTY(QColor scaleColor READ scaleColor WRITE setScaleColor NOTIFY lookChanged)
    Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily NOTIFY lookChanged)

public:
    explicit ThermometerGauge(QQuickItem* parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);
    double minimum() const { return m_minimum; }
    void setMinimum(double value);
    double maximum() const { return m_maximum; }
    void setMaximum(double value);
    bool online() const { return m_online; }
    void setOnline(bool online);
    QColor fillColor() const { return m_fillColor; }
    void setFillColor(const QColor& c);
    QColor tubeColor() const { return m_tubeColor; }
    void setTubeColor(const QColor& c);
    QColor scaleColor() const { return m_scaleColor; }
    void setScaleColor(const QColor& c);
    QString fontFamily() const { return m_fontFamily; }
    void setFontFamily(const QString& family);

    /// How full the tube is, 0 .. 1 (0 without a live value).
    Q_INVOKABLE double level() const;

    void paint(QPainter* painter) override;

signals:
    void valueChanged();
    void scaleChanged();
    void lookChanged();

private:
    double m_value = 0;
    double m_minimum = 0;
    double m_maximum = 85;
    bool m_online = false;
    QColor m_fillColor = QColor(0xd4, 0xa8, 0x43);
    QColor m_tubeColor = QColor(0x24, 0x38, 0x50);
    QColor m_scaleColor = QColor(0x8a, 0xa3, 0xbc);
    QString m_fontFamily;
};

} // namespace gcs
