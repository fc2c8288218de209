#include "ui/SceneViewport.h"

#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <functional>

using gcs::SceneViewport;

namespace {

const QRgb kSky = qRgb(0x3d, 0x6f, 0x93);
const QRgb kGround = qRgb(0x6b, 0x4e, 0x24);

// A 200 x 200 item: inner area 4..196, centre (100, 100), 2.4 pixels per degree of pitch.
constexpr int kSize = 200;

QImage render(const std::function<void(SceneViewport&)>& pose)
{
    SceneViewport view;
    view.setSize(QSizeF(kSize, kSize));
    pose(view);
    QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    view.paint(&painter);
    painter.end();
    return image;
}

QRgb rgbAt(const QImage& image, int x, int y)
{
    return image.pixel(x, y) | 0xff000000u;
}

bool isLight(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) > 200;
}

} // namespace

class TestSceneViewport : public QObject
{
    Q_OBJECT

private slots:
    void changesNotifyOnceAndNearlyEqualAnglesAreNoChange()
    {
        SceneViewport view;
        QSignalSpy spy(&view, &SceneViewport::poseChanged);

        view.setRoll(10);
        view.setRoll(10 + 5e-12);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(view.roll(), 10.0);

        // From 0 every step counts, however small.
        view.setPitch(1e-300);
        QCOMPARE(spy.count(), 2);
        view.setPitch(1e-300);
        QCOMPARE(spy.count(), 2);

        view.setYaw(45);
        view.setAzimuth(12.5);
        view.setElevation(-3);
        QCOMPARE(spy.count(), 5);

        QCOMPARE(view.quality(), QStringLiteral("Fallback2D"));
        view.setQuality(QStringLiteral("Fallback2D"));
        QCOMPARE(spy.count(), 5);
        view.setQuality(QStringLiteral("High"));
        QCOMPARE(spy.count(), 6);

        QVERIFY(!view.online());
        view.setOnline(false);
        QCOMPARE(spy.count(), 6);
        view.setOnline(true);
        QCOMPARE(spy.count(), 7);
    }

    void levelAttitudeShowsSkyAboveGroundBelowInsideTheFrame()
    {
        const QImage image = render([](SceneViewport& v) { v.setOnline(true); });
        QCOMPARE(rgbAt(image, 30, 40), kSky);
        QCOMPARE(rgbAt(image, 170, 60), kSky);
        QCOMPARE(rgbAt(image, 30, 160), kGround);
        QCOMPARE(rgbAt(image, 170, 140), kGround);
        // The horizon line runs through the centre row, white.
        QVERIFY(isLight(rgbAt(image, 20, 100)));
        // Outside the inset frame, and in its rounded corners, nothing is drawn.
        QCOMPARE(qAlpha(image.pixel(1, 100)), 0);
        QCOMPARE(qAlpha(image.pixel(4, 4)), 0);
    }

    void rollNinetyStandsTheHorizonUpright()
    {
        // Positive roll turns the picture clockwise: the sky goes to the right.
        const QImage image = render([](SceneViewport& v) {
            v.setOnline(true);
            v.setRoll(90);
        });
        QCOMPARE(rgbAt(image, 30, 30), kGround);
        QCOMPARE(rgbAt(image, 30, 170), kGround);
        QCOMPARE(rgbAt(image, 170, 30), kSky);
        QCOMPARE(rgbAt(image, 170, 170), kSky);
        QVERIFY(isLight(rgbAt(image, 100, 20)));
    }

    void pitchFortyPutsTheFortyRungAtTheCentreAndSkyAllAround()
    {
        const auto lightLabelPixels = [](const QImage& image) {
            // The label of a rung at the centre height, above the centre row.
            int n = 0;
            for (int y = 93; y <= 97; ++y) {
                for (int x = 143; x <= 170; ++x)
                    n += isLight(rgbAt(image, x, y)) ? 1 : 0;
            }
            return n;
        };
        const QImage level = render([](SceneViewport& v) { v.setOnline(true); });
        const QImage nose = render([](SceneViewport& v) {
            v.setOnline(true);
            v.setPitch(40);
        });
        QCOMPARE(lightLabelPixels(level), 0);
        QVERIFY(lightLabelPixels(nose) > 0);
        // The horizon moved down by 40 x 2.4 = 96 pixels to the inner bottom edge.
        QCOMPARE(rgbAt(nose, 30, 180), kSky);
        QCOMPARE(rgbAt(level, 30, 180), kGround);
        // Nose down by 40: the horizon reaches the inner top edge.
        const QImage dive = render([](SceneViewport& v) {
            v.setOnline(true);
            v.setPitch(-40);
        });
        QCOMPARE(rgbAt(dive, 30, 20), kGround);
    }

    void waitingHintIsDrawnOnlyWhileOffline()
    {
        const auto hintPixels = [](const QImage& image) {
            // Band above the inner bottom edge, left of the ladder labels.
            int n = 0;
            for (int y = 176; y <= 187; ++y) {
                for (int x = 40; x <= 140; ++x)
                    n += rgbAt(image, x, y) != kGround ? 1 : 0;
            }
            return n;
        };
        const QImage offline = render([](SceneViewport&) {});
        const QImage online = render([](SceneViewport& v) { v.setOnline(true); });
        QVERIFY(hintPixels(offline) > 20);
        QCOMPARE(hintPixels(online), 0);
    }

    void storedOnlyPropertiesLeaveThePictureAlone()
    {
        const QImage base = render([](SceneViewport& v) {
            v.setOnline(true);
            v.setRoll(12);
            v.setPitch(-6);
        });
        const QImage other = render([](SceneViewport& v) {
            v.setOnline(true);
            v.setRoll(12);
            v.setPitch(-6);
            v.setYaw(170);
            v.setAzimuth(33);
            v.setElevation(8);
            v.setQuality(QStringLiteral("High"));
        });
        QCOMPARE(other, base);
    }
};

QTEST_MAIN(TestSceneViewport)
#include "tst_sceneviewport.moc"
