#include "app/UpgradeState.h"
#include "link/SerialTransport.h"

#include "TestSupport.h"

#include <QTest>

using gcs::SerialTransport;
using gcs::UpgradeState;
using gcs::test::PtyPair;

class TestUpgradeState : public QObject
{
    Q_OBJECT
private slots:
    void fileNameDropsTheFolder()
    {
        UpgradeState state;
        QVERIFY(!state.fileReady());
        QCOMPARE(state.fileName(), QString());
        QVERIFY(state.setFile(QStringLiteral("/tmp/fw/ax7300_v2.bin")));
        QVERIFY(!state.setFile(QStringLiteral("/tmp/fw/ax7300_v2.bin")));
        QVERIFY(state.fileReady());
        QCOMPARE(state.fileName(), QStringLiteral("ax7300_v2.bin"));
    }

    void linkReturnsToTheRememberedBaud()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport link(pair.endA(), 115200);
        QVERIFY(link.open());

        UpgradeState state;
        QCOMPARE(state.restoreLink(&link), UpgradeState::Restore::NothingToDo);

        state.rememberRestoreBaud(9600);
        QCOMPARE(state.restoreLink(&link), UpgradeState::Restore::Done);
        QCOMPARE(link.baudRate(), 9600);
        QVERIFY(link.isOpen());
        QCOMPARE(state.restoreBaud(), 0);
        QCOMPARE(state.restoreLink(&link), UpgradeState::Restore::NothingToDo);

        // Already at the remembered rate, or no serial link left: nothing to move.
        state.rememberRestoreBaud(9600);
        QCOMPARE(state.restoreLink(&link), UpgradeState::Restore::Done);
        state.rememberRestoreBaud(460800);
        QCOMPARE(state.restoreLink(nullptr), UpgradeState::Restore::Done);
        QCOMPARE(state.restoreBaud(), 0);
    }

    void aLinkThatCannotReopenIsReportedAsFailed()
    {
        PtyPair pair;
        QVERIFY2(pair.start(), qPrintable(pair.errorText()));
        SerialTransport link(pair.endA(), 115200);
        QVERIFY(link.open());
        pair.stop(); // the cable is pulled while the boot loader runs

        UpgradeState state;
        state.rememberRestoreBaud(19200);
        QCOMPARE(state.restoreLink(&link), UpgradeState::Restore::Failed);
        QCOMPARE(state.restoreBaud(), 0);
    }
};

QTEST_GUILESS_MAIN(TestUpgradeState)
#include "tst_upgradestate.moc"
