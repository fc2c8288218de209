#include "app/TextFile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace gcs {

namespace {

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

bool TextFile::read(const QString& path, QString* content, QString* error, bool* invalidUtf8)
{
    const QString shown = QDir::toNativeSeparators(path);
    if (path.isEmpty()) {
        setError(error, tr("未选择文件"));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        setError(error, tr("无法打开文件：%1（%2）").arg(shown, file.errorString()));
        return false;
    }
    if (file.size() > kMaxBytes) {
        setError(error,
                 tr("文件过大：%1（超过 %2 MB）").arg(shown, QString::number(kMaxBytes >> 20)));
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, tr("无法读取文件：%1（%2）").arg(shown, file.errorString()));
        return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder(bytes);
    if (invalidUtf8)
        *invalidUtf8 = decoder.hasError();
    if (content)
        *content = text;
    return true;
}

bool TextFile::write(const QString& path, const QString& content, QString* error)
{
    if (path.isEmpty()) {
        setError(error, tr("未选择保存位置"));
        return false;
    }
    const QString shown = QDir::toNativeSeparators(path);
    // Written next to the target and moved over it at the end, so a full disk or a
    // vanished folder never leaves half a file where the old one was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        setError(error, tr("无法写入文件：%1（%2）").arg(shown, file.errorString()));
        return false;
    }
    const QByteArray bytes = content.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, tr("无法写入文件：%1（%2）").arg(shown, file.errorString()));
        return false;
    }
    return true;
}

} // namespace gcs
