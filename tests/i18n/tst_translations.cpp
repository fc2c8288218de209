// The tree's translation file: what lupdate makes of the current sources, an English text
// for every entry, and compiled into the programs that link the translations.
#include "TestSupport.h"
#include "i18n/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
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
        QVERIFY(!args.isEmpty());
        QProcess lupdate;
        lupdate.start(args.takeFirst(), args << QStringLiteral("-ts") << copy);
        QVERIFY2(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0,
                 lupdate.readAllStandardError().constData());
        const QStringList made = QString::fromUtf8(gcs::test::readFileBytes(copy)).split('\n');
        const QStringList kept
            = QString::fromUtf8(gcs::test::readFileBytes(QStringLiteral(GCS_TS_FILE))).split('\n');
        for (qsizetype i = 0; i < qMax(made.size(), kept.size()); ++i) {
            QVERIFY2(made.value(i) == kept.value(i),
                     qPrintable(QStringLiteral("i18n/telvomonitor_en.ts is out of date at line %1 "
                                               "(\"%2\", lupdate makes \"%3\"): build the target "
                                               "update_translations and translate what is new")
                                    .arg(i + 1)
                                    .arg(kept.value(i).trimmed(), made.value(i).trimmed())));
        }
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
            const auto name = xml.name();
            if (name == QLatin1String("name"))
                context = xml.readElementText();
            else if (name == QLatin1String("source"))
                source = xml.readElementText();
            else if (name == QLatin1String("translation")
                     && (!xml.attributes().value(QLatin1String("type")).isEmpty()
                         || xml.readElementText(QXmlStreamReader::IncludeChildElements)
                                .trimmed()
                                .isEmpty()))
                lacking << context + QLatin1String(": ") + source;
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY2(lacking.isEmpty(), qPrintable(lacking.join(QLatin1Char('\n'))));
    }

    // The compiled translation reaches a program through the library's resources, and
    // switching back gives the texts as written.
    void englishIsPutInForceAndBack()
    {
        const auto text = [] { return QCoreApplication::translate("gcs::Application", "未连接"); };
        const QRegularExpression chinese(QStringLiteral("\\p{Han}"));
        QVERIFY(gcs::language::apply(QStringLiteral("en")));
        QVERIFY2(!text().contains(chinese) && !text().isEmpty(), qPrintable(text()));
        QCOMPARE(QLocale().name(), QStringLiteral("en_US"));
        QVERIFY(gcs::language::apply(QStringLiteral("zh_CN")));
        QCOMPARE(text(), QStringLiteral("未连接"));
        QCOMPARE(QLocale().name(), QStringLiteral("zh_CN"));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
