#include "DesktopIcons.h"

#include "Artwork.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace artwork {

namespace {

constexpr int kThemeSizes[] = { 16, 22, 24, 32, 48, 64, 128, 256, 512 };
constexpr int kWindowsSizes[] = { 16, 24, 32, 48, 64, 256 };

void putU16(QByteArray& out, quint16 v)
{
    out.append(char(v & 0xff));
    out.append(char(v >> 8));
}

void putU32(QByteArray& out, quint32 v)
{
    putU16(out, quint16(v & 0xffff));
    putU16(out, quint16(v >> 16));
}

// A BITMAPINFOHEADER, the colour rows bottom-up in BGRA, then the 1-bit mask (set where
// the image is fully transparent) that older readers draw with; the header's height
// counts both.
QByteArray iconBitmap(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;
    QByteArray out;
    putU32(out, 40);
    putU32(out, quint32(w));
    putU32(out, quint32(2 * h));
    putU16(out, 1);
    putU16(out, 32);
    putU32(out, 0);
    putU32(out, quint32(w * h * 4 + maskStride * h));
    for (int i = 0; i < 4; ++i)
        putU32(out, 0);
    for (int y = h - 1; y >= 0; --y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            putU32(out, row[x]); // 0xAARRGGBB little-endian is B, G, R, A
    }
    for (int y = h - 1; y >= 0; --y) {
        QByteArray mask(maskStride, '\0');
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (qAlpha(row[x]) == 0)
                mask[x / 8] = char(mask.at(x / 8) | (0x80 >> (x % 8)));
        }
        out.append(mask);
    }
    return out;
}

// Empty when the image cannot be encoded.
QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG", 0))
        return {};
    return bytes;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "cannot encode %s\n", qPrintable(path));
        return false;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

QByteArray windowsIcon(const QList<QImage>& images)
{
    QList<QByteArray> bodies;
    for (const QImage& image : images) {
        bodies << (image.width() >= 256 ? pngBytes(image) : iconBitmap(image));
        if (bodies.constLast().isEmpty())
            return {};
    }
    QByteArray out;
    putU16(out, 0);
    putU16(out, 1); // an icon, not a cursor
    putU16(out, quint16(images.size()));
    quint32 offset = quint32(6 + 16 * images.size());
    for (int i = 0; i < images.size(); ++i) {
        const int side = images.at(i).width();
        out.append(char(side >= 256 ? 0 : side)); // 0 stands for 256
        out.append(char(side >= 256 ? 0 : side));
        out.append(char(0));
        out.append(char(0));
        putU16(out, 1);
        putU16(out, 32);
        putU32(out, quint32(bodies.at(i).size()));
        putU32(out, offset);
        offset += quint32(bodies.at(i).size());
    }
    for (const QByteArray& body : bodies)
        out.append(body);
    return out;
}

bool writeDesktopIcons(const QDir& dir, const QString& name)
{
    bool ok = true;
    for (int size : kThemeSizes) {
        const QString path
            = dir.filePath(QStringLiteral("hicolor/%1x%1/apps/%2.png").arg(size).arg(name));
        ok = writeFile(path, pngBytes(paintAppIcon(size))) && ok;
    }
    QList<QImage> images;
    for (int size : kWindowsSizes)
        images << paintAppIcon(size);
    return writeFile(dir.filePath(name + QStringLiteral(".ico")), windowsIcon(images)) && ok;
}

} // namespace artwork
