#pragma once

#include "ui/PaintedLook.h"

#include "ui/TrackPath.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QQuickPaintedItem>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <limits>

namespace gcs {

/// The GNSS track drawn by the program itself, north up, in local east/north metres
/// around the first fix (see TrackPath): a grid, the line driven, the start point, the
/// current position with a heading marker, a north mark and a scale bar of a round
/// length. No map tiles: the machine may have no network.
///
/// QML calls addFix once per decoded navigation record. Until a position fix arrives
/// the item shows "—" and nothing else. While autoFit is set (the start, and after fit)
/// the view keeps the whole track in sight; the wheel zooms at the cursor, a drag pans,
/// a double click fits, and either of the first two ends autoFit. zoomIn and zoomOut are
/// there for the buttons of people without a wheel.
///
/// Repaints are coalesced to one per 50 ms; a repaint maps the kept points to pixels and
/// draws them as one polyline, dropping points that land on the pixel of the one before.
/// trackChanged comes with the repaints too (the first fix and clear tell at once), so a
/// fast stream does not re-evaluate the bindings on the track for every record.
class TrackView : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(bool hasFix READ hasFix NOTIFY trackChanged)
    Q_PROPERTY(int pointCount READ pointCount NOTIFY trackChanged)
    Q_PROPERTY(double distance READ distance NOTIFY trackChanged)
    Q_PROPERTY(double heading READ heading NOTIFY trackChanged)
    Q_PROPERTY(double originLat READ originLat NOTIFY trackChanged)
    Q_PROPERTY(double originLon READ originLon NOTIFY trackChanged)
    Q_PROPERTY(QPointF currentPosition READ currentPosition NOTIFY trackChanged)
    Q_PROPERTY(QRectF trackBounds READ trackBounds NOTIFY trackChanged)
    Q_PROPERTY(bool autoFit READ autoFit WRITE setAutoFit NOTIFY viewChanged)
    Q_PROPERTY(double pixelsPerMetre READ pixelsPerMetre NOTIFY viewChanged)
    Q_PROPERTY(QColor trackColor READ trackColor WRITE setTrackColor NOTIFY lookChanged)
    Q_PROPERTY(QColor markerColor READ markerColor WRITE setMarkerColor NOTIFY lookChanged)
    Q_PROPERTY(QColor startColor READ startColor WRITE setStartColor NOTIFY lookChanged)
    Q_PROPERTY(QColor gridColor READ gridColor WRITE setGridColor NOTIFY lookChanged)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor NOTIFY lookChanged)
    Q_PROPERTY(QColor outlineColor READ outlineColor WRITE setOutlineColor NOTIFY lookChanged)
    Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily NOTIFY lookChanged)

public:
    static constexpr double kMinPixelsPerMetre = 1e-4;
    static constexpr double kMaxPixelsPerMetre = 50;
    /// A fit never shows less than this many metres across, so one fix is not a blur.
    static constexpr double kMinFitSpan = 40;
    /// Room left around a fitted track for the markers, the north mark and the scale bar.
    static constexpr double kFitMargin = 44;
    static constexpr double kButtonZoom = 1.5;
    static constexpr int kCoalesceMs = 50;

    explicit TrackView(QQuickItem* parent = nullptr);

    bool hasFix() const { return !m_path.isEmpty(); }
    int pointCount() const { return int(m_path.points().size()); }
    double distance() const { return m_path.distance(); }
    /// The heading of the newest fix in degrees, NaN when it came without one.
    double heading() const { return m_heading; }
    /// The first fix, the origin of the metres (degrees); 0 before it.
    double originLat() const { return m_path.originLat(); }
    double originLon() const { return m_path.originLon(); }
    bool autoFit() const { return m_autoFit; }
    void setAutoFit(bool on);
    double pixelsPerMetre() const { return m_scale; }

    QColor trackColor() const { return m_trackColor; }
    void setTrackColor(const QColor& c) { gcs::setLook(this, m_trackColor, c); }
    QColor markerColor() const { return m_markerColor; }
    void setMarkerColor(const QColor& c) { gcs::setLook(this, m_markerColor, c); }
    QColor startColor() const { return m_startColor; }
    void setStartColor(const QColor& c) { gcs::setLook(this, m_startColor, c); }
    QColor gridColor() const { return m_gridColor; }
    void setGridColor(const QColor& c) { gcs::setLook(this, m_gridColor, c); }
    QColor textColor() const { return m_textColor; }
    void setTextColor(const QColor& c) { gcs::setLook(this, m_textColor, c); }
    QColor outlineColor() const { return m_outlineColor; }
    void setOutlineColor(const QColor& c) { gcs::setLook(this, m_outlineColor, c); }
    QString fontFamily() const { return m_fontFamily; }
    void setFontFamily(const QString& family) { gcs::setLook(this, m_fontFamily, family); }

    /// One navigation record: its position (degrees), its heading (degrees, NaN for
    /// none) and the bridge's GNSS fix text. A record whose fix text says there is no
    /// fix ("故障", "无效"), or at 0° / 0° (what a unit without a fix sends), adds
    /// nothing. Returns whether the position was taken.
    Q_INVOKABLE bool addFix(double lat, double lon, double heading, const QString& gnssStatus);
    /// Forgets the track; the next fix is the new origin.
    Q_INVOKABLE void clear();
    /// Shows the whole track and keeps doing so as it grows.
    Q_INVOKABLE void fit();
    Q_INVOKABLE void zoomIn() { zoomStep(kButtonZoom); }
    Q_INVOKABLE void zoomOut() { zoomStep(1 / kButtonZoom); }
    /// Zooms by factor keeping the ground under the item point at where it is.
    Q_INVOKABLE void zoomAt(double factor, const QPointF& at);
    /// Moves the picture by (dx, dy) pixels.
    Q_INVOKABLE void panBy(double dx, double dy);

    /// A position in metres east and north of the first fix.
    Q_INVOKABLE QPointF toLocal(double lat, double lon) const { return m_path.toLocal(lat, lon); }
    /// The newest position, in metres east and north of the first fix.
    QPointF currentPosition() const { return m_path.current(); }
    /// The extent of the track in metres (x east, y north).
    QRectF trackBounds() const { return m_path.bounds(); }
    /// Where a point given in metres is drawn, in item pixels.
    Q_INVOKABLE QPointF itemPoint(const QPointF& metres) const;
    /// The distance a kept point lies at least from the one before.
    Q_INVOKABLE double minStep() const { return m_path.step(); }
    /// The scale bar: a length of 1, 2 or 5 times a power of ten, between about 70 and
    /// 175 pixels long; it is also the grid's spacing.
    Q_INVOKABLE double scaleBarMetres() const;
    Q_INVOKABLE QString scaleBarText() const;

    void paint(QPainter* painter) override;

signals:
    void trackChanged();
    void viewChanged();
    void lookChanged();

protected:
    void geometryChange(const QRectF& newGeometry, const QRectF& oldGeometry) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void applyFit();
    void zoomStep(double factor);
    void leaveAutoFit();
    void setView(double scale, const QPointF& centre);
    void requestRepaint();
    void paintGrid(QPainter* painter, double spacing);
    void paintTrack(QPainter* painter);
    void paintMarkers(QPainter* painter);
    void paintScaleBar(QPainter* painter, double spacing);
    void paintNorth(QPainter* painter);
    void paintWaiting(QPainter* painter);

    TrackPath m_path;
    double m_heading = std::numeric_limits<double>::quiet_NaN();
    bool m_autoFit = true;
    double m_scale = 1;
    QPointF m_centre;
    QPointF m_dragFrom;
    bool m_dragging = false;
    QTimer m_coalesceTimer;
    bool m_trackDirty = false;
    QPolygonF m_line; // the polyline of the last repaint, kept for its memory

    QColor m_trackColor = QColor(0x6e, 0xc4, 0xf0);
    QColor m_markerColor = QColor(0xdc, 0x56, 0x48);
    QColor m_startColor = QColor(0x5d, 0xff, 0xb8);
    QColor m_gridColor = QColor(0x24, 0x38, 0x50);
    QColor m_textColor = QColor(0x8a, 0xa3, 0xbc);
    QColor m_outlineColor = QColor(0x10, 0x1b, 0x28);
    QString m_fontFamily;
};

} // namespace gcs
