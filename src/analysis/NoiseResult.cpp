#include "analysis/NoiseResult.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QJsonArray>
#include <QStringList>

#include <cmath>

namespace gcs {

namespace {

const char* const kKeys[] = { "gx", "gy", "gz", "ax", "ay", "az" };
/// The mark of a figure that is only an upper bound, as the noise page shows it.
const QString kUpperBound = QStringLiteral("≤");

QJsonValue number(double v)
{
    return std::isfinite(v) ? QJsonValue(v) : QJsonValue(QJsonValue::Null);
}

/// Six significant digits, "nan" never: an empty cell when there is no value.
QString cell(double v)
{
    return std::isfinite(v) ? QString::number(v, 'g', 6) : QString();
}

/// Columns a text takes on a terminal: a wide (CJK) character takes two.
int displayWidth(const QString& text)
{
    int width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool wide = (u >= 0x1100 && u <= 0x115F) || (u >= 0x2E80 && u <= 0xA4CF)
            || (u >= 0xAC00 && u <= 0xD7A3) || (u >= 0xF900 && u <= 0xFAFF)
            || (u >= 0xFE30 && u <= 0xFE4F) || (u >= 0xFF00 && u <= 0xFF60)
            || (u >= 0xFFE0 && u <= 0xFFE6);
        width += wide ? 2 : 1;
    }
    return width;
}

QString column(double v, int width)
{
    return (std::isfinite(v) ? QString::number(v, 'g', 5) : QStringLiteral("-"))
        .rightJustified(width);
}

} // namespace

const char* NoiseResult::channelKey(int c)
{
    return c >= 0 && c < kChannels ? kKeys[c] : "";
}

QJsonObject NoiseResult::toJson() const
{
    QJsonObject o;
    o.insert(QStringLiteral("rate_hz"), rateHz);
    o.insert(QStringLiteral("samples"), samples);
    QJsonArray taus;
    for (double t : tau)
        taus.append(t);
    o.insert(QStringLiteral("tau"), taus);
    QJsonObject curves, arw, gyroBias, vrw, accelBias, biasTau, upperBound;
    for (int c = 0; c < kChannels; ++c) {
        const QString key = QLatin1String(kKeys[c]);
        QJsonArray values;
        for (double v : adev[size_t(c)])
            values.append(number(v));
        curves.insert(key, values);
        biasTau.insert(key, number(minimum[size_t(c)].tau));
        upperBound.insert(key, biasIsUpperBound(c));
        if (isGyro(c)) {
            arw.insert(key, number(angleRandomWalk(c)));
            gyroBias.insert(key, number(biasInstability(c)));
        } else {
            vrw.insert(key, number(velocityRandomWalk(c)));
            accelBias.insert(key, number(biasInstability(c)));
        }
    }
    o.insert(QStringLiteral("adev"), curves);
    o.insert(QStringLiteral("arw_deg_sqrt_h"), arw);
    o.insert(QStringLiteral("bias_instability_deg_h"), gyroBias);
    o.insert(QStringLiteral("vrw_m_s_sqrt_h"), vrw);
    o.insert(QStringLiteral("accel_bias_instability_mg"), accelBias);
    o.insert(QStringLiteral("bias_instability_tau_s"), biasTau);
    o.insert(QStringLiteral("at_rest"), atRest);
    o.insert(QStringLiteral("rest_reason"), restReason);
    if (!warning.isEmpty())
        o.insert(QStringLiteral("warning"), warning);
    o.insert(QStringLiteral("bias_instability_upper_bound"), upperBound);
    o.insert(QStringLiteral("continuous"), continuous());
    o.insert(QStringLiteral("gap_reason"), gapReason);
    return o;
}

QString NoiseResult::toText() const
{
    QString t;
    t += QCoreApplication::translate("gcs::NoiseResult", "文件：%1").arg(path) + QLatin1Char('\n');
    t += (rateGiven
              ? QCoreApplication::translate("gcs::NoiseResult", "采样率：%1 Hz（给定）")
              : QCoreApplication::translate("gcs::NoiseResult", "采样率：%1 Hz（取自记录的时间）"))
             .arg(rateHz, 0, 'g', 8)
        + QLatin1Char('\n');
    t += QCoreApplication::translate("gcs::NoiseResult", "采样数：%1（%2 s）")
             .arg(samples)
             .arg(durationSeconds(), 0, 'f', 1)
        + QLatin1Char('\n');
    t += (atRest ? QCoreApplication::translate("gcs::NoiseResult", "静止：是")
                 : QCoreApplication::translate("gcs::NoiseResult", "静止：否，%1").arg(restReason))
        + QLatin1Char('\n');
    t += (continuous()
              ? QCoreApplication::translate("gcs::NoiseResult", "连续：是")
              : QCoreApplication::translate("gcs::NoiseResult", "连续：否，%1").arg(gapReason))
        + QLatin1Char('\n');
    t += QStringLiteral("\n%1").arg(QStringLiteral("tau_s"), 11);
    const char* const heads[] = { "gx_deg_h", "gy_deg_h", "gz_deg_h", "ax_mg", "ay_mg", "az_mg" };
    for (const char* h : heads)
        t += QStringLiteral("%1").arg(QLatin1String(h), 11);
    t += QLatin1Char('\n');
    for (size_t i = 0; i < tau.size(); ++i) {
        t += column(tau[i], 11);
        for (int c = 0; c < kChannels; ++c)
            t += column(i < adev[size_t(c)].size() ? adev[size_t(c)][i] : NAN, 11);
        t += QLatin1Char('\n');
    }
    // The figures' names, translated, padded to the same columns whatever their script.
    const auto row = [this, &t](const char* name, int first, auto figure, bool bounded = false) {
        const QString shown = QCoreApplication::translate("gcs::NoiseResult", name);
        t += shown + QString(qMax(1, 36 - displayWidth(shown)), QLatin1Char(' '));
        for (int c = first; c < first + 3; ++c) {
            const double v = figure(c);
            t += bounded && biasIsUpperBound(c) && std::isfinite(v)
                ? (kUpperBound + column(v, 0)).rightJustified(11)
                : column(v, 11);
        }
        t += QLatin1Char('\n');
    };
    t += QStringLiteral("\n%1%2%3%4\n")
             .arg(QString(), -36)
             .arg(QStringLiteral("x"), 11)
             .arg(QStringLiteral("y"), 11)
             .arg(QStringLiteral("z"), 11);
    row(QT_TRANSLATE_NOOP("gcs::NoiseResult", "角度随机游走 (deg/sqrt(h))"), Gx,
        [this](int c) { return angleRandomWalk(c); });
    const auto bias = [this](int c) { return biasInstability(c); };
    row(QT_TRANSLATE_NOOP("gcs::NoiseResult", "零偏不稳定性 (deg/h)"), Gx, bias, true);
    row(QT_TRANSLATE_NOOP("gcs::NoiseResult", "速度随机游走 (m/s/sqrt(h))"), Ax,
        [this](int c) { return velocityRandomWalk(c); });
    row(QT_TRANSLATE_NOOP("gcs::NoiseResult", "零偏不稳定性 (mg)"), Ax, bias, true);
    for (int c = 0; c < kChannels; ++c) {
        if (biasIsUpperBound(c)) {
            t += QCoreApplication::translate(
                     "gcs::NoiseResult", "%1：曲线在最长的 tau 处仍在下降，零偏不稳定性只是上界")
                     .arg(kUpperBound)
                + QLatin1Char('\n');
            break;
        }
    }
    return t;
}

bool NoiseResult::writeCsv(QIODevice* out) const
{
    QStringList lines;
    lines << QStringLiteral("tau_s,gx_deg_h,gy_deg_h,gz_deg_h,ax_mg,ay_mg,az_mg");
    for (size_t i = 0; i < tau.size(); ++i) {
        QStringList cells { cell(tau[i]) };
        for (int c = 0; c < kChannels; ++c)
            cells << cell(i < adev[size_t(c)].size() ? adev[size_t(c)][i] : NAN);
        lines << cells.join(QLatin1Char(','));
    }
    lines << QString() << QStringLiteral("figure,x,y,z,unit");
    const auto row = [&lines](const char* name, const char* unit, int first, auto figure) {
        QStringList cells { QLatin1String(name) };
        for (int c = first; c < first + 3; ++c)
            cells << cell(figure(c));
        cells << QLatin1String(unit);
        lines << cells.join(QLatin1Char(','));
    };
    row("angle_random_walk", "deg/sqrt(h)", Gx, [this](int c) { return angleRandomWalk(c); });
    const auto bias = [this](int c) { return biasInstability(c); };
    const auto tauOfBias = [this](int c) { return minimum[size_t(c)].tau; };
    const auto bounded = [this](int c) { return biasIsUpperBound(c) ? 1.0 : 0.0; };
    row("gyro_bias_instability", "deg/h", Gx, bias);
    row("gyro_bias_instability_tau", "s", Gx, tauOfBias);
    row("velocity_random_walk", "m/s/sqrt(h)", Ax, [this](int c) { return velocityRandomWalk(c); });
    row("accel_bias_instability", "mg", Ax, bias);
    row("accel_bias_instability_tau", "s", Ax, tauOfBias);
    // 1 where the figure is only an upper bound (the page's "≤").
    row("gyro_bias_instability_upper_bound", "", Gx, bounded);
    row("accel_bias_instability_upper_bound", "", Ax, bounded);
    lines << QString() << QStringLiteral("rate_hz,%1").arg(cell(rateHz))
          << QStringLiteral("samples,%1").arg(samples)
          << QStringLiteral("at_rest,%1").arg(atRest ? 1 : 0)
          << QStringLiteral("continuous,%1").arg(continuous() ? 1 : 0);
    const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    return out->write(bytes) == bytes.size();
}

} // namespace gcs
