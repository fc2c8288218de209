#pragma once

#include <QString>
#include <QStringList>

namespace cli {

/// One subcommand of telvo-cli. Each lives in its own cmd_<name>.cpp and registers itself
/// with a static CliRegistration, so adding a subcommand touches no shared file.
struct CliCommand
{
    QString name;
    QString summary; ///< one line for the command list
    QString usage; ///< full help text for "telvo-cli NAME --help"
    /// Runs with the arguments after the subcommand name; returns the exit code. The
    /// application object exists (a QCoreApplication) but its event loop is not running.
    int (*run)(const QStringList& args) = nullptr;
};

QList<CliCommand>& cliCommands();

struct CliRegistration
{
    explicit CliRegistration(const CliCommand& command) { cliCommands().append(command); }
};

/// Prints message and the usage text to standard error; returns 2, the exit code for bad
/// arguments.
int usageError(const CliCommand& command, const QString& message);
/// The value of --baud: a serial rate from 300 to 3000000, as the window accepts for a
/// rate of the user's own. Returns 0 with baud set, or the exit code of a usage error
/// already printed.
int parseBaud(const CliCommand& command, const QString& text, int& baud);
/// When args[i] is the option name, given as "NAME VALUE" or "NAME=VALUE": its value (empty
/// when none follows) into value, i past a separate value, and true.
bool optionValue(const QStringList& args, qsizetype& i, const QString& name, QString& value);
/// The one CAPTURE a command reads, from the arguments that are no options. Returns 0, or
/// the exit code of a usage error already printed.
int oneCapture(const CliCommand& command, const QStringList& files);
/// Prints one line to standard output / standard error (UTF-8, line feed appended).
void printOut(const QString& line);
void printErr(const QString& line);

} // namespace cli
