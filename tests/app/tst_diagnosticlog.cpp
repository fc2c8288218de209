#include "app/DiagnosticLog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <thread>

using namespace gcs;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestDiagnosticLog : public QObject
{
    Q_OBJECT
private slots:
    void everyMessageBecomesOneBareLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qml-error.log"));
        QFile seed(path);
        QVERIFY(seed.open(QIODevice::WriteOnly));
        seed.write("earlier run\n");
        seed.close();

        const QtMessageHandler previous = installDiagnosticLog(path);
        qDebug("debug %d", 1);
        qInfo() << "info";
        qWarning("warning text");
        qCritical("Failed to load %s", "qrc:/Corvane/GCS/Main.qml");
        qWarning() << QStringLiteral("中文诊断");
        std::thread other([] { qWarning("from a worker"); });
        other.join();
        qInstallMessageHandler(previous);

        // Appended, text only: no time, type or source location.
        QCOMPARE(readAll(path),
                 QByteArray("earlier run\n"
                            "debug 1\n"
                            "info\n"
                            "warning text\n"
                            "Failed to load qrc:/Corvane/GCS/Main.qml\n")
                     + QStringLiteral("\"中文诊断\"\n").toUtf8() + "from a worker\n");
    }

    void unwritableLogDropsMessagesQuietly()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing-folder/qml-error.log"));
        const QtMessageHandler previous = installDiagnosticLog(path);
        qWarning("nowhere to go");
        qInstallMessageHandler(previous);
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestDiagnosticLog)
#include "tst_diagnosticlog.moc"
