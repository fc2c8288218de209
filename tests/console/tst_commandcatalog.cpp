#include "console/CommandCatalog.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using gcs::CommandCatalog;
using gcs::test::binDir;
using gcs::test::writeFileBytes;

namespace {

const QByteArray kHeader = "family: vorn\nheader: \"#vorn\"\nchecksum: ff\neol: crlf\ncommands:\n";

struct Wanted
{
    const char* name;
    int args;
};

// Every command name the program sends by id, with its argument count.
const Wanted kWanted[] = {
    { "get_softver", 0 },
    { "get_com1", 0 },
    { "set_com1", 4 },
    { "get_axis", 0 },
    { "set_axis", 3 },
    { "get_gnss", 0 },
    { "set_gnss", 1 },
    { "get_extrap_time", 0 },
    { "set_extrap_time", 1 },
    { "get_position", 0 },
    { "set_position", 3 },
    { "correct_heading", 2 },
    { "get_align_time", 0 },
    { "set_align_time", 1 },
    { "get_factory", 0 },
    { "save_factory_config", 0 },
    { "save_config", 0 },
    { "reset_user_flash", 0 },
    { "reset_flash_info", 0 },
    { "get_gnm", 0 },
    { "set_gnm", 3 },
    { "get_calib_imu", 0 },
    { "static_calib_imu", 0 },
    { "reset_calib_imu", 0 },
    { "manual_trig_driftz", 0 },
    { "set_driftz", 1 },
    { "get_system_state", 0 },
    { "stop_com1", 0 },
    { "start_com1", 0 },
    { "reset_system", 0 },
    { "get_device_info", 0 },
    { "debug_open", 0 },
    { "debug_close", 0 },
    { "set_factory", 22 },
    { "set_device_info", 1 },
};

QStringList numberedArgs(int n)
{
    QStringList args;
    for (int i = 1; i <= n; ++i)
        args.append(QStringLiteral("a%1").arg(i));
    return args;
}

} // namespace

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
    void aCommandBuildsTheFramedSentence()
    {
        CommandCatalog catalog;
        QVERIFY(catalog.loadFile(write(kHeader + "  get_com1:\n    template: \"get com1\"\n")));
        QCOMPARE(catalog.commandIds(), QStringList { "vorn.get_com1" });
        QCOMPARE(catalog.build(QStringLiteral("vorn.get_com1")),
                 QByteArray("#vorn,get com1*ff\r\n"));
        const CommandCatalog::Command cmd = catalog.command(QStringLiteral("vorn.get_com1"));
        QCOMPARE(cmd.family, QStringLiteral("vorn"));
        QCOMPARE(cmd.header, QStringLiteral("#vorn"));
        QCOMPARE(cmd.checksum, QStringLiteral("ff"));
        QCOMPARE(cmd.eol, QStringLiteral("\r\n"));
        QCOMPARE(catalog.build(QStringLiteral("vorn.get_com2")), QByteArray());
        QCOMPARE(catalog.build(QStringLiteral("VORN.GET_COM1")), QByteArray());
    }

    void headerValuesAndDefaults()
    {
        CommandCatalog catalog;
        // No checksum line: "ff". The eol value is not interpreted. Template colons stay.
        QVERIFY(catalog.loadFile(write("family: x1\nheader: \"#h\"\"dr\"\neol: lf\ncommands:\n"
                                       "t:\n template: \"a:b: \"\"c\"\"\"\n")));
        QCOMPARE(catalog.build(QStringLiteral("x1.t")), QByteArray("#hdr,a:b: c*ff\r\n"));
        CommandCatalog other;
        QVERIFY(other.loadFile(write("family: y\nheader: $Y\nchecksum: 7A\ncommands:\nq:\n"
                                     "template: go\n")));
        QCOMPARE(other.build(QStringLiteral("y.q")), QByteArray("$Y,go*7A\r\n"));
    }

    void aNameWithoutTemplateHasAnEmptyBody()
    {
        CommandCatalog catalog;
        QVERIFY(catalog.loadFile(write(kHeader + "ping:\npong:\n  template: \"p\"\n")));
        QCOMPARE(catalog.build(QStringLiteral("vorn.ping")), QByteArray("#vorn,*ff\r\n"));
        QCOMPARE(catalog.build(QStringLiteral("vorn.pong")), QByteArray("#vorn,p*ff\r\n"));
    }

    void placeholdersTakeTheArgumentsInOrder()
    {
        CommandCatalog::Command cmd;
        cmd.header = QStringLiteral("#vorn");
        cmd.templateText = QStringLiteral("set com1,%1,%2,%3,%4");
        QCOMPARE(CommandCatalog::format(cmd, { "422", "115200", "200", "sinsbin" }),
                 QStringLiteral("#vorn,set com1,422,115200,200,sinsbin*ff\r\n"));
        // Missing arguments leave their placeholders; extra ones are ignored.
        QCOMPARE(CommandCatalog::format(cmd, { "232" }),
                 QStringLiteral("#vorn,set com1,232,%2,%3,%4*ff\r\n"));
        cmd.templateText = QStringLiteral("%2-%1-%2-%05-%x-%");
        QCOMPARE(CommandCatalog::format(cmd, { "A", "B", "C", "D", "E" }),
                 QStringLiteral("#vorn,B-A-B-%05-%x-%*ff\r\n"));
    }

    void placeholderTenIsTheTenthArgument()
    {
        CommandCatalog::Command cmd;
        cmd.header = QStringLiteral("#vorn");
        cmd.templateText = QStringLiteral("f,%1,%10,%11");
        QCOMPARE(CommandCatalog::format(cmd, numberedArgs(11)),
                 QStringLiteral("#vorn,f,a1,a10,a11*ff\r\n"));
        // With fewer than ten arguments "%10" is the first argument and a literal 0.
        QCOMPARE(CommandCatalog::format(cmd, numberedArgs(9)),
                 QStringLiteral("#vorn,f,a1,a10,a11*ff\r\n"));
        QCOMPARE(CommandCatalog::format(cmd, { "X" }), QStringLiteral("#vorn,f,X,X0,X1*ff\r\n"));
    }

    void argumentTextIsNotSubstitutedAgain()
    {
        CommandCatalog::Command cmd;
        cmd.header = QStringLiteral("#vorn");
        cmd.templateText = QStringLiteral("set device info,%1,%2");
        QCOMPARE(CommandCatalog::format(cmd, { "50%2 off", "B" }),
                 QStringLiteral("#vorn,set device info,50%2 off,B*ff\r\n"));
        QCOMPARE(CommandCatalog::format(cmd, { "%1", "%1" }),
                 QStringLiteral("#vorn,set device info,%1,%1*ff\r\n"));
    }

    void laterFilesMergeIntoTheCatalog()
    {
        CommandCatalog catalog;
        QVERIFY(catalog.loadFile(write(kHeader + "a:\n template: one\nb:\n template: two\n")));
        QVERIFY(catalog.loadFile(write(kHeader + "b:\n template: TWO\nc:\n template: three\n")));
        QCOMPARE(catalog.build(QStringLiteral("vorn.a")), QByteArray("#vorn,one*ff\r\n"));
        QCOMPARE(catalog.build(QStringLiteral("vorn.b")), QByteArray("#vorn,TWO*ff\r\n"));
        QCOMPARE(catalog.build(QStringLiteral("vorn.c")), QByteArray("#vorn,three*ff\r\n"));
        QCOMPARE(catalog.commandIds().size(), 3);
        // A command added in code is replaced by a file in the same way.
        CommandCatalog::Command mine;
        mine.id = QStringLiteral("vorn.a");
        mine.header = QStringLiteral("#x");
        catalog.addCommand(mine);
        QCOMPARE(catalog.build(QStringLiteral("vorn.a")), QByteArray("#x,*ff\r\n"));
    }

    void oddLinesAreSkipped()
    {
        const QByteArray content = "# leading comment\n"
                                   "stray_name:\n" // before "commands:", ignored
                                   "family: vorn\n"
                                   "header: \"#vorn\"\n"
                                   "something else entirely\n"
                                   "commands:\n"
                                   "  - listed_item:\n"
                                   "  get com1:\n"
                                   "  family: other\n"
                                   "  \n"
                                   "\t\t# a comment\n"
                                   "  good:\n"
                                   "    template: \"g\"\n"
                                   "    description: not a template\n"
                                   "  :\n"
                                   "    template: \"lost\"\n"
                                   "  last:\n"
                                   "    template: \"l %1\"";
        CommandCatalog catalog;
        QVERIFY(catalog.loadFile(write(content)));
        QStringList ids = catalog.commandIds();
        ids.sort();
        QCOMPARE(ids, (QStringList { "vorn.good", "vorn.last" }));
        QCOMPARE(catalog.build(QStringLiteral("vorn.good")), QByteArray("#vorn,g*ff\r\n"));
        QCOMPARE(catalog.build(QStringLiteral("vorn.last"), { "z" }),
                 QByteArray("#vorn,l z*ff\r\n"));
    }

    void withoutFamilyTheIdsStartWithAPoint()
    {
        CommandCatalog catalog;
        QVERIFY(catalog.loadFile(write("header: \"#vorn\"\ncommands:\nget_softver:\n"
                                       "template: \"get softver\"\n")));
        QCOMPARE(catalog.commandIds(), QStringList { ".get_softver" });
        QCOMPARE(catalog.build(QStringLiteral("vorn.get_softver")), QByteArray());
    }

    void filesThatDoNotOpenOrHoldNothingReportFalse()
    {
        CommandCatalog catalog;
        QVERIFY(!catalog.loadFile(m_dir.filePath(QStringLiteral("absent.yaml"))));
        QVERIFY(!catalog.loadFile(write(kHeader)));
        QVERIFY(!catalog.loadFile(write(QByteArray("\xff\xfe\x00\x01\x02", 5))));
        QVERIFY(catalog.commandIds().isEmpty());
        QVERIFY(catalog.loadFile(write(kHeader + "a:\n")));
        // Something is loaded now, so a file without commands still reports true.
        QVERIFY(catalog.loadFile(write(kHeader)));
        QVERIFY(!catalog.loadFile(m_dir.path()));
        QCOMPARE(catalog.commandIds(), QStringList { "vorn.a" });
    }

    void shippedCatalogBuildsEveryCommandTheProgramSends()
    {
        CommandCatalog catalog;
        QVERIFY(catalog.loadFile(QDir(binDir()).filePath(QStringLiteral("profiles/vorn.yaml"))));
        QCOMPARE(catalog.build(QStringLiteral("vorn.get_softver")),
                 QByteArray("#vorn,get softver*ff\r\n"));
        for (const Wanted& w : kWanted) {
            const QString id = QStringLiteral("vorn.") + QLatin1String(w.name);
            QVERIFY2(catalog.contains(id), w.name);
            // The device command is the name with blanks for underscores, then the
            // arguments separated by commas.
            QStringList parts { QString::fromLatin1(w.name).replace(QLatin1Char('_'),
                                                                    QLatin1Char(' ')) };
            parts += numberedArgs(w.args);
            const QByteArray expected
                = "#vorn," + parts.join(QLatin1Char(',')).toUtf8() + "*ff\r\n";
            QCOMPARE(catalog.build(id, numberedArgs(w.args)), expected);
            // No placeholder beyond the last argument: one argument more changes nothing.
            QCOMPARE(catalog.build(id, numberedArgs(w.args + 1)), expected);
        }
        QCOMPARE(catalog.commandIds().size(), int(std::size(kWanted)));
    }
};

QTEST_GUILESS_MAIN(TestCommandCatalog)
#include "tst_commandcatalog.moc"
