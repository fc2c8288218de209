#pragma once

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace cli {

/// One subcommand of telvo-cli. Each lives in its own cmd_<name>.cpp and registers itself
/// with a static CliRegistration, so adding a subcommand touches no shared file.
///
/// The texts of telvo-cli are translated in the context "telvo-cli". A registration is made
/// before the translator is installed, so it holds its texts as source texts
/// (QT_TRANSLATE_NOOP), translated where they are printed.
struct CliCommand
{
    QString name;
    const char* summary = nullptr; ///< one line for the command list, a source text
    const char* usage = nullptr; ///< help text for "telvo-cli NAME --help", a source text
    /// The options besides --help and -h. One made with valued() takes a value, given as
    /// "--NAME VALUE" or "--NAME=VALUE"; "--" ends the options.
    QList<QCommandLineOption> options;
    /// Runs with the arguments after the subcommand name, parsed; returns the exit code.
    /// The application object exists (a QCoreApplication) but its event loop is not
    /// running.
    int (*run)(const QCommandLineParser& args) = nullptr;
    /// After this many positional arguments every further argument is positional, also
    /// one that begins with "-" (0: options may stand anywhere).
    int optionsEndAfter = 0;

    QString summaryText() const { return QCoreApplication::translate("telvo-cli", summary); }
    QString usageText() const { return QCoreApplication::translate("telvo-cli", usage); }
};

QList<CliCommand>& cliCommands();

struct CliRegistration
{
    explicit CliRegistration(const CliCommand& command) { cliCommands().append(command); }
};

/// An option without a value ("--json").
QCommandLineOption flag(const QString& name);
/// An option that takes a value ("--baud N").
QCommandLineOption valued(const QString& name, const QString& valueName);

/// Prints message and the usage text to standard error; returns 2, the exit code for bad
/// arguments.
int usageError(const CliCommand& command, const QString& message);
/// The value of --baud: a serial rate from 300 to 3000000, as the window accepts for a
/// rate of the user's own. Returns 0 with baud set (unchanged when the option is not
/// given), or the exit code of a usage error already printed.
int parseBaud(const CliCommand& command, const QCommandLineParser& args, int& baud);
/// The one CAPTURE a command reads, from the positional arguments. Returns 0, or the
/// exit code of a usage error already printed.
int oneCapture(const CliCommand& command, const QStringList& files);
/// Prints one line to standard output / standard error (UTF-8, line feed appended).
/// Returns false when standard output does not take it.
bool printOut(const QString& line);
void printErr(const QString& line);
/// "telvo-cli NAME: message" on standard error, for the command running.
void tell(const CliCommand& command, const QString& message);
/// The same, returning 1: the exit code of a command that failed.
int fail(const CliCommand& command, const QString& message);
/// Writes bytes to standard output as they are and flushes them. Once a write failed
/// nothing more is written, every later call returns false, and the command fails with
/// outputError() when it ends.
bool writeOut(const QByteArray& bytes);
/// Why standard output stopped taking data (the system's words); empty while it takes it.
QString outputError();

} // namespace cli
