#include "catalog/UiConfig.h"

#include "catalog/CatalogLog.h"

#include <QFile>
#include <QTextStream>

namespace gcs {

UiConfig::UiConfig(QObject* parent)
    : QObject(parent)
{ }

UiConfig::~UiConfig() = default;

bool UiConfig::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCDebug(lcCatalog) << "no UI configuration at" << path;
        return false;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    bool visible = false;
    QString line;
    while (in.readLineInto(&line)) {
        const qsizetype hash = line.indexOf(QLatin1Char('#'));
        const QString text = (hash < 0 ? line : line.left(hash)).trimmed();
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        const QString key = text.left(colon).trimmed();
        if (key == QLatin1String("factory_config"))
            visible = parseBoolToken(text.mid(colon + 1), false);
    }
    if (visible != m_factoryConfigVisible) {
        m_factoryConfigVisible = visible;
        emit configChanged();
    }
    return true;
}

bool UiConfig::parseBoolToken(const QString& token, bool fallback)
{
    const QString t = token.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("on")
        || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("off")
        || t == QLatin1String("0"))
        return false;
    return fallback;
}

} // namespace gcs
