#include "console/CommandCatalog.h"
#include "console/CommandNotice.h"
#include "console/SendInput.h"

#include "TestSupport.h"

#include <QDir>
#include <QTest>

using namespace gcs;

namespace {

const QString kEmpty = QStringLiteral("发送内容为空");
const QString kHexLooksLikeText = QStringLiteral(
    "已勾选 Hex 发送，但内容为 #vorn / $cmd 等文本指令。请取消「Hex 发送」后再发。");
const QString kHexBadCharacter = QStringLiteral(
    "Hex 发送仅允许 0-9、A-F 与空格。文本指令（如 #vorn,get com1*ff）请勿勾选 Hex 发送。");
const QString kHexOdd
    = QStringLiteral("Hex 字节须成对书写（每两个字符为一字节），当前长度不完整。");
const QString kTextLooksLikeHex = QStringLiteral(
    "内容像二进制 Hex（如 AA 55 …）。请勾选「Hex 发送」；#vorn 等文本指令则保持不勾选。");

} // namespace

class TestSendInput : public QObject
{
    Q_OBJECT

private slots:
    void refusals_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("empty text") << QStringLiteral("  \t ") << false << kEmpty;
        QTest::newRow("empty hex") << QString() << true << kEmpty;
        QTest::newRow("sentence as hex")
            << QStringLiteral("#vorn,get com1*ff") << true << kHexLooksLikeText;
        QTest::newRow("dollar command as hex")
            << QStringLiteral("$cmd,reset*ff") << true << kHexLooksLikeText;
        QTest::newRow("letters beyond F") << QStringLiteral("AA 5G") << true << kHexBadCharacter;
        // A full-width digit is a Unicode digit but no hex digit: it would vanish from
        // the bytes sent instead of being refused.
        QTest::newRow("full-width digits") << QStringLiteral("AA １２") << true << kHexBadCharacter;
        QTest::newRow("five digits") << QStringLiteral("AA 55 0") << true << kHexOdd;
        QTest::newRow("pairs as text") << QStringLiteral("AA 55 01") << false << kTextLooksLikeHex;
        QTest::newRow("frame start as text")
            << QStringLiteral("aa55 hello") << false << kTextLooksLikeHex;
        QTest::newRow("55 start as text") << QStringLiteral("55xx") << false << kTextLooksLikeHex;
        QTest::newRow("two pairs as text") << QStringLiteral("0d 0a") << false << kTextLooksLikeHex;
        QTest::newRow("one pair is text") << QStringLiteral("0d") << false << QString();
        QTest::newRow("two letters AA are text") << QStringLiteral("AA") << false << QString();
        QTest::newRow("sentence as text")
            << QStringLiteral("#vorn,get com1*ff") << false << QString();
        QTest::newRow("pairs as hex") << QStringLiteral(" aa 55\t01 02 ") << true << QString();
    }

    void refusals()
    {
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QFETCH(QString, refusal);
        QCOMPARE(rawSendRefusal(text, hex), refusal);
    }

    void payloads()
    {
        QCOMPARE(rawSendPayload(QStringLiteral("AA 55 01 02"), true),
                 QByteArray("\xAA\x55\x01\x02"));
        QCOMPARE(rawSendPayload(QStringLiteral("aa\t55"), true), QByteArray("\xAA\x55"));
        QCOMPARE(rawSendPayload(QStringLiteral("AA"), false), QByteArray("AA\r\n"));
        QCOMPARE(rawSendPayload(QStringLiteral("#vorn,get com1*ff\r\n"), false),
                 QByteArray("#vorn,get com1*ff\r\n"));
        // A line of a file that ended in CR LF keeps its CR.
        QCOMPARE(rawSendPayload(QStringLiteral("x\r"), false), QByteArray("x\r\r\n"));
        QCOMPARE(rawSendPayload(QStringLiteral("设备"), false),
                 QStringLiteral("设备\r\n").toUtf8());
    }

    void noticesNameTheCommand()
    {
        QCOMPARE(commandUserNotice(QStringLiteral("get_softver"), "#vorn,get softver*ff\r\n"),
                 QStringLiteral("读固件版本（#vorn,get softver*ff）"));
        QCOMPARE(commandUserNotice(QStringLiteral("my_own"), " #vorn,my own*ff\r\n"),
                 QStringLiteral("已发送：#vorn,my own*ff"));
        QCOMPARE(commandUserNotice(QStringLiteral("vorn.get_softver"), "#vorn,get softver*ff\r\n"),
                 QStringLiteral("已发送：#vorn,get softver*ff"));
        const QString broken = commandUserNotice(QStringLiteral("get_com1"),
                                                 "\xFF\xFE"
                                                 "x");
        QVERIFY(broken.startsWith(QStringLiteral("读串口1（")));
        QVERIFY(broken.contains(QChar(0xFFFD)));
    }

    void everyShippedCommandHasItsOwnLabel()
    {
        CommandCatalog catalog;
        QVERIFY(
            catalog.loadFile(QDir(test::binDir()).filePath(QStringLiteral("profiles/vorn.yaml"))));
        const QStringList ids = catalog.commandIds();
        QCOMPARE(ids.size(), 35);
        QSet<QString> labels;
        for (const QString& id : ids) {
            QVERIFY(id.startsWith(QLatin1String("vorn.")));
            const QString name = id.mid(5);
            const QByteArray sent = catalog.build(id);
            const QString notice = commandUserNotice(name, sent);
            QVERIFY2(!notice.startsWith(QStringLiteral("已发送：")), qPrintable(name));
            QVERIFY(notice.endsWith(QStringLiteral("（") + QString::fromUtf8(sent).trimmed()
                                    + QStringLiteral("）")));
            labels.insert(notice.left(notice.indexOf(QStringLiteral("（"))));
        }
        QCOMPARE(labels.size(), 35);
    }
};

QTEST_GUILESS_MAIN(TestSendInput)
#include "tst_sendinput.moc"
