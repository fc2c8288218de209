#pragma once

#include <QString>

namespace gcs {

/// Console progress of a transfer: on a terminal a bar with the status text, redrawn in
/// place; otherwise (a log file, a pipe) one line each time progress reaches another
/// tenth. It only builds the text; the caller writes it where it belongs.
class ProgressReport
{
public:
    explicit ProgressReport(bool interactive);

    /// Text to write for this progress and status; empty when nothing changed enough.
    QString update(int percent, const QString& status);
    /// Text that closes the report before a final message (a line break after a bar).
    QString close();

    bool interactive() const { return m_interactive; }

    /// Whether standard error is a terminal.
    static bool standardErrorIsTerminal();

    static constexpr int kBarWidth = 30;

private:
    bool m_interactive = false;
    int m_lastStep = -1;
    QString m_lastLine;
    int m_lastWidth = 0;
};

} // namespace gcs
