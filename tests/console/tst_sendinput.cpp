#include "console/SendInput.h"

#include <QTest>

using namespace gcs;

class TestSendInput : public QObject
{
    Q_OBJECT

private slots:
    // What the raw console refuses, with its exact words, and the bytes of what it takes.
    void rawInput_data()
    {
        const QString textAsHex = QStringLiteral(
            "已勾选 Hex 发送，但内容为 #vorn / $cmd 等文本指令。请取消「Hex 发送」后再发。");
        const QString badDigit = QStringLiteral(
            "Hex 发送仅允许 0-9、A-F 与空格。文本指令（如 #vorn,get com1*ff）请勿勾选 Hex 发送。");
        const QString odd
            = QStringLiteral("Hex 字节须成对书写（每两个字符为一字节），当前长度不完整。");
        const QString hexAsText = QStringLiteral(
            "内容像二进制 Hex（如 AA 55 …）。请勾选「Hex 发送」；#vorn 等文本指令则保持不勾选。");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hex");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("blank text") << "  \t " << false << "发送内容为空" << QByteArray();
        QTest::newRow("sentence as hex") << "#vorn,a*ff" << true << textAsHex << QByteArray();
        QTest::newRow("dollar command as hex") << "$cmd" << true << textAsHex << QByteArray();
        QTest::newRow("letters beyond F") << "AA 5G" << true << badDigit << QByteArray();
        // A full-width digit passes a Unicode digit test but is no hex digit: it would
        // vanish from the bytes sent instead of being refused.
        QTest::newRow("full-width digits") << "AA １２" << true << badDigit << QByteArray();
        QTest::newRow("five digits") << "AA 55 0" << true << odd << QByteArray();
        QTest::newRow("frame start as text") << "aa55 hello" << false << hexAsText << QByteArray();
        QTest::newRow("55 start as text") << "55xx" << false << hexAsText << QByteArray();
        QTest::newRow("two pairs as text") << "0d 0a" << false << hexAsText << QByteArray();
        // Short input is text: one pair, or the word AA alone.
        QTest::newRow("one pair is text") << "0d" << false << QString() << QByteArray("0d\r\n");
        QTest::newRow("AA alone is text") << "AA" << false << QString() << QByteArray("AA\r\n");
        QTest::newRow("pairs as hex")
            << " aa 55\t01 02 " << true << QString() << QByteArray("\xAA\x55\x01\x02");
        QTest::newRow("CR LF appended")
            << "#vorn,a*ff" << false << QString() << QByteArray("#vorn,a*ff\r\n");
        QTest::newRow("no second CR LF") << "a\r\n" << false << QString() << QByteArray("a\r\n");
        // A line of a file that ended in CR LF keeps its CR.
        QTest::newRow("file line with CR") << "x\r" << false << QString() << QByteArray("x\r\r\n");
    }

    void rawInput()
    {
        QFETCH(QString, text);
        QFETCH(bool, hex);
        QFETCH(QString, refusal);
        QFETCH(QByteArray, payload);
        QCOMPARE(rawSendRefusal(text, hex), refusal);
        if (refusal.isEmpty())
            QCOMPARE(rawSendPayload(text, hex), payload);
    }
};

QTEST_GUILESS_MAIN(TestSendInput)
#include "tst_sendinput.moc"
