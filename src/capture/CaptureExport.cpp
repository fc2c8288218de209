#include "capture/CaptureExport.h"

#include "capture/CaptureLogging.h"
#include "capture/CaptureReader.h"
#include "capture/CsvExporter.h"
#include "capture/KmlExporter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace gcs {

bool CaptureExport::formatFromName(const QString& name, Format& format)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("csv"))
        format = Format::Csv;
    else if (n == QLatin1String("kml"))
        format = Format::Kml;
    else
        return false;
    return true;
}

QString CaptureExport::suffix(Format format)
{
    return format == Format::Csv ? QStringLiteral("csv") : QStringLiteral("kml");
}

CaptureExport::Result CaptureExport::run(const QString& capturePath, QIODevice* out, Format format,
                                         const std::atomic_bool* cancel, const Progress& progress)
{
    Result result;
    CaptureReader reader;
    if (!reader.open(capturePath)) {
        result.error = reader.errorText();
        return result;
    }
    CsvExporter csv(out);
    KmlExporter kml(out, QFileInfo(capturePath).fileName());
    if (format == Format::Csv && !csv.begin()) {
        result.error = csv.errorText();
        return result;
    }
    CaptureRecord record;
    for (bool more = true; more;) {
        if (cancel && cancel->load(std::memory_order_relaxed)) {
            result.cancelled = true;
            result.error = QCoreApplication::translate("gcs::CaptureExport", "已取消导出");
            return result;
        }
        more = reader.readChunk();
        while (reader.nextQueued(record)) {
            ++result.records;
            if (format == Format::Csv)
                csv.add(record);
            else
                kml.add(record);
        }
        if (progress)
            progress(reader.position(), reader.size());
    }
    result.counters = reader.counters();
    result.warning = reader.errorText();
    // A file that is no capture at all, or breaks before its first record, gives nothing
    // to export.
    if (result.records == 0 && !result.warning.isEmpty()) {
        result.error = result.warning;
        result.warning.clear();
        return result;
    }
    const bool written = format == Format::Csv ? csv.finish() : kml.finish();
    if (!written) {
        result.error = format == Format::Csv ? csv.errorText() : kml.errorText();
        return result;
    }
    result.written = format == Format::Csv ? csv.rows() : kml.pointsWritten();
    result.ok = true;
    qCDebug(lcCapture) << "exported" << result.records << "records of" << capturePath;
    return result;
}

QString CaptureExport::outputRefusal(const QString& capturePath, const QString& outPath)
{
    const QFileInfo capture(capturePath);
    const QFileInfo out(outPath);
    // Also under another name: a link, a path through "..".
    const bool same = capture.absoluteFilePath() == out.absoluteFilePath()
        || (capture.exists() && out.exists()
            && capture.canonicalFilePath() == out.canonicalFilePath());
    if (!same)
        return QString();
    return QCoreApplication::translate("gcs::CaptureExport", "导出文件不能覆盖记录文件本身：%1")
        .arg(QDir::toNativeSeparators(outPath));
}

CaptureExport::Result CaptureExport::toFile(const QString& capturePath, const QString& outPath,
                                            Format format, const std::atomic_bool* cancel,
                                            const Progress& progress)
{
    Result result;
    result.error = outputRefusal(capturePath, outPath);
    if (!result.error.isEmpty())
        return result;
    // A device or pipe takes the data as it comes; a file put in its place would replace it.
    const QFileInfo target(outPath);
    if (target.exists() && !target.isFile()) {
        QFile device(outPath);
        if (!device.open(QIODevice::WriteOnly)) {
            result.error
                = QCoreApplication::translate("gcs::CaptureExport", "无法创建导出文件 %1：%2")
                      .arg(QDir::toNativeSeparators(outPath), device.errorString());
            return result;
        }
        result = run(capturePath, &device, format, cancel, progress);
        if (!device.flush() && result.ok) {
            result.ok = false;
            result.error = QCoreApplication::translate("gcs::CaptureExport", "写入导出文件失败：%1")
                               .arg(device.errorString());
        }
        return result;
    }
    QSaveFile file(outPath);
    if (!file.open(QIODevice::WriteOnly)) {
        result.error = QCoreApplication::translate("gcs::CaptureExport", "无法创建导出文件 %1：%2")
                           .arg(QDir::toNativeSeparators(outPath), file.errorString());
        return result;
    }
    result = run(capturePath, &file, format, cancel, progress);
    if (!result.ok) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.ok = false;
        result.error = QCoreApplication::translate("gcs::CaptureExport", "无法保存导出文件 %1：%2")
                           .arg(QDir::toNativeSeparators(outPath), file.errorString());
    }
    return result;
}

} // namespace gcs
