#include "console/ConsoleLog.h"

#include "console/LogFormat.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace gcs {

namespace {

// In the language of the moment the banner is written.
QString sendDirection()
{
    return QCoreApplication::translate("gcs::ConsoleLog", "发送");
}

QString receiveDirection()
{
    return QCoreApplication::translate("gcs::ConsoleLog", "接收");
}

QByteArray withoutLineEnd(QByteArray bytes)
{
    while (bytes.endsWith('\n') || bytes.endsWith('\r'))
        bytes.chop(1);
    return bytes;
}

} // namespace

ConsoleLog::ConsoleLog() = default;

QString ConsoleLog::bannerBlock(const QString& direction, const QDateTime& now) const
{
    QString banner = logDirBanner(now.toString(QStringLiteral("HH:mm:ss")), direction);
    if (!m_text.isEmpty() && !m_text.endsWith(QLatin1Char('\n')))
        banner.prepend(QLatin1Char('\n'));
    return banner;
}

QString ConsoleLog::render(const Block& block) const
{
    return block.isBytes ? formatInsRawBytes(block.bytes, m_hexMode) : block.text;
}

QString ConsoleLog::append(Block block)
{
    QString rendered = render(block);
    if (rendered.isEmpty() && !block.isBytes)
        return QString();
    block.renderedSize = rendered.size();
    if (block.isBytes)
        m_archiveBytes += block.bytes.size();
    m_text += rendered;
    m_blocks.push_back(std::move(block));
    enforceCaps();
    // A block larger than the whole log leaves only its end in the text.
    if (rendered.size() > kMaxTextChars)
        rendered = rendered.right(kMaxTextChars);
    return rendered;
}

void ConsoleLog::rebuildText()
{
    m_text.clear();
    m_frontCut = 0;
    for (Block& block : m_blocks) {
        const QString rendered = render(block);
        block.renderedSize = rendered.size();
        m_text += rendered;
    }
    enforceCaps();
}

void ConsoleLog::dropOldestBytes(qsizetype n)
{
    while (n > 0 && !m_blocks.empty()) {
        Block& front = m_blocks.front();
        if (!front.isBytes || front.bytes.size() <= n) {
            if (front.isBytes) {
                n -= front.bytes.size();
                m_archiveBytes -= front.bytes.size();
            }
            dropFront(front.renderedSize);
            m_blocks.pop_front();
            continue;
        }
        // Part of a batch: the rendering of its remaining bytes is the end of its
        // rendering, in both forms, so the text loses exactly the difference.
        const qsizetype before = front.renderedSize;
        front.bytes.remove(0, n);
        m_archiveBytes -= n;
        front.renderedSize = formattedInsRawSize(front.bytes, m_hexMode);
        dropFront(before - front.renderedSize);
        n = 0;
    }
}

void ConsoleLog::enforceCaps()
{
    if (m_archiveBytes > kMaxArchiveBytes)
        dropOldestBytes(m_archiveBytes - kMaxArchiveBytes);
    while (textSize() > kMaxTextChars && !m_blocks.empty()) {
        Block& front = m_blocks.front();
        if (front.isBytes) {
            dropOldestBytes(qMin(kArchiveTrimStep, front.bytes.size()));
            continue;
        }
        const qsizetype excess = textSize() - kMaxTextChars;
        if (front.renderedSize <= excess) {
            dropFront(front.renderedSize);
            m_blocks.pop_front();
        } else {
            front.text.remove(0, excess);
            front.renderedSize -= excess;
            dropFront(excess);
        }
    }
    if (m_frontCut > 0) {
        m_text.remove(0, m_frontCut);
        m_frontCut = 0;
    }
}

QString ConsoleLog::commit(const QString& block)
{
    Block b;
    b.text = block;
    return append(std::move(b));
}

QString ConsoleLog::appendOnePacket(const QByteArray& frame, const QDateTime& now)
{
    if (m_paused || frame.isEmpty())
        return QString();
    QString block;
    if (receiveBannerDue()) {
        block = bannerBlock(receiveDirection(), now);
        m_newBlock = false;
        m_bannerWritten = true;
    }
    const QByteArray payload = withoutLineEnd(frame);
    block += now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    block += QLatin1Char(' ');
    block += m_hexMode || logPacketIsBinaryNav(payload) ? logHexText(payload)
                                                        : bytesToLogAscii(payload);
    block += QLatin1Char('\n');
    return commit(block);
}

QString ConsoleLog::appendCommandTrace(const QByteArray& bytes, const QDateTime& now)
{
    if (bytes.isEmpty())
        return QString();
    m_txCount += bytes.size();
    QString block = bannerBlock(sendDirection(), now);
    const QByteArray payload = withoutLineEnd(bytes);
    if (m_hexMode) {
        block += logHexText(payload);
        block += QLatin1Char('\n');
    } else if (!logPacketIsBinaryNav(payload)) {
        block += bytesToLogAscii(payload);
        block += QLatin1Char('\n');
    }
    m_newBlock = true;
    return commit(block);
}

void ConsoleLog::takeReceived(const QByteArray& chunk, bool rawViewActive)
{
    if (m_paused)
        return;
    m_rxCount += chunk.size();
    if (!rawViewActive || chunk.isEmpty())
        return;
    m_pendingRaw += chunk;
    if (m_pendingRaw.size() > kMaxPendingRaw)
        m_pendingRaw.remove(0, m_pendingRaw.size() - kMaxPendingRaw);
}

ConsoleLog::Flush ConsoleLog::flushRawBatch(bool force, const QDateTime& now)
{
    Flush flush;
    if ((!force && m_paused) || m_pendingRaw.isEmpty())
        return flush;
    const qsizetype n = qMin(kBatchBytes, m_pendingRaw.size());
    Block batch;
    batch.isBytes = true;
    batch.bytes = m_pendingRaw.left(n);
    m_pendingRaw.remove(0, n);
    flush.took = true;
    if (receiveBannerDue()) {
        flush.appended = commit(bannerBlock(receiveDirection(), now));
        m_newBlock = false;
        m_bannerWritten = true;
    }
    flush.appended += append(std::move(batch));
    flush.more = !m_pendingRaw.isEmpty();
    return flush;
}

bool ConsoleLog::setHexMode(bool on)
{
    if (on == m_hexMode)
        return false;
    m_hexMode = on;
    rebuildText();
    return true;
}

bool ConsoleLog::setPaused(bool paused)
{
    if (paused == m_paused)
        return false;
    m_paused = paused;
    return true;
}

void ConsoleLog::clear()
{
    m_text.clear();
    m_frontCut = 0;
    m_blocks.clear();
    m_archiveBytes = 0;
    m_pendingRaw.clear();
    m_rxCount = 0;
    m_txCount = 0;
    m_newBlock = false;
    m_bannerWritten = false;
}

bool ConsoleLog::save(const QString& path, QString* errorText) const
{
    const auto fail = [errorText](const QString& why) {
        if (errorText)
            *errorText = why;
        return false;
    };
    if (path.trimmed().isEmpty())
        return fail(QCoreApplication::translate("gcs::ConsoleLog", "未指定文件"));
    // Written aside and renamed at the end: a failed save leaves an older file whole.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return fail(file.errorString());
    const QByteArray bytes = m_text.toUtf8();
    if (file.write(bytes) != bytes.size())
        return fail(file.errorString());
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace gcs
