#include "app/InstanceLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs;

class TestInstanceLock : public QObject
{
    Q_OBJECT
private slots:
    void lockLivesInTheAppDataFolder()
    {
        QTemporaryDir home;
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
        QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
        const QString path = instanceLockPath();
        QCOMPARE(path, home.filePath(QStringLiteral("TelvoMonitor/TelvoMonitor/instance.lock")));
        QVERIFY(QFileInfo(path).dir().exists()); // created on demand
    }

    void secondHolderIsRefusedWhileTheFirstRuns()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("instance.lock"));
        QLockFile first(path);
        QVERIFY(takeInstanceLock(first));
        QCOMPARE(first.staleLockTime(), kInstanceLockStaleMs);

        QLockFile second(path);
        QVERIFY(!takeInstanceLock(second));
        QCOMPARE(second.error(), QLockFile::LockFailedError);

        first.unlock();
        QVERIFY(takeInstanceLock(second));
    }

    void lockOfAnotherLiveProcessIsRefused()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("instance.lock"));
        // A second process holding the lock, as a running first instance would.
        QProcess holder;
        holder.start(QStringLiteral("sleep"), { QStringLiteral("30") });
        QVERIFY(holder.waitForStarted());
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(holder.processId()) + "\nsleep\n"
                + QSysInfo::machineHostName().toUtf8() + "\n");
        f.close();
        QLockFile lock(path);
        QVERIFY(!takeInstanceLock(lock));
        holder.kill();
        holder.waitForFinished();
    }

    void lockLeftByADeadProcessIsTakenOver()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("instance.lock"));
        QProcess gone;
        gone.start(QStringLiteral("true"));
        QVERIFY(gone.waitForFinished());
        const qint64 deadPid = gone.processId();
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray::number(deadPid ? deadPid : 999999) + "\nTelvoMonitor\n"
                + QSysInfo::machineHostName().toUtf8() + "\n");
        f.close();
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                              QFileDevice::FileModificationTime));
        f.close();
        QLockFile lock(path);
        QVERIFY(takeInstanceLock(lock));
    }
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
