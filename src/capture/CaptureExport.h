#pragma once

#include "ins/RecDataModel.h"

#include <QString>

#include <atomic>
#include <functional>

class QIODevice;

namespace gcs {

/// Turns a capture into a CSV table (CsvExporter) or a KML track (KmlExporter): the
/// reading, writing, progress and cancelling that telvo-cli and the window share. Runs
/// on whatever thread calls it.
class CaptureExport
{
public:
    enum class Format { Csv, Kml };

    struct Result
    {
        /// The output is complete (and, for a file, in place).
        bool ok = false;
        bool cancelled = false;
        /// Why there is no output, in Chinese.
        QString error;
        /// The capture ended in a fault: the output holds the records before it.
        QString warning;
        qint64 records = 0;
        /// CSV rows or KML track points written.
        qint64 written = 0;
        RecDataModel::Integrity counters;
    };
    /// Bytes of the capture read so far, and its size.
    using Progress = std::function<void(qint64 position, qint64 size)>;

    /// "csv" or "kml" (any case); false for anything else.
    static bool formatFromName(const QString& name, Format& format);
    static QString suffix(Format format);

    /// Writes to out as the records come (standard output, say).
    static Result run(const QString& capturePath, QIODevice* out, Format format,
                      const std::atomic_bool* cancel = nullptr, const Progress& progress = {});
    /// Why an export of capturePath cannot go to outPath (it is the capture itself), in
    /// Chinese; empty when it can.
    static QString outputRefusal(const QString& capturePath, const QString& outPath);
    /// Writes to outPath, which appears only once the export succeeded: a cancelled or
    /// failed export leaves no file, nor changes one that was there. A device or pipe
    /// (anything but a file) is written directly. Refused (outputRefusal) when outPath is
    /// the capture.
    static Result toFile(const QString& capturePath, const QString& outPath, Format format,
                         const std::atomic_bool* cancel = nullptr, const Progress& progress = {});
};

} // namespace gcs
