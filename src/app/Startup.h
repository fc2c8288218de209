#pragma once

namespace gcs {

/// The whole life of the window program: single-instance lock, diagnostic log, style,
/// controller, QML engine, main window, event loop. Returns the process exit code:
/// 0 for a refused second instance, -1 when the main QML file does not load.
int runApplication(int argc, char** argv);

} // namespace gcs
