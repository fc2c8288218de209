#pragma once

#include <QDir>
#include <QString>

/// Photographs the noise analysis page on recordings telvo-sim writes straight to files:
/// empty, analysing (progress and cancel), the result of a unit at rest, a unit in
/// motion (the warning) and a file that is no recording (the error), in every theme at
/// the medium tier and in a dark and the light theme at the smallest. False when a
/// recording could not be made or a picture not taken.
bool shootNoisePage(const QString& binDir, const QDir& out);
