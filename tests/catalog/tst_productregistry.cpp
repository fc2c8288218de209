#include "catalog/ProductRegistry.h"

#include <QSignalSpy>
#include <QTest>
#include <QVariantMap>

using gcs::ProductRegistry;
using gcs::TransportKind;

namespace {

// The menu as "section:<title>" and "item:<navId>" words, easy to compare.
QStringList menuWords(const ProductRegistry& registry)
{
    QStringList words;
    for (const QVariant& v : registry.productNavMenu()) {
        const QVariantMap m = v.toMap();
        const QString kind = m.value(QStringLiteral("kind")).toString();
        if (kind == QLatin1String("section")) {
            words.append(QStringLiteral("section:") + m.value(QStringLiteral("title")).toString());
            if (!m.value(QStringLiteral("navId")).toString().isEmpty())
                words.append(QStringLiteral("!header with navId"));
        } else {
            words.append(QStringLiteral("item:") + m.value(QStringLiteral("navId")).toString());
            if (!m.value(QStringLiteral("title")).toString().isEmpty())
                words.append(QStringLiteral("!item with title"));
        }
    }
    return words;
}

} // namespace

class TestProductRegistry : public QObject
{
    Q_OBJECT
private slots:
    void builtInInsProductAndDeviceCatalog()
    {
        ProductRegistry registry;
        QSignalSpy current(&registry, &ProductRegistry::currentProductChanged);
        registry.registerBuiltInProducts();
        QCOMPARE(current.count(), 0);
        QCOMPARE(registry.currentProductId(), QStringLiteral("ins"));
        QCOMPARE(registry.productIds(), QStringList { "ins" });
        QCOMPARE(registry.displayName(QStringLiteral("ins")),
                 QStringLiteral("AX-7300 组合导航系统"));
        QCOMPARE(registry.productShortName(), QStringLiteral("惯导"));
        QCOMPARE(registry.navIds(),
                 (QStringList { "attitude", "charts", "message", "stats", "user_config",
                                "factory_config", "raw", "record", "upgrade" }));
        QCOMPARE(registry.navCount(), 9);
        QCOMPARE(registry.navTitleById(QStringLiteral("raw")), QStringLiteral("原始收发"));
        QCOMPARE(registry.navTitleById(QStringLiteral("Raw")), QString());
        QCOMPARE(registry.navSubtitleById(QStringLiteral("upgrade")),
                 QStringLiteral("115200 升级模式烧写"));
        QCOMPARE(registry.navSubtitleById(QStringLiteral("attitude")), QString());

        QCOMPARE(registry.productCategoryIds(), QStringList { "nav_attitude" });
        QCOMPARE(registry.categoryDisplayName(QStringLiteral("nav_attitude")),
                 QStringLiteral("导航测姿"));
        const QStringList models { "kt10", "kt15", "kt40", "kt45", "kt60", "kt80" };
        QCOMPARE(registry.allDeviceModelIds(), models);
        QCOMPARE(registry.deviceModelIds(QStringLiteral("nav_attitude")), models);
        QCOMPARE(registry.deviceModelIds(QStringLiteral("NAV_ATTITUDE")), QStringList());
        QCOMPARE(registry.deviceModelDisplayName(QStringLiteral("kt60")), QStringLiteral("KT60"));
        QCOMPARE(registry.deviceModelCategoryId(QStringLiteral("kt10")),
                 QStringLiteral("nav_attitude"));
        QCOMPARE(registry.productIdForDeviceModel(QStringLiteral("kt80")), QStringLiteral("ins"));
        QCOMPARE(registry.defaultDeviceModelId(), QStringLiteral("kt45"));
        QVERIFY(registry.supportsSerialDiscover());
    }

    void menuGroupsItemsUnderTheirSections()
    {
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        QCOMPARE(menuWords(registry),
                 (QStringList { "section:运行监视", "item:attitude", "item:charts", "item:message",
                                "item:stats", "section:参数与标定", "item:user_config",
                                "item:factory_config", "section:调试与维护", "item:raw",
                                "item:record", "item:upgrade" }));
    }

    void hidingItemsUpdatesTheListAndTheMenu()
    {
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        QSignalSpy menu(&registry, &ProductRegistry::navMenuChanged);

        registry.setNavItemVisible(QStringLiteral("factory_config"), false);
        QCOMPARE(menu.count(), 1);
        QVERIFY(!registry.isNavItemVisible(QStringLiteral("factory_config")));
        QVERIFY(!registry.navIds().contains(QStringLiteral("factory_config")));
        QVERIFY(!menuWords(registry).contains(QStringLiteral("item:factory_config")));
        QVERIFY(menuWords(registry).contains(QStringLiteral("section:参数与标定")));

        registry.setNavItemVisible(QStringLiteral("factory_config"), false);
        registry.setNavItemVisible(QStringLiteral("attitude"), true);
        QCOMPARE(menu.count(), 1);

        registry.setNavItemVisible(QStringLiteral("user_config"), false);
        QCOMPARE(menu.count(), 2);
        QCOMPARE(menuWords(registry),
                 (QStringList { "section:运行监视", "item:attitude", "item:charts", "item:message",
                                "item:stats", "section:调试与维护", "item:raw", "item:record",
                                "item:upgrade" }));

        registry.setNavItemVisible(QStringLiteral("user_config"), true);
        registry.setNavItemVisible(QStringLiteral("factory_config"), true);
        QCOMPARE(menu.count(), 4);
        QCOMPARE(registry.navCount(), 9);
    }

    void navTitleCountsHiddenItemsButNavIdDoesNot()
    {
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        registry.setNavItemVisible(QStringLiteral("factory_config"), false);
        QCOMPARE(registry.navTitle(5), QStringLiteral("出厂配置"));
        QCOMPARE(registry.navId(5), QStringLiteral("raw"));
        QCOMPARE(registry.navId(4), QStringLiteral("user_config"));
        QCOMPARE(registry.navCount(), 8);
        QCOMPARE(registry.navId(8), QString());
        QCOMPARE(registry.navId(-1), QString());
        QCOMPARE(registry.navTitle(9), QString());
        QCOMPARE(registry.navTitle(-1), QString());
        QCOMPARE(registry.navTitle(8), QStringLiteral("固件升级"));
    }

    void unknownModelsAndCategories()
    {
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        QCOMPARE(registry.deviceModelDisplayName(QStringLiteral("kt99")), QStringLiteral("kt99"));
        QCOMPARE(registry.productIdForDeviceModel(QStringLiteral("kt99")), QStringLiteral("ins"));
        QCOMPARE(registry.deviceModelCategoryId(QStringLiteral("kt99")), QString());
        QCOMPARE(registry.categoryDisplayName(QStringLiteral("gnss")), QString());
        QCOMPARE(registry.displayName(QStringLiteral("gnss")), QString());
    }

    void onlySerialTransportIsSupported_data()
    {
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("supported");
        QTest::newRow("serial") << "ins"
                                << "serial" << true;
        QTest::newRow("blanks and capitals") << "ins"
                                             << "  SeRiAl " << true;
        QTest::newRow("udp") << "ins"
                             << "udp" << false;
        QTest::newRow("tcp") << "ins"
                             << "TCP" << false;
        QTest::newRow("empty kind") << "ins"
                                    << "" << false;
        QTest::newRow("unknown product") << "gnss"
                                         << "serial" << false;
    }

    void onlySerialTransportIsSupported()
    {
        QFETCH(QString, product);
        QFETCH(QString, kind);
        QFETCH(bool, supported);
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        QCOMPARE(registry.supportsTransport(product, kind), supported);
    }

    void registeringAgainReplacesWithoutDuplicating()
    {
        ProductRegistry registry;
        registry.registerBuiltInProducts();
        ProductRegistry::Product replacement;
        replacement.id = QStringLiteral("ins");
        replacement.displayName = QStringLiteral("Replaced");
        replacement.navIds = { QStringLiteral("a"), QStringLiteral("b") };
        replacement.navTitles = { QStringLiteral("A") }; // one title short
        replacement.transports = { TransportKind::Udp };
        registry.registerProduct(replacement);
        QCOMPARE(registry.productIds(), QStringList { "ins" });
        QCOMPARE(registry.displayName(QStringLiteral("ins")), QStringLiteral("Replaced"));
        QVERIFY(!registry.supportsTransport(QStringLiteral("ins"), QStringLiteral("serial")));
        // Without sections the menu is flat.
        QCOMPARE(menuWords(registry), (QStringList { "item:a", "item:b" }));
        QCOMPARE(registry.navTitleById(QStringLiteral("b")), QString());
        QCOMPARE(registry.navTitle(1), QString());
    }

    void currentProductChangesOnlyToARegisteredOtherProduct()
    {
        ProductRegistry registry;
        QCOMPARE(registry.navIds(), QStringList());
        QCOMPARE(registry.productNavMenu(), QVariantList());
        QCOMPARE(registry.navTitle(0), QString());
        QVERIFY(!registry.supportsSerialDiscover());
        registry.registerBuiltInProducts();
        ProductRegistry::Product second;
        second.id = QStringLiteral("gnss");
        second.navIds = { QStringLiteral("map") };
        second.navTitles = { QStringLiteral("地图") };
        registry.registerProduct(second);
        QCOMPARE(registry.currentProductId(), QStringLiteral("ins"));

        QSignalSpy current(&registry, &ProductRegistry::currentProductChanged);
        registry.setCurrentProductId(QStringLiteral("nothing"));
        registry.setCurrentProductId(QStringLiteral("ins"));
        QCOMPARE(current.count(), 0);
        registry.setCurrentProductId(QStringLiteral("gnss"));
        QCOMPARE(current.count(), 1);
        QCOMPARE(registry.navIds(), QStringList { "map" });
        QCOMPARE(registry.navTitle(0), QStringLiteral("地图"));
    }
};

QTEST_GUILESS_MAIN(TestProductRegistry)
#include "tst_productregistry.moc"
