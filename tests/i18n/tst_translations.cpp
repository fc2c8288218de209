// The tree's translation file: what lupdate makes of the current sources, with an English
// text for every entry.
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <QXmlStreamReader>

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    // A text added, changed or removed without running "update_translations" leaves the
    // file behind the sources.
    void theFileIsWhatLupdateMakesOfTheSources()
    {
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("telvomonitor_en.ts"));
        QVERIFY(QFile::copy(QStringLiteral(GCS_TS_FILE), copy));
        QStringList args = QString::fromUtf8(gcs::test::readFileBytes(GCS_LUPDATE_ARGS))
                               .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QProcess lupdate;
        lupdate.start(args.takeFirst(), args << QStringLiteral("-ts") << copy);
        QVERIFY2(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0,
                 lupdate.readAllStandardError().constData());
        QVERIFY2(gcs::test::readFileBytes(copy)
                     == gcs::test::readFileBytes(QStringLiteral(GCS_TS_FILE)),
                 "i18n/telvomonitor_en.ts is behind the sources: build the target "
                 "update_translations and translate what is new");
    }

    // Nothing unfinished, vanished or obsolete, and no empty English.
    void everyEntryHasItsEnglish()
    {
        QFile file(QStringLiteral(GCS_TS_FILE));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context, source;
        QStringList lacking;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText();
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText();
            else if (xml.name() == QLatin1String("translation")
                     && (xml.attributes().hasAttribute(QLatin1String("type"))
                         || xml.readElementText(QXmlStreamReader::IncludeChildElements)
                                .trimmed()
                                .isEmpty()))
                lacking << context + QLatin1String(": ") + source;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY2(lacking.isEmpty(), qPrintable(lacking.join(QLatin1Char('\n'))));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
