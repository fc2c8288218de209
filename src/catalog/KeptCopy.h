#pragma once

#include <QString>

namespace gcs {

/// A copy of the settings file kept beside it because part of what it holds could not
/// be read: made before anything is written over that part, so the user can mend it.
struct KeptCopy
{
    /// Something in the file could not be read (whether or not a copy was made).
    bool needed = false;
    /// Where the copy is; empty when none could be made.
    QString path;
    /// Why no copy could be made.
    QString error;

    /// Copies the file at path to path + suffix, replacing an older copy.
    static KeptCopy of(const QString& path, const QString& suffix);
};

} // namespace gcs
