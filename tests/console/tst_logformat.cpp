#include "console/LogFormat.h"

#include <QRandomGenerator>
#include <QTest>

using namespace gcs;

class TestLogFormat : public QObject
{
    Q_OBJECT

private slots:
    void asciiRenderingOfBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("control characters of valid text become points")
            << QByteArray("a\x01"
                          "b\tc\r\n\x1f",
                          8)
            << QStringLiteral("a.b\tc\r\n.");
        QTest::newRow("valid UTF-8 keeps its characters")
            << QStringLiteral("航向 ok").toUtf8() << QStringLiteral("航向 ok");
        QTest::newRow("NUL in valid text is a point")
            << QByteArray("A\0B", 3) << QStringLiteral("A.B");
        QTest::newRow("invalid UTF-8 goes byte by byte") << QByteArray("\xAA\x55"
                                                                       "A\x7F\xE8\t",
                                                                       6)
                                                         << QStringLiteral(".UA..\t");
    }

    void asciiRenderingOfBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QCOMPARE(bytesToLogAscii(bytes), expected);
    }

    void rawViewRendering()
    {
        const QByteArray bytes("\x00"
                               "A\x01\n\xAA \x7E",
                               7);
        // Text: NUL dropped entirely, everything unprintable a point.
        QCOMPARE(formatInsRawBytes(bytes, false), QStringLiteral("A.\n. ~"));
        QCOMPARE(formatInsRawBytes(bytes, true), QStringLiteral("00 41 01 0a aa 20 7e\n"));
        QCOMPARE(formatInsRawBytes(QByteArray(), true), QString());
        QCOMPARE(formatInsRawBytes(QByteArray(), false), QString());
    }

    void renderedSizeMatchesRendering()
    {
        // The log trims by these sizes without rendering; they must never disagree.
        QRandomGenerator rng(7);
        for (int round = 0; round < 200; ++round) {
            QByteArray bytes(int(rng.bounded(0, 300)), Qt::Uninitialized);
            for (char& c : bytes)
                c = char(rng.bounded(0, 4) == 0 ? 0 : rng.bounded(0, 256));
            for (const bool hex : { false, true })
                QCOMPARE(formattedInsRawSize(bytes, hex), formatInsRawBytes(bytes, hex).size());
        }
    }

    void binaryOrText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("binary");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("sentence") << QByteArray("#vorn\x01\x02\x03\x04\x05") << false;
        QTest::newRow("dollar command") << QByteArray("$\x01\x02\x03\x04\x05") << false;
        QTest::newRow("frame header") << QByteArray("\xAA\x55"
                                                    "abcdefgh")
                                      << true;
        // 4 x 7 = 28 is below 3 x 10 = 30; with eight printable bytes 32 is not.
        QTest::newRow("seven of ten printable") << QByteArray("abcdefg\x01\x02\x03") << true;
        QTest::newRow("eight of ten printable") << QByteArray("abcdefgh\x01\x02") << false;
    }

    void binaryOrText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, binary);
        QCOMPARE(logPacketIsBinaryNav(bytes), binary);
    }
};

QTEST_GUILESS_MAIN(TestLogFormat)
#include "tst_logformat.moc"
