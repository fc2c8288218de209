#include "upgrade/ProgressReport.h"

#include <QtGlobal>

#include <cstdio>
#ifdef Q_OS_WIN
#include <io.h>
#else
#include <unistd.h>
#endif

namespace gcs {

namespace {

// Columns a text takes on a terminal: CJK and other wide characters take two.
int displayWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text)
        width += c.unicode() >= 0x1100 ? 2 : 1;
    return width;
}

} // namespace

ProgressReport::ProgressReport(bool interactive)
    : m_interactive(interactive)
{ }

QString ProgressReport::update(int percent, const QString& status)
{
    if (status.isEmpty())
        return {}; // nothing to say yet
    percent = qBound(0, percent, 100);
    if (!m_interactive) {
        const int step = percent / 10;
        if (step <= m_lastStep)
            return {};
        m_lastStep = step;
        return QStringLiteral("%1%  %2\n").arg(step * 10, 3).arg(status);
    }
    const int filled = percent * kBarWidth / 100;
    const QString line
        = QStringLiteral("[%1%2] %3%  %4")
              .arg(QString(filled, QLatin1Char('#')), QString(kBarWidth - filled, QLatin1Char('-')))
              .arg(percent, 3)
              .arg(status);
    if (line == m_lastLine)
        return {};
    // Blank out what is left of a longer previous line.
    const int width = displayWidth(line);
    const QString padding(qMax(0, m_lastWidth - width), QLatin1Char(' '));
    m_lastLine = line;
    m_lastWidth = width;
    return QLatin1Char('\r') + line + padding;
}

QString ProgressReport::close()
{
    if (!m_interactive || m_lastLine.isEmpty())
        return {};
    m_lastLine.clear();
    m_lastWidth = 0;
    return QStringLiteral("\n");
}

bool ProgressReport::standardErrorIsTerminal()
{
#ifdef Q_OS_WIN
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

} // namespace gcs
