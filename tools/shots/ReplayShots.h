#pragma once

#include <QDir>
#include <QString>

/// Records telvo-sim at simPort for a few seconds as the record page does (a message log
/// and a raw capture), then photographs the replay workspace on each: the data pages
/// while it plays, the device pages closed to it, paused after a seek, at "最快", and the
/// hub and welcome panel that open it; in the "defense" and the light "chart" theme at
/// the medium tier and the smallest. False when a picture could not be taken.
bool shootReplay(const QString& binDir, const QDir& out, const QString& simPort);
