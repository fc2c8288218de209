#pragma once

#include <QString>

namespace gcs {

/// Where the window is drawn and what that costs the process: settings that must be made
/// before the application object, and the choice of Qt Quick's renderer before the first
/// window. The window program and the benchmarks of the window share them.
///
/// A software rasteriser behind OpenGL or Direct3D (Mesa's llvmpipe, Windows' WARP, as in
/// a virtual machine or a remote-desktop session) redraws the whole window for every
/// frame; Qt Quick's software backend redraws only what changed, which costs that
/// renderer less. QT_QUICK_BACKEND (or QMLSCENE_DEVICE) overrides the choice as usual.
class RenderSetup
{
public:
    /// Before the application object. On glibc, at most kMallocArenas malloc arenas: every
    /// rendering thread otherwise gets a 64 MB arena of its own, mostly idle but resident
    /// (MALLOC_ARENA_MAX, when set, still decides). Nothing elsewhere.
    static void prepareProcess();

    /// After the application object, before the first window: the software backend when
    /// the graphics driver is a software rasteriser and no backend was asked for. Returns
    /// the driver's renderer name (empty when it could not be read).
    static QString chooseBackend();

    /// Whether a renderer or adapter name is that of a software rasteriser.
    static bool isSoftwareRenderer(const QString& name);

    static constexpr int kMallocArenas = 2;
};

} // namespace gcs
