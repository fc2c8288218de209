#include "app/CalibrationDat.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace gcs {

namespace {

const QHash<QString, QString>& labelKeys()
{
    static const QHash<QString, QString> table {
        { QStringLiteral("数据文件名"), QStringLiteral("sn") },
        { QStringLiteral("刻度温度X"), QStringLiteral("kggx") },
        { QStringLiteral("刻度温度Y"), QStringLiteral("kggy") },
        { QStringLiteral("刻度温度Z"), QStringLiteral("kggz") },
        { QStringLiteral("刻度温度一次项X"), QStringLiteral("t1x") },
        { QStringLiteral("刻度温度一次项Y"), QStringLiteral("t1y") },
        { QStringLiteral("刻度温度一次项Z"), QStringLiteral("t1z") },
        { QStringLiteral("刻度温度二次项X"), QStringLiteral("t2x") },
        { QStringLiteral("刻度温度二次项Y"), QStringLiteral("t2y") },
        { QStringLiteral("刻度温度二次项Z"), QStringLiteral("t2z") },
        { QStringLiteral("静态漂移X"), QStringLiteral("biasx") },
        { QStringLiteral("静态漂移Y"), QStringLiteral("biasy") },
        { QStringLiteral("静态漂移Z"), QStringLiteral("biasz") },
        { QStringLiteral("交叉耦合XY"), QStringLiteral("kg1xy") },
        { QStringLiteral("交叉耦合XZ"), QStringLiteral("kg1xz") },
        { QStringLiteral("交叉耦合YX"), QStringLiteral("kg1yx") },
        { QStringLiteral("交叉耦合YZ"), QStringLiteral("kg1yz") },
        { QStringLiteral("交叉耦合ZX"), QStringLiteral("kg1zx") },
        { QStringLiteral("交叉耦合ZY"), QStringLiteral("kg1zy") },
    };
    return table;
}

} // namespace

QStringList CalibrationDat::keys()
{
    QStringList out = labelKeys().values();
    out.sort();
    return out;
}

int CalibrationDat::serialFromFileName(const QString& line, bool* ok)
{
    // The name may follow a label and sit in a folder; the serial number is the start of
    // the bare file name.
    QString name = line.trimmed();
    const qsizetype colon = name.lastIndexOf(QChar(0xFF1A));
    if (colon >= 0)
        name = name.mid(colon + 1).trimmed();
    const qsizetype slash
        = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    if (slash >= 0)
        name = name.mid(slash + 1);
    return name.section(QLatin1Char('.'), 0, 0).toInt(ok, 10);
}

QVariantMap CalibrationDat::parse(const QString& text, QStringList* outOfRange)
{
    // Label, full-width colon, a decimal number. Bench tools write small terms with an
    // exponent ("-1.2e-05"); without it the mantissa alone would be taken.
    static const QRegularExpression line(
        QStringLiteral("(.*)：\\s*(-?\\d+(?:\\.\\d+)?(?:[eE][-+]?\\d+)?)"));

    QVariantMap out;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString trimmed = raw.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed.endsWith(QLatin1String(".dat"))) {
            bool ok = false;
            const int sn = serialFromFileName(trimmed, &ok);
            // A name that does not start with a number carries no serial number; the
            // field keeps what it holds.
            if (ok)
                out.insert(QStringLiteral("sn"), sn);
            continue;
        }
        const QRegularExpressionMatch m = line.match(trimmed);
        if (!m.hasMatch())
            continue;
        const QString label = m.captured(1).trimmed();
        const auto key = labelKeys().constFind(label);
        if (key == labelKeys().constEnd())
            continue;
        const double value = m.captured(2).toDouble();
        if (!std::isfinite(value)) {
            // "1e400" would reach the unit as "Infinity".
            if (outOfRange)
                outOfRange->append(label);
            out.remove(*key);
            continue;
        }
        out.insert(*key, value);
    }
    return out;
}

} // namespace gcs
