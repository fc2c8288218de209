#include "catalog/UiConfig.h"

#include "TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using gcs::UiConfig;
using gcs::test::binDir;
using gcs::test::writeFileBytes;

class TestUiConfig : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray& content)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("ui%1.yaml").arg(++n));
        return writeFileBytes(path, content) ? path : QString();
    }

private slots:
    void boolTokens_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<bool>("fallback");
        QTest::addColumn<bool>("expected");
        for (const char* t : { "true", "yes", "on", "1", "  TRUE ", "Yes", "ON" })
            QTest::newRow(t) << QString::fromLatin1(t) << false << true;
        for (const char* t : { "false", "no", "off", "0", " False", "NO " })
            QTest::newRow(t) << QString::fromLatin1(t) << true << false;
        QTest::newRow("empty, fallback true") << QString() << true << true;
        QTest::newRow("empty, fallback false") << QString() << false << false;
        QTest::newRow("word") << QStringLiteral("maybe") << true << true;
        QTest::newRow("two") << QStringLiteral("2") << false << false;
        QTest::newRow("y") << QStringLiteral("y") << true << true;
    }

    void boolTokens()
    {
        QFETCH(QString, token);
        QFETCH(bool, fallback);
        QFETCH(bool, expected);
        QCOMPARE(UiConfig::parseBoolToken(token, fallback), expected);
    }

    void fileDecidesTheFactoryPage_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("visible");
        QTest::newRow("yes") << QByteArray("factory_config: yes\n") << true;
        QTest::newRow("On and a comment") << QByteArray("factory_config: On  # show it\n") << true;
        QTest::newRow("unknown word") << QByteArray("factory_config: sometimes\n") << false;
        QTest::newRow("key in capitals") << QByteArray("Factory_Config: yes\n") << false;
        QTest::newRow("only comments") << QByteArray("# factory_config: yes\n#\n") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("last one wins")
            << QByteArray("factory_config: 1\nfactory_config: off\n") << false;
        QTest::newRow("last one wins, shown")
            << QByteArray("factory_config: no\nother: 3\nfactory_config: true\n") << true;
        QTest::newRow("blanks around the key")
            << QByteArray("   factory_config   :   true  ") << true;
        QTest::newRow("extra colon in value")
            << QByteArray("factory_config: true:false\n") << false;
        QTest::newRow("no colon") << QByteArray("factory_config true\n") << false;
        QTest::newRow("CRLF lines") << QByteArray("a: b\r\nfactory_config: on\r\n") << true;
        QTest::newRow("binary noise")
            << QByteArray("\x00\xff:\x01\nfactory_config: yes\n\xfe\xfe", 27) << true;
    }

    void fileDecidesTheFactoryPage()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, visible);
        UiConfig config;
        const QString path = write(content);
        QVERIFY(config.loadFile(path));
        QCOMPARE(config.factoryConfigVisible(), visible);
    }

    void aFileThatDoesNotOpenChangesNothing()
    {
        UiConfig config;
        QVERIFY(config.loadFile(write("factory_config: yes\n")));
        QVERIFY(config.factoryConfigVisible());
        QSignalSpy changed(&config, &UiConfig::configChanged);
        QVERIFY(!config.loadFile(m_dir.filePath(QStringLiteral("missing.yaml"))));
        QVERIFY(!config.loadFile(m_dir.path())); // a folder is not a file
        QVERIFY(config.factoryConfigVisible());
        QCOMPARE(changed.count(), 0);
    }

    void loadingTheSameContentTwiceNotifiesOnce()
    {
        UiConfig config;
        QSignalSpy changed(&config, &UiConfig::configChanged);
        const QString path = write("factory_config: yes\n");
        QVERIFY(config.loadFile(path));
        QVERIFY(config.loadFile(path));
        QCOMPARE(changed.count(), 1);
        QVERIFY(config.loadFile(write("# nothing\n")));
        QCOMPARE(changed.count(), 2);
        QVERIFY(!config.factoryConfigVisible());
    }

    void shippedProfileHidesTheFactoryPage()
    {
        UiConfig config;
        QVERIFY(config.loadFile(write("factory_config: yes\n")));
        QVERIFY(config.loadFile(QDir(binDir()).filePath(QStringLiteral("profiles/ui.yaml"))));
        QVERIFY(!config.factoryConfigVisible());
    }
};

QTEST_GUILESS_MAIN(TestUiConfig)
#include "tst_uiconfig.moc"
