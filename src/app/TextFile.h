#pragma once

#include <QCoreApplication>
#include <QString>

namespace gcs {

/// Whole text files of the configuration pages, UTF-8 both ways. Each failure comes back
/// with a reason worded for the user; a failed write leaves the file as it was.
class TextFile
{
    Q_DECLARE_TR_FUNCTIONS(gcs::TextFile)

public:
    /// Largest file read: these are hand-edited configuration texts, and a file the user
    /// picked by mistake (a recording, an image) must not be loaded whole.
    static constexpr qint64 kMaxBytes = 16 * 1024 * 1024;

    /// The whole file decoded as UTF-8 (text mode: CR LF reads as LF). False, with
    /// *error, when the file does not open, is larger than kMaxBytes or cannot be read to
    /// the end. *invalidUtf8 (when given) says whether the bytes were not UTF-8; they are
    /// decoded anyway.
    static bool read(const QString& path, QString* content, QString* error,
                     bool* invalidUtf8 = nullptr);
    /// Replaces the file with content as UTF-8 in text mode (LF writes as the platform's
    /// line end). False, with *error, for an empty path or when it cannot be written.
    static bool write(const QString& path, const QString& content, QString* error);
};

} // namespace gcs
