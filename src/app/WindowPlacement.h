#pragma once

#include <QRect>
#include <QSize>

#include <optional>

class QWindow;

namespace gcs {

/// What start-up knows of the screen a window opens on.
struct ScreenGeometry
{
    QRect available; ///< the screen's available geometry (work area)
    QRect full; ///< the screen's full geometry
};

/// Size (and, with a screen, position) of the main window when it first shows: 83 % of
/// the available width at an aspect of 1.6, limited to 83 % of the available height,
/// never smaller than the window's minimum size, centred in the available area.
struct InitialPlacement
{
    QSize size;
    std::optional<QPoint> position; ///< only when there is a screen
};

InitialPlacement computeInitialPlacement(const std::optional<ScreenGeometry>& screen,
                                         const QSize& minimumSize);

/// Position that centres a window of the given size in the available area of a screen,
/// keeping the left or top edge when the area is not more than one pixel larger.
QPoint centredPosition(const ScreenGeometry& screen, const QSize& windowSize);

/// The available geometry of the window's screen, else of the primary screen, else of
/// the first one, in virtual-desktop coordinates; 0, 0, 1920 x 1080 when there is no
/// screen or its area has no size. Never the whole desktop: on side-by-side screens a
/// window centred on that would straddle them.
QRect availableGeometryOf(const QWindow* window);

} // namespace gcs
