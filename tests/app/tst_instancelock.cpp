#include "app/InstanceLock.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
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

    void aRunningInstanceKeepsTheLockAndADeadOnesLockIsTakenOver()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("instance.lock"));
        QLockFile first(path);
        QVERIFY(takeInstanceLock(first));
        QCOMPARE(first.staleLockTime(), 5000);
        QLockFile second(path);
        QVERIFY(!takeInstanceLock(second));
        first.unlock();
        QVERIFY(takeInstanceLock(second));
        second.unlock();

        // The lock of another process: refused while it runs, taken over once it is gone
        // and the lock is older than 5 s.
        QProcess holder;
        holder.start(QStringLiteral("sleep"), { QStringLiteral("30") });
        QVERIFY(holder.waitForStarted());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(holder.processId()) + "\nsleep\n"
                   + QSysInfo::machineHostName().toUtf8() + "\n");
        file.close();
        QLockFile third(path);
        QVERIFY(!takeInstanceLock(third));
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                                 QFileDevice::FileModificationTime));
        file.close();
        QVERIFY(takeInstanceLock(third));
    }
};

QTEST_GUILESS_MAIN(TestInstanceLock)
#include "tst_instancelock.moc"
