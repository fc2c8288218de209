// libFuzzer target: arbitrary files through the factory page's readers, as the page reads
// them: the gyro calibration file (".dat") and the compensation file. Besides crashes and
// sanitizer reports it checks that the calibration values come only under the known keys
// and that the compensation bundle carries the text as it was read.
#include "FuzzSupport.h"

#include "app/CalibrationDat.h"
#include "app/CompensationFile.h"
#include "app/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gcs::fuzz::ensureApp();
    QString text;
    QString why;
    bool invalidUtf8 = false;
    if (!gcs::TextFile::read(gcs::fuzz::inputFile(gcs::fuzz::bytes(data, size)), &text, &why,
                             &invalidUtf8))
        return 0;
    static const QStringList known = gcs::CalibrationDat::keys();
    const QVariantMap values = gcs::CalibrationDat::parse(text);
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (!known.contains(it.key()))
            gcs::fuzz::fail("calibration values come under known keys");
    }
    const QVariantMap bundle = gcs::CompensationFile::bundle(text);
    if (bundle.value(QStringLiteral("content")).toString() != text)
        gcs::fuzz::fail("the compensation bundle carries the text");
    return 0;
}
