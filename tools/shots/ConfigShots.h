#pragma once

#include <QDir>
#include <QString>

/// Photographs the configuration, raw console and record pages live on telvo-sim at
/// simPort: every tab of both configuration scopes with values read back, the raw
/// console in text and hex with traffic, the record page idle and recording, and the
/// confirmations, in every theme at the medium and the smallest window tier. False when
/// a picture could not be taken.
bool shootConfigPages(const QString& binDir, const QDir& out, const QString& simPort);
