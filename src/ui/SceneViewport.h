#pragma once

#include <QQuickPaintedItem>
#include <QString>
#include <QtQml/qqmlregistration.h>

namespace gcs {

/// The attitude indicator of the attitude page: an artificial horizon whose sky and
/// ground turn with roll and shift with pitch, a pitch ladder every 10 degrees, a fixed
/// aircraft symbol and a frame. While no attitude data arrives it says so at the bottom.
///
/// yaw, azimuth, elevation and quality are kept for the bindings of the page but do not
/// change the picture: only the two-dimensional drawing exists.
class SceneViewport : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(double roll READ roll WRITE setRoll NOTIFY poseChanged)
    Q_PROPERTY(double pitch READ pitch WRITE setPitch NOTIFY poseChanged)
    Q_PROPERTY(double yaw READ yaw WRITE setYaw NOTIFY poseChanged)
    Q_PROPERTY(double azimuth READ azimuth WRITE setAzimuth NOTIFY poseChanged)
    Q_PROPERTY(double elevation READ elevation WRITE setElevation NOTIFY poseChanged)
    Q_PROPERTY(QString quality READ quality WRITE setQuality NOTIFY poseChanged)
    Q_PROPERTY(bool online READ online WRITE setOnline NOTIFY poseChanged)

public:
    explicit SceneViewport(QQuickItem* parent = nullptr);

    double roll() const { return m_roll; }
    double pitch() const { return m_pitch; }
    double yaw() const { return m_yaw; }
    double azimuth() const { return m_azimuth; }
    double elevation() const { return m_elevation; }
    QString quality() const { return m_quality; }
    bool online() const { return m_online; }

    void setRoll(double degrees);
    void setPitch(double degrees);
    void setYaw(double degrees);
    void setAzimuth(double degrees);
    void setElevation(double degrees);
    void setQuality(const QString& quality);
    void setOnline(bool online);

    void paint(QPainter* painter) override;

signals:
    void poseChanged();

private:
    void changeAngle(double& field, double degrees);

    double m_roll = 0;
    double m_pitch = 0;
    double m_yaw = 0;
    double m_azimuth = 0;
    double m_elevation = 0;
    QString m_quality = QStringLiteral("Fallback2D");
    bool m_online = false;
};

} // namespace gcs
