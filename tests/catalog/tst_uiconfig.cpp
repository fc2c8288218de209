#include "catalog/UiConfig.h"

#include "TestSupport.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using gcs::UiConfig;

class TestUiConfig : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray& content)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("ui%1.yaml").arg(++n));
        return gcs::test::writeFileBytes(path, content) ? path : QString();
    }

private slots:
    // Keys are exact; a comment starts at "#"; the value is all after the first colon and
    // only true, yes, on and 1 (in any case) show the page; the last line with the key
    // wins; without one the page is hidden.
    void fileDecidesTheFactoryPage_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("visible");
        for (const char* token : { "true", "yes", "1", " TRUE " })
            QTest::newRow(token) << "factory_config:" + QByteArray(token) << true;
        QTest::newRow("On and a comment") << QByteArray("factory_config: On  # show it\n") << true;
        QTest::newRow("key in capitals") << QByteArray("Factory_Config: yes\n") << false;
        QTest::newRow("only comments") << QByteArray("# factory_config: yes\n#\n") << false;
        QTest::newRow("last one wins")
            << QByteArray("factory_config: 1\nfactory_config: off\n") << false;
        QTest::newRow("extra colon in value")
            << QByteArray("factory_config: true:false\n") << false;
        QTest::newRow("no colon") << QByteArray("factory_config true\n") << false;
        QTest::newRow("CRLF lines") << QByteArray("a: b\r\nfactory_config: on\r\n") << true;
    }

    void fileDecidesTheFactoryPage()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, visible);
        UiConfig config;
        QSignalSpy changed(&config, &UiConfig::configChanged);
        QVERIFY(config.loadFile(write("factory_config: yes\n")));
        QVERIFY(config.loadFile(write(content)));
        QCOMPARE(config.factoryConfigVisible(), visible);
        QCOMPARE(changed.count(), visible ? 1 : 2); // only a change is announced
        QVERIFY(!config.loadFile(m_dir.path())); // what does not open changes nothing
        QCOMPARE(config.factoryConfigVisible(), visible);
    }
};

QTEST_GUILESS_MAIN(TestUiConfig)
#include "tst_uiconfig.moc"
