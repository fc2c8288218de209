// The Qt Quick Test suite of the window: the real QML module (from the resources linked
// into this executable) on the real controller, offscreen.
#include "ShellFixture.h"

#include "app/QmlTypes.h"

#include <QQmlContext>
#include <QQuickStyle>
#include <QtQuickTest>

class Setup : public QObject
{
    Q_OBJECT
public slots:
    void applicationAvailable()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
        QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
        QQuickStyle::setStyle(QStringLiteral("Fusion"));
        gcs::registerQmlTypes();
    }

    void qmlEngineAvailable(QQmlEngine* engine)
    {
        engine->addImportPath(QStringLiteral("qrc:/"));
        m_fixture = std::make_unique<ShellFixture>(engine);
        engine->rootContext()->setContextProperty(QStringLiteral("fixture"), m_fixture.get());
    }

    void cleanupTestCase() { m_fixture.reset(); } // the controller and simulator end here

private:
    std::unique_ptr<ShellFixture> m_fixture;
};

// The offscreen platform's own screen (800 x 800) is smaller than the window's minimum;
// the tests run on the 1920 x 1080 baseline screen and a 2560 x 1440 one to its right.
int main(int argc, char** argv)
{
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen")
        qputenv("QT_QPA_PLATFORM",
                "offscreen:configfile=" QUICK_TEST_SOURCE_DIR "/offscreen-screens.json");
    QTEST_SET_MAIN_SOURCE_PATH
    Setup setup;
    return quick_test_main_with_setup(argc, argv, "tst_qml", QUICK_TEST_SOURCE_DIR, &setup);
}

#include "tst_qml.moc"
