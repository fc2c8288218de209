#pragma once

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace gcs {

/// The gyro calibration file (".dat") of the calibration bench, as text: lines of a
/// Chinese label, a full-width colon "：" and a number, plus the data file's own name
/// (a line ending in ".dat") whose part before the first point is the gyro serial
/// number. parse() returns the values under the keys of the bridge's gyroConfig
/// ("kggx", "t1x", "biasx", "kg1xy", ...), so a page can copy them into its fields; keys
/// the file does not hold are absent.
class CalibrationDat
{
public:
    /// The keys of the labels the file may carry, one entry per label, with "sn".
    static QStringList keys();

    /// A number beyond the range of a double (its text read as infinity) is no value:
    /// it is left out, and its label added to outOfRange when given.
    static QVariantMap parse(const QString& text, QStringList* outOfRange = nullptr);

    /// The serial number of a data file name line ("1234.dat", "数据文件名：D:\\cal\\1234.dat");
    /// ok false when the name does not start with a whole number.
    static int serialFromFileName(const QString& line, bool* ok);
};

} // namespace gcs
