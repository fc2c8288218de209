#include "app/DiagnosticLog.h"

#include "TestSupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace gcs;

class TestDiagnosticLog : public QObject
{
    Q_OBJECT
private slots:
    void everyMessageIsAppendedAsOneBareLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qml-error.log"));
        QVERIFY(test::writeFileBytes(path, "earlier run\n"));
        const QtMessageHandler previous = installDiagnosticLog(path);
        qDebug("debug %d", 1);
        qInfo() << "info";
        qCritical("Failed to load %s", "qrc:/Corvane/GCS/Main.qml");
        qWarning() << QStringLiteral("中文诊断");
        std::thread other([] { qWarning("from a worker"); });
        other.join();
        qInstallMessageHandler(previous);
        // No time, type or source location.
        QCOMPARE(test::readFileBytes(path),
                 "earlier run\ndebug 1\ninfo\nFailed to load qrc:/Corvane/GCS/Main.qml\n"
                     + QStringLiteral("\"中文诊断\"\n").toUtf8() + "from a worker\n");

        // A log that cannot be written drops the messages quietly.
        const QString nowhere = dir.filePath(QStringLiteral("missing-folder/qml-error.log"));
        const QtMessageHandler again = installDiagnosticLog(nowhere);
        qWarning("nowhere to go");
        qInstallMessageHandler(again);
        QVERIFY(!QFile::exists(nowhere));
    }
};

QTEST_GUILESS_MAIN(TestDiagnosticLog)
#include "tst_diagnosticlog.moc"
