#pragma once

#include <QLatin1String>
#include <QString>

class QProcessEnvironment;

namespace gcs::language {

// The program's texts are written in Chinese; an English translation is built into it.
// The language in force is process-wide: the installed translator and the default locale,
// from which dates, weekday names and numbers take their form.

inline constexpr QLatin1String kChinese("zh_CN");
inline constexpr QLatin1String kEnglish("en");

/// kEnglish for "en", kChinese for anything else (the default, also for values the
/// program does not know).
QString normalized(const QString& code);

/// Puts code in force: English installs the translator and the English locale, Chinese
/// removes it and sets the Chinese locale. False when the English translation cannot be
/// loaded; the program then stays Chinese. Needs the application object.
bool apply(const QString& code);

/// The language in force (kChinese until apply() installs English).
QString current();

/// The language a command-line program speaks in env, as gettext chooses: the locale is
/// the first of LC_ALL, LC_MESSAGES and LANG that is set and not empty; unless it is the
/// C locale ("C", "C.<codeset>", "POSIX" or none), LANGUAGE (a list separated by colons)
/// goes first, and its first entry with a translation (English) or the source language
/// (Chinese) decides. English when the chosen language starts with "en", else Chinese.
QString fromEnvironment(const QProcessEnvironment& env);

} // namespace gcs::language
