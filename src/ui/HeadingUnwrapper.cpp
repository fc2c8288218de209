#include "ui/HeadingUnwrapper.h"

#include <cmath>

namespace gcs {

double HeadingUnwrapper::normalize(double degrees)
{
    double h = std::fmod(degrees, 360.0);
    if (h < 0)
        h += 360.0;
    // fmod of a tiny negative angle plus 360 rounds to 360 itself.
    return h >= 360.0 ? 0.0 : h;
}

double HeadingUnwrapper::foldStep(double step)
{
    double d = std::fmod(step, 360.0);
    if (d > 180.0)
        d -= 360.0;
    else if (d <= -180.0)
        d += 360.0;
    return d;
}

double HeadingUnwrapper::next(double heading)
{
    if (!std::isfinite(heading))
        return heading;
    const double h = normalize(heading);
    if (!m_has) {
        m_has = true;
        m_unwrapped = h;
    } else {
        m_unwrapped += foldStep(h - m_previous);
    }
    m_previous = h;
    return m_unwrapped;
}

void HeadingUnwrapper::reset()
{
    m_has = false;
    m_previous = 0;
    m_unwrapped = 0;
}

} // namespace gcs
