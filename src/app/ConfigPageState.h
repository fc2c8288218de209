#pragma once

#include "app/FileDialogs.h"

#include <QStringList>

#include <optional>

namespace gcs {

/// Device-side state of the configuration pages: the navigation output last commanded
/// with start/stop com1, whether a factory read-back collects raw text, and who answers
/// the file dialogs.
struct ConfigPageState
{
    /// The output as last switched on this link; empty while nothing was commanded since
    /// the link opened, because a unit that was powered up or used elsewhere meanwhile may
    /// be in either state. The first switch on a new link therefore always goes out.
    std::optional<bool> navOutput;
    bool factoryReadbackActive = false;
    /// Names of the numeric read-backs the unit has answered (see insConfigReported).
    QStringList reported;
    /// Null: the platform's dialogs.
    FileDialogs::Chooser fileChooser;
};

} // namespace gcs
