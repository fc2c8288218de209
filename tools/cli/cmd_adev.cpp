// telvo-cli adev: the noise analysis of a recording made at rest.
#include "CliCommand.h"

#include "analysis/NoiseAnalysis.h"
#include "i18n/Language.h"

#include <QCommandLineParser>
#include <QJsonDocument>

#include <cmath>

namespace {

int runAdev(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("adev"),
    QT_TRANSLATE_NOOP("telvo-cli", "静止时所录数据的 Allan 方差与噪声指标"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli adev [--rate HZ] [--json] CAPTURE\n"
        "\n"
        "读取 CAPTURE（一次记录的消息记录或原始数据文件）中每条记录的陀螺与加计值，\n"
        "对六个通道分别计算重叠 Allan 方差，簇时间取 1、2、4……个采样，每十倍程另取约\n"
        "十个，直到容不下十个簇为止；再从曲线读出噪声指标：角度随机游走（deg/sqrt(h)）\n"
        "与速度随机游走（m/s/sqrt(h)）取自 tau = 1 s 处过白噪声区的 -1/2 斜率直线，零偏\n"
        "不稳定性（deg/h、mg）为曲线最小值除以 0.664。陀螺曲线单位为 deg/h，加计曲线\n"
        "单位为 mg。同时说明设备是否静止（运动中录得的数据，其指标没有意义），以及记录\n"
        "是否连续（丢帧或设备被拔出同样会使曲线失真）。标有“≤”的零偏不稳定性只是上界：\n"
        "曲线在最长的 tau 处仍在下降。\n"
        "\n"
        "选项：\n"
        "  --rate HZ  采样率；默认从消息记录的主机时间得出（原始数据文件没有时间，须给出\n"
        "             此选项）\n"
        "  --json     改为输出一个 JSON 对象：rate_hz、samples、tau (s)、adev {gx、gy、gz\n"
        "             单位 deg/h，ax、ay、az 单位 mg，每个 tau 一个值}、arw_deg_sqrt_h 与\n"
        "             bias_instability_deg_h {gx, gy, gz}、vrw_m_s_sqrt_h 与\n"
        "             accel_bias_instability_mg {ax, ay, az}、bias_instability_tau_s、\n"
        "             at_rest、rest_reason，文件中断时另有 warning，然后是\n"
        "             bias_instability_upper_bound {全部六个，上界为 true}、continuous 与\n"
        "             gap_reason；无法得出的指标为 null\n"
        "  --help     显示本说明\n"
        "\n"
        "退出状态：0 得出结果；1 文件无法读取或分析（记录太少、没有采样率）；2 参数错误；\n"
        "3 文件在故障处中断（结果只含故障之前的部分）。"),
    { cli::valued(QStringLiteral("rate"), QStringLiteral("HZ")),
      cli::flag(QStringLiteral("json")) },
    runAdev,
};

const cli::CliRegistration kRegistration(kCommand);

int runAdev(const QCommandLineParser& args)
{
    const bool json = args.isSet(QStringLiteral("json"));
    // What a script reads stays the same in every locale, the messages inside the JSON
    // ("error", the reasons and the warning) included: they, and so this run's other messages, are
    // the source texts.
    if (json)
        gcs::language::apply(gcs::language::kChinese);
    double rate = 0;
    if (args.isSet(QStringLiteral("rate"))) {
        bool ok = false;
        rate = args.value(QStringLiteral("rate")).toDouble(&ok);
        if (!ok || !std::isfinite(rate) || rate <= 0)
            return cli::usageError(
                kCommand, QCoreApplication::translate("telvo-cli", "--rate 必须是大于 0 的数"));
    }
    const QStringList files = args.positionalArguments();
    if (const int error = cli::oneCapture(kCommand, files))
        return error;
    const gcs::NoiseResult result = gcs::NoiseAnalysis::run(files.first(), rate);
    if (!result.ok) {
        cli::printErr(QStringLiteral("telvo-cli adev: ") + result.error);
        return 1;
    }
    if (json)
        cli::printOut(
            QString::fromUtf8(QJsonDocument(result.toJson()).toJson(QJsonDocument::Compact)));
    else
        cli::writeOut(result.toText().toUtf8());
    if (!result.atRest)
        cli::printErr(QStringLiteral("telvo-cli adev: ")
                      + QCoreApplication::translate("telvo-cli", "设备不是静止的：%1")
                            .arg(result.restReason));
    if (!result.continuous())
        cli::printErr(QStringLiteral("telvo-cli adev: ")
                      + QCoreApplication::translate("telvo-cli", "记录有间断，已按连续数据分析：%1")
                            .arg(result.gapReason));
    if (!result.warning.isEmpty()) {
        cli::printErr(QStringLiteral("telvo-cli adev: ") + result.warning);
        return 3;
    }
    return 0;
}

} // namespace
