#include "console/CommandCatalog.h"

#include "console/ConsoleLogging.h"

#include <QFile>
#include <QTextStream>

namespace gcs {

namespace {

QString valueAfterColon(const QString& line)
{
    return line.mid(line.indexOf(QLatin1Char(':')) + 1).trimmed();
}

QString withoutQuotes(QString text)
{
    return text.remove(QLatin1Char('"'));
}

} // namespace

CommandCatalog::CommandCatalog(QObject* parent)
    : QObject(parent)
{ }

CommandCatalog::~CommandCatalog() = default;

void CommandCatalog::addCommand(const Command& command)
{
    m_commands.insert(command.id, command);
}

bool CommandCatalog::loadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qCDebug(lcConsole) << "no command catalog at" << path;
        return false;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);

    // File-wide values set in the header section and copied into every command.
    Command defaults;
    bool inCommands = false;
    Command current;
    const auto storeCurrent = [this, &current]() {
        if (!current.id.isEmpty())
            addCommand(current);
    };

    QString raw;
    while (in.readLineInto(&raw)) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!inCommands) {
            if (line.startsWith(QLatin1String("family:")))
                defaults.family = valueAfterColon(line);
            else if (line.startsWith(QLatin1String("header:")))
                defaults.header = withoutQuotes(valueAfterColon(line));
            else if (line.startsWith(QLatin1String("checksum:")))
                defaults.checksum = valueAfterColon(line);
            else if (line.startsWith(QLatin1String("eol:")))
                defaults.eol = QStringLiteral("\r\n"); // the devices only know CR LF
            else if (line.startsWith(QLatin1String("commands:")))
                inCommands = true;
            continue;
        }
        if (line.startsWith(QLatin1String("template:"))) {
            current.templateText = withoutQuotes(valueAfterColon(line));
            continue;
        }
        if (line.endsWith(QLatin1Char(':')) && !line.contains(QLatin1Char(' '))) {
            storeCurrent();
            const QString name = line.chopped(1);
            current = defaults;
            // A bare ":" names nothing; what follows it belongs to no command.
            current.id = name.isEmpty() ? QString() : defaults.family + QLatin1Char('.') + name;
        }
    }
    storeCurrent();
    return !m_commands.isEmpty();
}

QString CommandCatalog::format(const Command& command, const QStringList& args)
{
    // One pass over the template: a placeholder takes the longest number (up to two
    // digits) that names a given argument, so %10 is the tenth argument when there are
    // ten, and "%1" followed by a literal 0 otherwise. Argument text is never searched
    // again, so a "%2" typed by the user goes out as typed.
    const QString& body = command.templateText;
    const auto digitAt = [&body](qsizetype pos) -> int {
        if (pos >= body.size())
            return -1;
        const char16_t c = body.at(pos).unicode();
        return c >= u'0' && c <= u'9' ? int(c - u'0') : -1;
    };
    QString out;
    out.reserve(body.size() + 16);
    for (qsizetype i = 0; i < body.size(); ++i) {
        const int first = body.at(i) == QLatin1Char('%') ? digitAt(i + 1) : -1;
        if (first >= 1) {
            const int second = digitAt(i + 2);
            const int twoDigits = second >= 0 ? first * 10 + second : -1;
            if (twoDigits >= 1 && twoDigits <= args.size()) {
                out += args.at(twoDigits - 1);
                i += 2;
                continue;
            }
            if (first <= args.size()) {
                out += args.at(first - 1);
                i += 1;
                continue;
            }
        }
        out += body.at(i);
    }
    return command.header + QLatin1Char(',') + out + QLatin1Char('*') + command.checksum
        + command.eol;
}

QByteArray CommandCatalog::build(const QString& commandId, const QStringList& args) const
{
    const auto it = m_commands.constFind(commandId);
    if (it == m_commands.constEnd())
        return QByteArray();
    return format(it.value(), args).toUtf8();
}

QByteArray CommandCatalog::build(const QString& commandId) const
{
    return build(commandId, QStringList());
}

} // namespace gcs
