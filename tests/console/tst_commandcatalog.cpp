#include "console/CommandCatalog.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using gcs::CommandCatalog;
using gcs::test::writeFileBytes;

const QByteArray kHeader = "family: vorn\nheader: \"#vorn\"\nchecksum: ff\neol: crlf\ncommands:\n";

class TestCommandCatalog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QByteArray& content)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("vorn%1.yaml").arg(++n));
        return writeFileBytes(path, content) ? path : QString();
    }

private slots:
    void fileGrammar_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("sentence");
        const QStringList c { "vorn.c" };
        QTest::newRow("ids are case-sensitive") << kHeader + "c:\ntemplate: x\n"
                                                << c << "VORN.C" << QStringList() << QByteArray();
        // No checksum line gives "ff"; the eol value is not read; quotes go, colons stay.
        QTest::newRow("defaults and quotes")
            << QByteArray("family: x1\nheader: \"#h\"\"dr\"\neol: lf\ncommands:\n"
                          "t:\n template: \"a:b: \"\"c\"\"\"\n")
            << QStringList { "x1.t" } << "x1.t" << QStringList()
            << QByteArray("#hdr,a:b: c*ff\r\n");
        QTest::newRow("name without template")
            << kHeader + "ping:\npong:\n  template: \"p\"\n"
            << QStringList { "vorn.ping", "vorn.pong" } << "vorn.ping" << QStringList()
            << QByteArray("#vorn,*ff\r\n");
        // Header keys count only before "commands:"; list items, names with blanks are none.
        QTest::newRow("odd lines")
            << QByteArray("# comment\nstray_name:\nfamily: vorn\nheader: \"#vorn\"\n"
                          "something else\ncommands:\n  - listed_item:\n  get com1:\n"
                          "  family: other\n  \n\t\t# a comment\n  good:\n    template: \"g\"\n"
                          "    description: not a template\n  :\n    template: \"lost\"\n"
                          "  last:\n    template: \"l\"")
            << QStringList { "vorn.good", "vorn.last" } << "vorn.good" << QStringList()
            << QByteArray("#vorn,g*ff\r\n");
        // Without a family the ids start with a point, so "vorn." keys miss them.
        QTest::newRow("no family, own checksum")
            << QByteArray("header: $Y\nchecksum: 7A\ncommands:\nq:\ntemplate: go\n")
            << QStringList { ".q" } << ".q" << QStringList() << QByteArray("$Y,go*7A\r\n");
        QTest::newRow("arguments in order")
            << kHeader + "  c:\n    template: \"set com1,%1,%2,%3,%4\"\n"
            << c << "vorn.c" << QStringList { "422", "115200", "200", "sinsbin" }
            << QByteArray("#vorn,set com1,422,115200,200,sinsbin*ff\r\n");
        QTest::newRow("repeats, extras, missing and no number")
            << kHeader + "c:\ntemplate: %2-%1-%2-%4-%x-%\n"
            << c << "vorn.c" << QStringList { "A", "B", "C" }
            << QByteArray("#vorn,B-A-B-%4-%x-%*ff\r\n");
        // A placeholder takes the longest number that names an argument: set_factory has 22.
        QTest::newRow("tenth argument")
            << kHeader + "c:\ntemplate: f,%1,%10,%11\n"
            << c << "vorn.c" << QStringLiteral("A B C D E F G H I J K").split(' ')
            << QByteArray("#vorn,f,A,J,K*ff\r\n");
        QTest::newRow("ten with one argument")
            << kHeader + "c:\ntemplate: f,%1,%10,%11\n"
            << c << "vorn.c" << QStringList { "X" } << QByteArray("#vorn,f,X,X0,X1*ff\r\n");
        QTest::newRow("arguments are not scanned again")
            << kHeader + "c:\ntemplate: i,%1,%2\n"
            << c << "vorn.c" << QStringList { "5%2", "%1" } << QByteArray("#vorn,i,5%2,%1*ff\r\n");
    }

    void fileGrammar()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, ids);
        QFETCH(QString, id);
        QFETCH(QStringList, args);
        QFETCH(QByteArray, sentence);
        CommandCatalog catalog;
        QVERIFY(catalog.loadFile(write(file)));
        QStringList loaded = catalog.commandIds();
        loaded.sort();
        QCOMPARE(loaded, ids);
        QCOMPARE(catalog.build(id, args), sentence);
    }
};

QTEST_GUILESS_MAIN(TestCommandCatalog)
#include "tst_commandcatalog.moc"
