#pragma once

#include "ui/PaintedLook.h"

#include <QColor>
#include <QQuickPaintedItem>
#include <QString>
#include <QVariantList>
#include <QVector>
#include <QtQml/qqmlregistration.h>

namespace gcs {

/// A log-log plot of curves that span decades, such as Allan deviations: both axes are
/// divided at every power of ten (fainter lines at 2 to 9 times it) and labelled at the
/// decades, which are chosen to hold every point of every curve; a legend names the
/// curves in their colours. QML gives the curves as `series`, a list of maps: "name",
/// "color", "x" and "y" (lists of numbers), and "dashed". Points that are not positive
/// and finite are left out and break the line.
class LogLogChart : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QVariantList series READ series WRITE setSeries NOTIFY seriesChanged)
    Q_PROPERTY(QString xTitle READ xTitle WRITE setXTitle NOTIFY lookChanged)
    Q_PROPERTY(QString yTitle READ yTitle WRITE setYTitle NOTIFY lookChanged)
    /// Shown in the middle while no curve has a point.
    Q_PROPERTY(QString emptyText READ emptyText WRITE setEmptyText NOTIFY lookChanged)
    Q_PROPERTY(QColor gridColor READ gridColor WRITE setGridColor NOTIFY lookChanged)
    Q_PROPERTY(QColor labelColor READ labelColor WRITE setLabelColor NOTIFY lookChanged)
    /// Fill of the legend's box.
    Q_PROPERTY(QColor legendColor READ legendColor WRITE setLegendColor NOTIFY lookChanged)
    Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily NOTIFY lookChanged)
    /// Curves with at least one point drawn.
    Q_PROPERTY(int curveCount READ curveCount NOTIFY seriesChanged)

public:
    explicit LogLogChart(QQuickItem* parent = nullptr);

    QVariantList series() const { return m_seriesValue; }
    void setSeries(const QVariantList& series);
    QString xTitle() const { return m_xTitle; }
    void setXTitle(const QString& title) { gcs::setLook(this, m_xTitle, title); }
    QString yTitle() const { return m_yTitle; }
    void setYTitle(const QString& title) { gcs::setLook(this, m_yTitle, title); }
    QString emptyText() const { return m_emptyText; }
    void setEmptyText(const QString& text) { gcs::setLook(this, m_emptyText, text); }
    QColor gridColor() const { return m_gridColor; }
    void setGridColor(const QColor& c) { gcs::setLook(this, m_gridColor, c); }
    QColor labelColor() const { return m_labelColor; }
    void setLabelColor(const QColor& c) { gcs::setLook(this, m_labelColor, c); }
    QColor legendColor() const { return m_legendColor; }
    void setLegendColor(const QColor& c) { gcs::setLook(this, m_legendColor, c); }
    QString fontFamily() const { return m_fontFamily; }
    void setFontFamily(const QString& family) { gcs::setLook(this, m_fontFamily, family); }

    int curveCount() const;

    void paint(QPainter* painter) override;

signals:
    void seriesChanged();
    void lookChanged();

private:
    struct Curve
    {
        QString name;
        QColor color;
        bool dashed = false;
        /// log10 of x and y; NaN where a point is left out.
        QVector<double> lx;
        QVector<double> ly;
        bool drawn = false;
    };
    /// The decades shown on one axis: from 10^low to 10^high.
    struct Decades
    {
        int low;
        int high;
    };
    /// What the axes show while no curve has a point.
    static constexpr Decades kEmptyX { -3, 3 };
    static constexpr Decades kEmptyY { -2, 3 };

    QVariantList m_seriesValue;
    QVector<Curve> m_curves;
    Decades m_x = kEmptyX;
    Decades m_y = kEmptyY;
    QString m_xTitle;
    QString m_yTitle;
    QString m_emptyText;
    QColor m_gridColor = QColor(0x24, 0x38, 0x50);
    QColor m_labelColor = QColor(0x8a, 0xa3, 0xbc);
    QColor m_legendColor = QColor(0x10, 0x1b, 0x28);
    QString m_fontFamily;
};

} // namespace gcs
