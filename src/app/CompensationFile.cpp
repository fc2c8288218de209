#include "app/CompensationFile.h"

#include <QRegularExpression>
#include <QStringList>

namespace gcs {

namespace {

constexpr qsizetype kIdField = 3;

/// Field 3 of a command line, trimmed (a line from a Windows editor keeps its CR until
/// here); empty when the line is shorter.
QString idField(const QString& line)
{
    static const QRegularExpression separators(QStringLiteral("[,*]"));
    const QStringList fields = line.split(separators);
    return fields.size() > kIdField ? fields.at(kIdField).trimmed() : QString();
}

} // namespace

QVariantMap CompensationFile::bundle(const QString& text)
{
    QVariantMap out;
    if (text.isEmpty())
        return out;
    out.insert(QStringLiteral("content"), text);
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (const QString id = idField(lines.at(0)); !id.isEmpty())
        out.insert(QStringLiteral("imuId"), id);
    if (lines.size() >= 2) {
        if (const QString sn = idField(lines.at(1)); !sn.isEmpty())
            out.insert(QStringLiteral("imuSn"), sn);
    }
    return out;
}

} // namespace gcs
