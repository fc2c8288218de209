#include "app/AxisTriple.h"

#include <array>

namespace gcs {

namespace {

using Vec = std::array<int, 3>;

bool unitVector(const QString& token, Vec* out)
{
    if (!AxisTriple::isToken(token))
        return false;
    const int sign = token.startsWith(QLatin1Char('-')) ? -1 : 1;
    const int axis = token.back().unicode() - 'x';
    *out = { 0, 0, 0 };
    (*out)[size_t(axis)] = sign;
    return true;
}

} // namespace

bool AxisTriple::isToken(const QString& token)
{
    static const QStringList tokens { QStringLiteral("x"), QStringLiteral("-x"),
                                      QStringLiteral("y"), QStringLiteral("-y"),
                                      QStringLiteral("z"), QStringLiteral("-z") };
    return tokens.contains(token);
}

bool AxisTriple::isValid(const QString& x, const QString& y, const QString& z)
{
    Vec a, b, c;
    if (!unitVector(x, &a) || !unitVector(y, &b) || !unitVector(z, &c))
        return false;
    // For unit vectors along the body axes the cross product is zero when two share an
    // axis, so this also refuses repeated axes.
    const Vec cross
        = { a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0] };
    return cross == c;
}

bool AxisTriple::isValid(const QStringList& tokens)
{
    return tokens.size() == 3 && isValid(tokens.at(0), tokens.at(1), tokens.at(2));
}

QString AxisTriple::refusalText()
{
    return tr("当前组合不符合右手系或存在重复机体轴");
}

} // namespace gcs
