// telvo-cli export: a capture as a CSV table or a KML track.
#include "CliCommand.h"

#include "capture/CaptureExport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int runExport(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("export"),
    QT_TRANSLATE_NOOP("telvo-cli", "将记录文件的导航记录导出为 CSV，或将其轨迹导出为 KML"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli export [--format csv|kml] [--out FILE] CAPTURE\n"
        "\n"
        "用程序的解码器读取 CAPTURE（原始数据文件，如一次记录的“.bin”，或其消息记录\n"
        "“.txt”），然后写出：\n"
        "  csv   每条导航记录一行：带字节序标记的 UTF-8，一行表头，按 RFC 4180 加引号；\n"
        "        各列为 time（消息记录的主机时间；原始数据文件中为按设备时间标签计、自\n"
        "        第一条记录起的秒数，没有时间标签的格式为空）、format、count、roll、\n"
        "        pitch、yaw、gx、gy、gz、ax、ay、az、temp、lat、lon、alt、ve、vn、vu、\n"
        "        gnss_heading、utc、gnss_status、device_status；记录格式不带的值留空\n"
        "        （IMU：没有姿态、没有位置；只有 imubin 与 ahrsasc 有 count）。设备按\n"
        "        比例发送的值以其比例的小数位写出（纬度与经度的度数为 7 位）。这是默认\n"
        "        格式。\n"
        "  kml   带位置的记录的 GNSS 轨迹，写成 KML 2.2 LineString，起点与终点各有一个\n"
        "        地标；过长的轨迹抽稀到最多 20000 个点，保留第一个与最后一个点。\n"
        "\n"
        "选项：\n"
        "  --format F  csv 或 kml（默认 csv）\n"
        "  --out FILE  写入 FILE，导出完成后它才出现（默认：标准输出）；不能是 CAPTURE\n"
        "              本身\n"
        "  --help      显示本说明\n"
        "\n"
        "退出状态：0 全部导出；1 CAPTURE 无法读取、不是记录文件、没有位置（kml）、FILE\n"
        "就是 CAPTURE 本身，或输出无法写入（附系统给出的原因）；2 参数错误；3 记录文件\n"
        "中断（消息记录中损坏的一行）：故障之前的记录已导出，消息会说明位置。"),
    { cli::valued(QStringLiteral("format"), QStringLiteral("F")),
      cli::valued(QStringLiteral("out"), QStringLiteral("FILE")) },
    runExport,
};

const cli::CliRegistration kRegistration(kCommand);

int runExport(const QCommandLineParser& args)
{
    gcs::CaptureExport::Format format = gcs::CaptureExport::Format::Csv;
    if (const QString value = args.value(QStringLiteral("format"));
        args.isSet(QStringLiteral("format")) && !gcs::CaptureExport::formatFromName(value, format))
        return cli::usageError(
            kCommand,
            QCoreApplication::translate("telvo-cli", "--format 只能是 csv 或 kml，而不是「%1」")
                .arg(value));
    const QString outPath = args.value(QStringLiteral("out"));
    if (args.isSet(QStringLiteral("out")) && outPath.isEmpty())
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "--out 需要一个 FILE"));
    const QStringList files = args.positionalArguments();
    if (const int error = cli::oneCapture(kCommand, files))
        return error;

    gcs::CaptureExport::Result result;
    if (outPath.isEmpty()) {
#ifdef Q_OS_WIN
        // CSV ends its lines with CR LF itself; text mode would double the CR.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return cli::fail(kCommand,
                             QCoreApplication::translate("telvo-cli", "无法写入标准输出"));
        result = gcs::CaptureExport::run(files.first(), &out, format);
        // The last of it is still in the buffers: it may be what does not fit.
        if (!out.flush() && result.ok)
            return cli::fail(kCommand,
                             QCoreApplication::translate("telvo-cli", "无法写入标准输出：%1")
                                 .arg(out.errorString()));
    } else {
        result = gcs::CaptureExport::toFile(files.first(), outPath, format);
    }
    if (!result.ok)
        return cli::fail(kCommand, result.error);
    if (!outPath.isEmpty())
        cli::printErr(
            (format == gcs::CaptureExport::Format::Csv
                 ? QCoreApplication::translate("telvo-cli", "%1 条记录，%2 行已写入 %3")
                 : QCoreApplication::translate("telvo-cli", "%1 条记录，%2 个轨迹点已写入 %3"))
                .arg(QString::number(result.records), QString::number(result.written),
                     QDir::toNativeSeparators(outPath)));
    if (!result.warning.isEmpty()) {
        cli::tell(kCommand, result.warning);
        return 3;
    }
    return 0;
}

} // namespace
