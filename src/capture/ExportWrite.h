#pragma once

#include <QCoreApplication>
#include <QIODevice>
#include <QString>

namespace gcs {

/// Writes size bytes of data to an export's output; false, with the reason in error, when
/// it does not take them all. A write that gets only part of its data out (a disk that
/// just filled up) carries no reason of its own: the try at the rest fails with the
/// system's.
inline bool writeExportData(QIODevice* out, const char* data, qsizetype size, QString& error)
{
    for (qsizetype done = 0; done < size;) {
        const qint64 n = out->write(data + done, size - done);
        if (n <= 0) {
            error = QCoreApplication::translate("gcs::CaptureExport", "写入导出文件失败：%1")
                        .arg(out->errorString());
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace gcs
