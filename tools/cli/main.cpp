// telvo-cli: the program's libraries from the command line, one subcommand each.
#include "CliCommand.h"
#include "Interrupt.h"

#include "app/AppVersion.h"
#include "catalog/AppSettings.h"
#include "i18n/Language.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QProcessEnvironment>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace cli {

namespace {

QString s_outputError;

} // namespace

QList<CliCommand>& cliCommands()
{
    static QList<CliCommand> commands;
    return commands;
}

QCommandLineOption flag(const QString& name)
{
    return QCommandLineOption(name);
}

QCommandLineOption valued(const QString& name, const QString& valueName)
{
    return QCommandLineOption(name, QString(), valueName);
}

bool writeOut(const QByteArray& bytes)
{
    if (!s_outputError.isEmpty())
        return false;
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size())
        && std::fflush(stdout) == 0)
        return true;
    s_outputError = qt_error_string(errno ? errno : EIO);
    return false;
}

QString outputError()
{
    return s_outputError;
}

bool printOut(const QString& line)
{
    return writeOut(line.toUtf8() + '\n');
}

void printErr(const QString& line)
{
    const QByteArray bytes = line.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

void tell(const CliCommand& command, const QString& message)
{
    printErr(QStringLiteral("telvo-cli ") + command.name + QStringLiteral(": ") + message);
}

int fail(const CliCommand& command, const QString& message)
{
    tell(command, message);
    return 1;
}

int usageError(const CliCommand& command, const QString& message)
{
    printErr(QStringLiteral("telvo-cli %1: %2").arg(command.name, message));
    printErr(QString());
    printErr(command.usageText());
    return 2;
}

int oneCapture(const CliCommand& command, const QStringList& files)
{
    if (files.size() == 1)
        return 0;
    return usageError(command,
                      files.isEmpty()
                          ? QCoreApplication::translate("telvo-cli", "未给出 CAPTURE")
                          : QCoreApplication::translate("telvo-cli", "只能给出一个 CAPTURE"));
}

int parseBaud(const CliCommand& command, const QCommandLineParser& args, int& baud)
{
    using gcs::AppSettings;
    if (!args.isSet(QStringLiteral("baud")))
        return 0;
    bool ok = false;
    const int value = args.value(QStringLiteral("baud")).toInt(&ok);
    if (!ok || value < AppSettings::kMinCustomBaud || value > AppSettings::kMaxCustomBaud) {
        return usageError(
            command,
            QCoreApplication::translate("telvo-cli", "--baud 需要 %1 到 %2 之间的波特率")
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
    QString text = QCoreApplication::translate("telvo-cli",
                                               "用法：telvo-cli COMMAND [ARGS...]\n"
                                               "      telvo-cli COMMAND --help\n"
                                               "      telvo-cli --version\n"
                                               "\n"
                                               "选项的值跟在选项之后，作为下一个参数或写在“=”之后\n"
                                               "（--baud 9600、--baud=9600）；“--”结束选项。\n"
                                               "\n"
                                               "命令：\n");
    for (const cli::CliCommand& c : commands)
        text += QStringLiteral("  %1  %2\n").arg(c.name.leftJustified(16), c.summaryText());
    return text;
}

QString optionText(const QString& name)
{
    return (name.size() > 1 ? QStringLiteral("--") : QStringLiteral("-")) + name;
}

/// args with "--" put after the command's leading positional arguments, so that what
/// follows them is never read as an option.
QStringList endOptionsAfterPositionals(const cli::CliCommand& command, const QStringList& args)
{
    if (command.optionsEndAfter <= 0)
        return args;
    QStringList valueOptions;
    for (const QCommandLineOption& option : command.options) {
        if (!option.valueName().isEmpty())
            valueOptions += option.names();
    }
    int positionals = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--"))
            return args; // the user ended them already
        if (arg.startsWith(QLatin1String("--"))) {
            if (!arg.contains(QLatin1Char('=')) && valueOptions.contains(arg.mid(2)))
                ++i; // its value
        } else if (arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            if (++positionals == command.optionsEndAfter) {
                QStringList ended = args;
                ended.insert(i + 1, QStringLiteral("--"));
                return ended;
            }
        }
    }
    return args;
}

int runCommand(const cli::CliCommand& command, const QStringList& args)
{
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    parser.addOptions(command.options);
    // The parser takes the program's name first.
    const bool parsed = parser.parse(QStringList { QStringLiteral("telvo-cli") }
                                     + endOptionsAfterPositionals(command, args));
    if (parser.isSet(help)) {
        cli::printOut(command.usageText());
        return 0;
    }
    if (!parsed) {
        const QStringList unknown = parser.unknownOptionNames();
        return cli::usageError(command,
                               unknown.isEmpty()
                                   ? parser.errorText()
                                   : QCoreApplication::translate("telvo-cli", "未知选项 %1")
                                         .arg(optionText(unknown.first())));
    }
    return command.run(parser);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
    QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GCS_VERSION));
    // Messages and usage in English when the locale asks for it, else Chinese; what is
    // meant for programs (JSON, CSV, records) reads the same in both.
    gcs::language::apply(gcs::language::fromEnvironment(QProcessEnvironment::systemEnvironment()));

    // Everything from the command's name on is the command's own.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    if (!parser.parse(app.arguments())) {
        cli::printErr(QStringLiteral("telvo-cli: %1\n").arg(parser.errorText()));
        cli::printErr(overview());
        return 2;
    }
    QStringList args = parser.positionalArguments();
    const QString name = args.isEmpty() ? QString() : args.takeFirst();
    int code = 0;
    const cli::CliCommand* command = nullptr;
    if (parser.isSet(version)) {
        cli::printOut(QStringLiteral("telvo-cli %1").arg(QCoreApplication::applicationVersion()));
    } else if (parser.isSet(help) || name == QLatin1String("help")) {
        cli::printOut(overview());
    } else if (name.isEmpty()) {
        cli::printErr(overview());
        return 2;
    } else {
        for (const cli::CliCommand& c : cli::cliCommands()) {
            if (c.name == name)
                command = &c;
        }
        if (!command) {
            cli::printErr(QStringLiteral("telvo-cli: ")
                          + QCoreApplication::translate("telvo-cli", "未知命令 %1").arg(name)
                          + QLatin1Char('\n'));
            cli::printErr(overview());
            return 2;
        }
        code = runCommand(*command, args);
    }
    // What did not reach standard output is a failure, whatever the command made of it.
    if (const QString why = cli::outputError();
        !why.isEmpty() && code != 2 && code != cli::Interrupt::kExitCode) {
        cli::printErr(QStringLiteral("telvo-cli%1: ")
                          .arg(command ? QLatin1Char(' ') + command->name : QString())
                      + QCoreApplication::translate("telvo-cli", "无法写入标准输出：%1").arg(why));
        code = 1;
    }
    return code;
}
