#pragma once

#include <QString>

#include <functional>

namespace gcs {

/// The file and folder choosers of the pages. The controller asks its chooser, which is
/// the platform's modal dialog unless one was set in its place (tests and tools answer
/// without a window).
class FileDialogs
{
public:
    enum class Kind { Open, Save, Directory };
    /// The chosen path, or an empty text when the user cancelled. filter is empty for
    /// Directory.
    using Chooser = std::function<QString(Kind kind, const QString& title, const QString& filter)>;

    /// The platform's dialog: no parent and no start folder; the folder chooser lists
    /// folders only.
    static QString platform(Kind kind, const QString& title, const QString& filter);
};

} // namespace gcs
