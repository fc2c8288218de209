// The real start-up function in two test builds:
//  - without the QML module, so that its main QML file is missing: the load-failure path;
//  - with it, quitting by itself after GCS_PROBE_QUIT_MS milliseconds, so that the window's
//    whole run ends as a user's quit does. A message box open by then is answered instead,
//    and its text goes to standard error.
#include "app/Startup.h"

#ifdef GCS_PROBE_QUITS
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

static void scheduleQuit()
{
    const int ms = qEnvironmentVariableIntValue("GCS_PROBE_QUIT_MS");
    QTimer::singleShot(ms > 0 ? ms : 1500, qApp, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            std::fprintf(stderr, "message box: %s\n", qPrintable(box->text()));
            box->reject();
            return;
        }
        QCoreApplication::quit();
    });
}
Q_COREAPP_STARTUP_FUNCTION(scheduleQuit)
#endif

int main(int argc, char** argv)
{
    return gcs::runApplication(argc, argv);
}
