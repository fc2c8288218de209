#include "MarkingTranslator.h"
#include "catalog/ProductRegistry.h"

#include <QSignalSpy>
#include <QTest>

using gcs::ProductRegistry;

namespace {

// The menu in words: "[title]" for a section header, the nav id for an item. Anything a
// header or an item should not carry (a nav id, a title) shows up beside it.
QString menu(const ProductRegistry& registry)
{
    QStringList words;
    for (const QVariant& v : registry.productNavMenu()) {
        const QVariantMap m = v.toMap();
        words << (m.value("kind") == QLatin1String("section")
                      ? "[" + m.value("title").toString() + "]" + m.value("navId").toString()
                      : m.value("navId").toString() + m.value("title").toString());
    }
    return words.join(QLatin1Char(' '));
}

} // namespace

class TestProductRegistry : public QObject
{
    Q_OBJECT

private slots:
    void builtInProductAndDeviceModels()
    {
        ProductRegistry registry;
        QVERIFY(!registry.supportsSerialDiscover());
        QSignalSpy current(&registry, &ProductRegistry::currentProductChanged);
        registry.registerBuiltInProducts();
        QCOMPARE(current.count(), 0); // the first product becomes current quietly
        QCOMPARE(registry.currentProductId(), QStringLiteral("ins"));
        QCOMPARE(menu(registry),
                 QStringLiteral("[运行监视] attitude charts track message stats [参数与标定] "
                                "user_config factory_config [调试与维护] raw record upgrade"));
        QVERIFY(registry.supportsSerialDiscover());

        QCOMPARE(registry.deviceModelIds("nav_attitude"),
                 (QStringList { "kt10", "kt15", "kt40", "kt45", "kt60", "kt80" }));
        QCOMPARE(registry.defaultDeviceModelId(), QStringLiteral("kt45"));
        QCOMPARE(registry.deviceModelDisplayName("kt99"), QStringLiteral("kt99"));
        QCOMPARE(registry.productIdForDeviceModel("kt99"), QStringLiteral("ins"));
        QCOMPARE(registry.deviceModelCategoryId("kt99") + registry.categoryDisplayName("gnss"),
                 QString());
        // Serial links only, the kind given in any case and with blanks.
        QVERIFY(registry.supportsTransport("ins", "  SeRiAl "));
        for (const char* kind : { "udp", "TCP", "" })
            QVERIFY2(!registry.supportsTransport("ins", kind), kind);
        QVERIFY(!registry.supportsTransport("gnss", "serial"));
    }

    void hiddenItemsLeaveTheListAndTheMenu()
    {
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        QSignalSpy changed(&registry, &ProductRegistry::navMenuChanged);
        registry.setNavItemVisible("factory_config", false);
        registry.setNavItemVisible("factory_config", false);
        registry.setNavItemVisible("attitude", true);
        QCOMPARE(changed.count(), 1);
        QVERIFY(!registry.navIds().contains("factory_config"));
        QVERIFY(menu(registry).contains("[参数与标定] user_config [调试与维护]"));

        // A section without a visible item loses its header too.
        registry.setNavItemVisible("user_config", false);
        QVERIFY(menu(registry).contains("stats [调试与维护]"));
        registry.setNavItemVisible("user_config", true);
        registry.setNavItemVisible("factory_config", true);
        QCOMPARE(changed.count(), 4);
        QCOMPARE(registry.navCount(), 10);
    }

    // Names are read in the language of the moment: read after a change of language they
    // come in the new one, and in the old one again once the change is undone.
    void namesFollowTheLanguage()
    {
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        const auto names = [&registry] {
            return QStringList {
                menu(registry).section(' ', 0, 1), registry.navTitle(0),
                registry.navTitleById("upgrade"),  registry.navSubtitleById("upgrade"),
                registry.displayName("ins"),       registry.categoryDisplayName("nav_attitude"),
                registry.productShortName()
            }
                .join('|');
        };
        const QString chinese = names();
        {
            const gcs::test::MarkingTranslator english;
            QCOMPARE(names(),
                     "[en:运行监视] attitude|en:姿态仪表|en:固件升级|en:115200 升级模式烧写|"
                     "en:AX-7300 组合导航系统|en:导航测姿|en:惯导");
        }
        QCOMPARE(names(), chinese);
    }

    // While a recording plays a replay-only page joins the menu and the device pages
    // cannot be opened; afterwards the replay-only page leaves again.
    void replayModeOpensReplayPagesAndClosesDevicePages()
    {
        ProductRegistry registry;
        registry.registerProduct({ "ins", "INS", { "attitude", "noise", "raw" }, {}, {}, {} });
        QSignalSpy changed(&registry, &ProductRegistry::navMenuChanged);
        QStringList seen;
        for (bool replay : { false, true, true, false }) {
            registry.setReplayMode(replay);
            seen << menu(registry) + " |";
            for (const char* id : { "attitude", "noise", "raw" })
                seen.last() += registry.isNavAvailable(id) ? QStringLiteral(" ") + id : QString();
        }
        QCOMPARE(
            seen,
            (QStringList { "attitude raw | attitude raw", "attitude noise raw | attitude noise",
                           "attitude noise raw | attitude noise", "attitude raw | attitude raw" }));
        QCOMPARE(changed.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestProductRegistry)
#include "tst_productregistry.moc"
