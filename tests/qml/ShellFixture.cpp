#include "ShellFixture.h"

#include "TestSupport.h"
#include "app/Application.h"
#include "capture/CaptureReader.h"
#include "catalog/ManagedDevices.h"

#include <QCoreApplication>
#include <QDir>
#include <QQmlContext>
#include <QTemporaryDir>

using gcs::test::writeFileBytes;

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
            m_dialogRequests << QVariantMap { { "kind", QString::fromLatin1(kinds[int(kind)]) },
                                              { "title", title },
                                              { "filter", filter } };
            return m_dialogAnswers.isEmpty() ? QString() : m_dialogAnswers.takeFirst();
        });
    m_app->loadProfiles(QDir(gcs::test::binDir()).filePath(QStringLiteral("profiles")));
    // As at start-up: the stored language is in force, and a change reaches the engine.
    m_app->setQmlEngine(m_engine);
    m_app->applyLanguage();
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
        ids << m_app->managedDevices()->appendSerial("ins", QString(), d.value("port").toString(),
                                                     d.value("baud", 115200).toInt(), ids.isEmpty(),
                                                     d.value("model").toString());
    }
    restartController();
    return ids;
}

void ShellFixture::showFactoryPage()
{
    const QString dir = QDir(m_dir->path()).filePath(QStringLiteral("profiles"));
    writeFileBytes(QDir(dir).filePath(QStringLiteral("ui.yaml")), "factory_config: true\n");
    m_app->loadProfiles(dir);
}

QString ShellFixture::startSim(const QStringList& args)
{
    m_sim = std::make_unique<gcs::test::SimProcess>();
    if (m_sim->start(args))
        return m_sim->port();
    m_simError = m_sim->errorText();
    return QString();
}

qint64 ShellFixture::captureSim(const QStringList& args, int ms, const QString& path)
{
    gcs::test::SimProcess sim;
    if (!sim.start(args)) {
        m_simError = sim.errorText();
        return -1;
    }
    gcs::test::RawTty tty(sim.port());
    const QByteArray bytes = tty.read(ms);
    return writeFileBytes(path, bytes) ? bytes.size() : -1;
}

QStringList ShellFixture::attitudeAt(const QString& path, int ms) const
{
    gcs::CaptureReader reader;
    gcs::CaptureRecord r;
    double first = -1;
    while ((first >= 0 || reader.open(path)) && reader.next(r)) {
        first = first < 0 ? r.record.utc : first;
        if (r.record.utc == first + ms * 10.0)
            return { QString::number(r.record.roll, 'f', 2),
                     QString::number(r.record.pitch, 'f', 2),
                     QString::number(r.record.yaw, 'f', 2) };
    }
    return {};
}

void ShellFixture::stopSim()
{
    m_sim.reset(); // stops it
}

QString ShellFixture::scratchPath(const QString& name) const
{
    const QString dir = m_dir->filePath(QStringLiteral("scratch"));
    QDir().mkpath(dir);
    return QDir(dir).filePath(name);
}

bool ShellFixture::writeScratchFile(const QString& path, const QString& text) const
{
    return writeFileBytes(path, text.toUtf8());
}

QString ShellFixture::offerFirmware(const QString& name, int size)
{
    QByteArray image(qMax(0, size), '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 13 + 1) & 0xff);
    const QString path = m_dir->filePath(name);
    if (!writeFileBytes(path, image))
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
