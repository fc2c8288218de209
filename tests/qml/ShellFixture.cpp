#include "ShellFixture.h"

#include "TestSupport.h"
#include "app/Application.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QQmlContext>
#include <QQmlEngine>
#include <QTemporaryDir>

ShellFixture::ShellFixture(QQmlEngine* engine)
    : m_engine(engine)
{
    resetController();
}

ShellFixture::~ShellFixture()
{
    stopSim();
    destroyController();
}

void ShellFixture::destroyController()
{
    // Windows of the previous test are deleted late; let them go before their controller.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (m_engine)
        m_engine->rootContext()->setContextProperty(QStringLiteral("app"), nullptr);
    delete m_app.data();
}

void ShellFixture::createController()
{
    qputenv("LOCALAPPDATA", QFile::encodeName(m_dir->path()));
    m_app = new gcs::Application();
    m_app->setFileChooser(
        [this](gcs::FileDialogs::Kind kind, const QString& title, const QString& filter) {
            static const char* const kinds[] = { "open", "save", "directory" };
            m_dialogRequests << QVariantMap { { QStringLiteral("kind"),
                                                QString::fromLatin1(kinds[int(kind)]) },
                                              { QStringLiteral("title"), title },
                                              { QStringLiteral("filter"), filter } };
            return m_dialogAnswers.isEmpty() ? QString() : m_dialogAnswers.takeFirst();
        });
    m_app->loadProfiles(QDir(gcs::test::binDir()).filePath(QStringLiteral("profiles")));
    m_engine->rootContext()->setContextProperty(QStringLiteral("app"), m_app.data());
}

void ShellFixture::resetController()
{
    destroyController();
    m_dir = std::make_unique<QTemporaryDir>();
    createController();
}

QStringList ShellFixture::resetWithDevices(const QVariantList& devices)
{
    resetController();
    QStringList ids;
    for (const QVariant& v : devices) {
        const QVariantMap d = v.toMap();
        const QString id = m_app->managedDevices()->appendSerial(
            QStringLiteral("ins"), QString(), d.value(QStringLiteral("port")).toString(),
            d.value(QStringLiteral("baud"), 115200).toInt(), ids.isEmpty(),
            d.value(QStringLiteral("model")).toString());
        ids << id;
    }
    restartController();
    return ids;
}

void ShellFixture::restartController()
{
    destroyController();
    createController();
}

void ShellFixture::showFactoryPage()
{
    const QString dir = QDir(m_dir->path()).filePath(QStringLiteral("profiles"));
    gcs::test::writeFileBytes(QDir(dir).filePath(QStringLiteral("ui.yaml")),
                              "factory_config: true\n");
    m_app->loadProfiles(dir);
}

QString ShellFixture::settingsText() const
{
    return QString::fromUtf8(gcs::test::readFileBytes(
        QDir(m_dir->path()).filePath(QStringLiteral("TelvoMonitor/gcs.ini"))));
}

QString ShellFixture::startSim(const QStringList& args)
{
    m_sim = std::make_unique<gcs::test::SimProcess>();
    if (!m_sim->start(args)) {
        m_simError = m_sim->errorText();
        return QString();
    }
    return m_sim->port();
}

void ShellFixture::stopSim()
{
    if (m_sim)
        m_sim->stop();
    m_sim.reset();
}

QString ShellFixture::simError() const
{
    return m_simError;
}

void ShellFixture::answerFileDialogs(const QStringList& paths)
{
    m_dialogAnswers = paths;
    m_dialogRequests.clear();
}

QVariantList ShellFixture::fileDialogRequests() const
{
    return m_dialogRequests;
}

QString ShellFixture::scratchPath(const QString& name) const
{
    const QString dir = QDir(m_dir->path()).filePath(QStringLiteral("scratch"));
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

bool ShellFixture::writeScratchFile(const QString& path, const QString& text) const
{
    return gcs::test::writeFileBytes(path, text.toUtf8());
}

QStringList ShellFixture::filesIn(const QString& dir) const
{
    return QDir(dir).entryList(QDir::Files, QDir::Name);
}

qint64 ShellFixture::fileSize(const QString& path) const
{
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
}

QString ShellFixture::offerFirmware(const QString& name, int size)
{
    QByteArray image(qMax(0, size), '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 13 + 1) & 0xff);
    const QString path = QDir(m_dir->path()).filePath(name);
    if (!gcs::test::writeFileBytes(path, image))
        return QString();
    m_dialogAnswers = QStringList { path };
    return path;
}

void ShellFixture::usePorts(const QStringList& names)
{
    QList<gcs::SerialPortListing> ports;
    for (const QString& name : names)
        ports.append(gcs::SerialPortListing { name, QStringLiteral("USB Serial") });
    m_app->setSerialPortSource([ports]() { return ports; });
}
