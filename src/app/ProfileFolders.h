#pragma once

#include <QStringList>

namespace gcs {

/// The folders the profile files ("vorn.yaml", "ui.yaml") are read from, in load order, so
/// that a later folder wins: on Windows the fixed folder "X://profiles" first (a drive path
/// that elsewhere would name a folder under the working directory, so it is read there
/// only), then everywhere the folder "profiles" beside the executable.
QStringList profileFolders();

} // namespace gcs
