#pragma once

#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QList>

// The application icon for the desktops the program is installed on: PNG files for the
// freedesktop.org "hicolor" icon theme and a Windows icon file.
namespace artwork {

/// A Windows .ico holding every image: sizes up to 64 as 32-bit bitmaps with alpha (what
/// every Windows shell reads), 256 as PNG (what the shell takes for its large views).
/// Empty when an image cannot be encoded.
QByteArray windowsIcon(const QList<QImage>& images);

/// Writes hicolor/<N>x<N>/apps/<name>.png at the theme's usual sizes and <name>.ico into
/// dir, printing each path; false (with the reason on standard error) if one fails.
bool writeDesktopIcons(const QDir& dir, const QString& name);

} // namespace artwork
