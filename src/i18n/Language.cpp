#include "i18n/Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QLoggingCategory>
#include <QPointer>
#include <QProcessEnvironment>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcI18n, "gcs.i18n", QtWarningMsg)

namespace gcs::language {

namespace {

// Built from i18n/telvomonitor_en.ts into the resources (src/i18n/CMakeLists.txt).
const char* const kEnglishFile = ":/i18n/telvomonitor_en.qm";

/// The English translator, made on first use, and whether it is installed.
struct Installed
{
    QPointer<QTranslator> translator;
    bool english = false;
};

Installed& installed()
{
    static Installed state;
    return state;
}

bool isCLocale(const QString& locale)
{
    return locale.isEmpty() || locale == QLatin1String("C") || locale == QLatin1String("POSIX")
        || locale.startsWith(QLatin1String("C."));
}

} // namespace

QString normalized(const QString& code)
{
    return code == kEnglish ? QString(kEnglish) : QString(kChinese);
}

bool apply(const QString& code)
{
    Installed& state = installed();
    if (normalized(code) == kChinese) {
        if (state.english && state.translator)
            QCoreApplication::removeTranslator(state.translator);
        state.english = false;
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        return true;
    }
    if (!state.translator) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (!translator->load(QString::fromLatin1(kEnglishFile))) {
            qCWarning(lcI18n) << "cannot load the English translation" << kEnglishFile;
            delete translator;
            return false;
        }
        state.translator = translator;
    }
    // Installing the same translator twice would list it twice.
    if (!state.english && !QCoreApplication::installTranslator(state.translator))
        return false;
    state.english = true;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    return true;
}

QString current()
{
    return installed().english ? QString(kEnglish) : QString(kChinese);
}

QString fromEnvironment(const QProcessEnvironment& env)
{
    QString locale;
    for (const char* name : { "LC_ALL", "LC_MESSAGES", "LANG" }) {
        locale = env.value(QLatin1String(name));
        if (!locale.isEmpty())
            break;
    }
    if (isCLocale(locale))
        return kChinese;
    const QString preferred = env.value(QStringLiteral("LANGUAGE"));
    if (preferred.isEmpty())
        return locale.startsWith(QLatin1String("en")) ? QString(kEnglish) : QString(kChinese);
    // As gettext does, a listed language without a translation is passed over, and a list
    // that names none leaves the texts as written.
    for (const QString& entry : preferred.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (entry.startsWith(QLatin1String("en")))
            return kEnglish;
        if (entry.startsWith(QLatin1String("zh")))
            return kChinese;
    }
    return kChinese;
}

} // namespace gcs::language
