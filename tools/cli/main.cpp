// telvo-cli: the program's libraries from the command line, one subcommand each.
#include "CliCommand.h"

#include "catalog/AppSettings.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>

namespace cli {

QList<CliCommand>& cliCommands()
{
    static QList<CliCommand> commands;
    return commands;
}

void printOut(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

void printErr(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

int usageError(const CliCommand& command, const QString& message)
{
    printErr(QStringLiteral("telvo-cli %1: %2").arg(command.name, message));
    printErr(QString());
    printErr(command.usage);
    return 2;
}

bool optionValue(const QStringList& args, qsizetype& i, const QString& name, QString& value)
{
    const QString& arg = args.at(i);
    if (arg == name) {
        value = i + 1 < args.size() ? args.at(++i) : QString();
        return true;
    }
    if (!arg.startsWith(name + QLatin1Char('=')))
        return false;
    value = arg.mid(name.size() + 1);
    return true;
}

int oneCapture(const CliCommand& command, const QStringList& files)
{
    if (files.size() == 1)
        return 0;
    return usageError(command,
                      files.isEmpty() ? QStringLiteral("no CAPTURE given")
                                      : QStringLiteral("one CAPTURE only"));
}

int parseBaud(const CliCommand& command, const QString& text, int& baud)
{
    using gcs::AppSettings;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < AppSettings::kMinCustomBaud || value > AppSettings::kMaxCustomBaud) {
        return usageError(command,
                          QStringLiteral("--baud needs a rate from %1 to %2")
                              .arg(AppSettings::kMinCustomBaud)
                              .arg(AppSettings::kMaxCustomBaud));
    }
    baud = value;
    return 0;
}

} // namespace cli

namespace {

QString overview()
{
    QList<cli::CliCommand> commands = cli::cliCommands();
    std::sort(commands.begin(), commands.end(),
              [](const cli::CliCommand& a, const cli::CliCommand& b) { return a.name < b.name; });
    QString text = QStringLiteral("usage: telvo-cli COMMAND [ARGS...]\n"
                                  "       telvo-cli COMMAND --help\n\ncommands:\n");
    for (const cli::CliCommand& c : commands)
        text += QStringLiteral("  %1  %2\n").arg(c.name.leftJustified(16), c.summary);
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
    QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        cli::printErr(overview());
        return 2;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h")
        || name == QLatin1String("help")) {
        cli::printOut(overview());
        return 0;
    }
    for (const cli::CliCommand& c : cli::cliCommands()) {
        if (c.name != name)
            continue;
        if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
            cli::printOut(c.usage);
            return 0;
        }
        return c.run(args);
    }
    cli::printErr(QStringLiteral("telvo-cli: unknown command %1\n").arg(name));
    cli::printErr(overview());
    return 2;
}
