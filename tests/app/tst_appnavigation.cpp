#include "app/Application.h"
#include "catalog/AppSettings.h"
#include "catalog/ProductRegistry.h"
#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"

#include "TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>

#include <memory>

using gcs::Application;
using gcs::test::binDir;
using gcs::test::EnvOverride;
using gcs::test::writeFileBytes;

namespace {

bool menuHas(const gcs::ProductRegistry* registry, const QString& kind, const QString& text)
{
    for (const QVariant& v : registry->productNavMenu()) {
        const QVariantMap m = v.toMap();
        if (m.value(QStringLiteral("kind")).toString() != kind)
            continue;
        const QString key
            = kind == QLatin1String("section") ? QStringLiteral("title") : QStringLiteral("navId");
        if (m.value(key).toString() == text)
            return true;
    }
    return false;
}

} // namespace

class TestAppNavigation : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;

    // A profiles folder with the given files (a null content leaves the file out).
    QString profileFolder(const QString& name, const QByteArray& ui, const QByteArray& vorn)
    {
        const QString dir = m_dir->filePath(name);
        if (!ui.isNull() && !writeFileBytes(dir + QStringLiteral("/ui.yaml"), ui))
            return QString();
        if (!vorn.isNull() && !writeFileBytes(dir + QStringLiteral("/vorn.yaml"), vorn))
            return QString();
        QDir().mkpath(dir);
        return dir;
    }

    static QByteArray catalog(const QByteArray& commands)
    {
        return "family: vorn\nheader: \"#vorn\"\ncommands:\n" + commands;
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_dir->path().toLocal8Bit());
    }

    void cleanup()
    {
        m_env.reset();
        m_dir.reset();
    }

    void factoryPageWhileHiddenLandsOnUserConfig()
    {
        Application app;
        QVERIFY(!app.uiConfig()->factoryConfigVisible());
        QVERIFY(!app.products()->navIds().contains(QStringLiteral("factory_config")));
        QSignalSpy nav(&app, &Application::currentNavChanged);
        app.setProperty("currentNav", QStringLiteral("factory_config"));
        QCOMPARE(app.currentNav(), QStringLiteral("user_config"));
        QCOMPARE(nav.count(), 1);
        app.setCurrentNav(QStringLiteral("factory_config"));
        QCOMPARE(nav.count(), 1);
        // The menu index of a page and its title index differ by the hidden item.
        QCOMPARE(app.products()->navId(5), QStringLiteral("raw"));
        QCOMPARE(app.products()->navTitle(5), QStringLiteral("出厂配置"));
    }

    void hidingTheShownFactoryPageMovesToUserConfig()
    {
        Application app;
        QSignalSpy menu(app.products(), &gcs::ProductRegistry::navMenuChanged);
        app.loadProfiles(profileFolder(QStringLiteral("show"), "factory_config: yes\n", {}));
        QCOMPARE(menu.count(), 1);
        QVERIFY(menuHas(app.products(), QStringLiteral("item"), QStringLiteral("factory_config")));
        app.setCurrentNav(QStringLiteral("factory_config"));
        QCOMPARE(app.currentNav(), QStringLiteral("factory_config"));

        QSignalSpy nav(&app, &Application::currentNavChanged);
        app.loadProfiles(profileFolder(QStringLiteral("hide"), "factory_config: off\n", {}));
        QCOMPARE(app.currentNav(), QStringLiteral("user_config"));
        QCOMPARE(nav.count(), 1);
        QCOMPARE(menu.count(), 2);
        QVERIFY(!menuHas(app.products(), QStringLiteral("item"), QStringLiteral("factory_config")));
        QVERIFY(menuHas(app.products(), QStringLiteral("section"), QStringLiteral("参数与标定")));
    }

    void theLaterProfileFolderWins()
    {
        const QString developer = profileFolder(
            QStringLiteral("developer"), "factory_config: yes\n",
            catalog("a:\n template: \"from developer\"\nb:\n template: \"old b\"\n"));
        const QString beside = profileFolder(QStringLiteral("beside"), "factory_config: no\n",
                                             catalog("b:\n template: \"new b\"\n"));
        Application app;
        app.loadProfiles(developer);
        QVERIFY(app.uiConfig()->factoryConfigVisible());
        app.loadProfiles(beside);
        QVERIFY(!app.uiConfig()->factoryConfigVisible());
        QVERIFY(!app.products()->isNavItemVisible(QStringLiteral("factory_config")));
        QCOMPARE(app.catalog()->build(QStringLiteral("vorn.a")),
                 QByteArray("#vorn,from developer*ff\r\n"));
        QCOMPARE(app.catalog()->build(QStringLiteral("vorn.b")), QByteArray("#vorn,new b*ff\r\n"));
    }

    void aFileOnlyInTheFirstFolderStaysInEffect()
    {
        const QString developer
            = profileFolder(QStringLiteral("developer"), "factory_config: yes\n", {});
        const QString beside
            = profileFolder(QStringLiteral("beside"), {}, catalog("c:\n template: \"c\"\n"));
        Application app;
        app.loadProfiles(QStringLiteral("X://profiles"));
        app.loadProfiles(developer);
        app.loadProfiles(beside);
        app.loadProfiles(m_dir->filePath(QStringLiteral("does-not-exist")));
        QVERIFY(app.uiConfig()->factoryConfigVisible());
        QVERIFY(app.products()->isNavItemVisible(QStringLiteral("factory_config")));
        QCOMPARE(app.catalog()->build(QStringLiteral("vorn.c")), QByteArray("#vorn,c*ff\r\n"));
    }

    void shippedProfilesHideTheFactoryPageAndKnowTheCommands()
    {
        Application app;
        app.loadProfiles(QDir(binDir()).filePath(QStringLiteral("profiles")));
        QVERIFY(!app.uiConfig()->factoryConfigVisible());
        QCOMPARE(app.catalog()->build(QStringLiteral("vorn.get_softver")),
                 QByteArray("#vorn,get softver*ff\r\n"));
        QCOMPARE(app.catalog()->build(QStringLiteral("vorn.set_com1"),
                                      { "422", "115200", "200", "sinsbin" }),
                 QByteArray("#vorn,set com1,422,115200,200,sinsbin*ff\r\n"));
    }

    void selectingTheProductResetsPendingConnectAndOpensTheFirstPage()
    {
        Application app;
        app.settings()->setLastProductId(QStringLiteral("other"));
        app.setPendingSerialConnect(QStringLiteral("COM3"), 9600);
        app.setCurrentNav(QStringLiteral("raw"));
        QSignalSpy pending(&app, &Application::pendingConnectChanged);
        QSignalSpy nav(&app, &Application::currentNavChanged);
        app.selectProduct(QStringLiteral("gnss"));
        QCOMPARE(app.products()->currentProductId(), QStringLiteral("ins"));
        QCOMPARE(app.settings()->lastProductId(), QStringLiteral("ins"));
        QVERIFY(!app.hasPendingConnect());
        QCOMPARE(app.pendingConnectBaud(), 115200);
        QCOMPARE(pending.count(), 1);
        QCOMPARE(app.currentNav(), QStringLiteral("attitude"));
        QCOMPARE(nav.count(), 1);
        app.selectProduct(QStringLiteral("ins"));
        QCOMPARE(pending.count(), 1);
        QCOMPARE(nav.count(), 1);
    }

    void defaultPageIsTheFirstVisibleOne()
    {
        Application app;
        app.setCurrentNav(QStringLiteral("record"));
        app.products()->setNavItemVisible(QStringLiteral("attitude"), false);
        app.openDefaultProductPage();
        QCOMPARE(app.currentNav(), QStringLiteral("charts"));
        for (const QString& id : app.products()->navIds())
            app.products()->setNavItemVisible(id, false);
        QCOMPARE(app.products()->navCount(), 0);
        app.openDefaultProductPage();
        QCOMPARE(app.currentNav(), QStringLiteral("attitude"));
    }
};

QTEST_GUILESS_MAIN(TestAppNavigation)
#include "tst_appnavigation.moc"
