#include "app/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace gcs {

namespace {

constexpr double kScreenShare = 0.83;
constexpr double kAspect = 1.6;
constexpr double kFallbackWidth = 1920.0;
constexpr double kFallbackHeight = 1080.0;

double usableWidth(const ScreenGeometry& s)
{
    if (s.available.width() > 0)
        return s.available.width();
    return s.full.width() > 0 ? s.full.width() : kFallbackWidth;
}

double usableHeight(const ScreenGeometry& s)
{
    if (s.available.height() > 0)
        return s.available.height();
    return s.full.height() > 0 ? s.full.height() : kFallbackHeight;
}

int roundHalfAway(double v)
{
    return int(std::lround(v));
}

} // namespace

InitialPlacement computeInitialPlacement(const std::optional<ScreenGeometry>& screen,
                                         const QSize& minimumSize)
{
    const double minW = minimumSize.width();
    const double minH = minimumSize.height();
    InitialPlacement placement;
    if (!screen) {
        const double w = minW > 1434 ? minW : 1434.24;
        const double h = std::max(896.4, minH);
        placement.size = QSize(roundHalfAway(w), roundHalfAway(h));
        return placement;
    }

    const double W = usableWidth(*screen);
    const double H = usableHeight(*screen);
    const double maxH = kScreenShare * H;
    double w = kScreenShare * W;
    double h = w / kAspect;
    if (h > maxH) {
        h = maxH;
        w = kAspect * maxH;
    }
    const double finalW = std::max(std::min(W, w), minW);
    const double finalH = std::max(std::min(H, h), minH);
    placement.size = QSize(roundHalfAway(finalW), roundHalfAway(finalH));
    placement.position = centredPosition(*screen, placement.size);
    return placement;
}

QPoint centredPosition(const ScreenGeometry& screen, const QSize& windowSize)
{
    const int availW = int(usableWidth(screen));
    const int availH = int(usableHeight(screen));
    const int dx = availW - windowSize.width();
    const int dy = availH - windowSize.height();
    // Integer halves round down, also for a window wider than the area (dx < 0 keeps
    // the left edge anyway).
    const int x = screen.available.left() + (dx > 1 ? dx / 2 : 0);
    const int y = screen.available.top() + (dy > 1 ? dy / 2 : 0);
    return QPoint(x, y);
}

QRect availableGeometryOf(const QWindow* window)
{
    QScreen* screen = window ? window->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen && !QGuiApplication::screens().isEmpty())
        screen = QGuiApplication::screens().constFirst();
    const QRect area = screen ? screen->availableGeometry() : QRect();
    if (area.width() > 0 && area.height() > 0)
        return area;
    return QRect(0, 0, int(kFallbackWidth), int(kFallbackHeight));
}

} // namespace gcs
