// Paints the program's own artwork into the QML module's assets folder, and with
// --desktop the application icon for installs (packaging/icons). The images are
// committed; run this again (cmake --build build --target telvo-artwork, then
// QT_QPA_PLATFORM=offscreen build/bin/telvo-artwork qml/Corvane/GCS/assets, and
// build/bin/telvo-artwork --desktop packaging/icons) only to change them.
#include "Artwork.h"
#include "DesktopIcons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

// Line icons come in several inks: light for the dark themes, dark for the light theme,
// and each theme's highlight accent for the selected navigation entry and the page title.
struct Ink
{
    const char* suffix;
    const char* colour;
};
const Ink kInks[] = {
    { "light", "#c9d8e6" },        { "dark", "#33475c" },         { "accent-defense", "#4898e8" },
    { "accent-polar", "#66acd0" }, { "accent-chart", "#2d83d9" }, { "accent-ephemeris", "#9680ee" },
};

// Sizes are twice what the shell shows, so the images stay sharp on scaled screens.
constexpr int kIconSize = 48;
constexpr int kBrandSize = 72;
constexpr int kShowcaseWidth = 320;
constexpr int kShowcaseHeight = 200;

bool save(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!image.save(path, "PNG", 0)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// All images on a dark and on a light strip, to look at them together before committing.
QImage contactSheet()
{
    const QStringList icons = artwork::navIconNames();
    const QStringList models = artwork::showcaseModels();
    const int w = 40 + int(models.size()) * 170;
    QImage sheet(w, 2 * 260, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&sheet);
    for (int band = 0; band < 2; ++band) {
        const bool light = band == 1;
        const int top = band * 260;
        p.fillRect(QRect(0, top, w, 260), QColor(light ? "#e9eef3" : "#060b14"));
        p.drawImage(QRect(20, top + 16, 64, 64), artwork::paintAppIcon(256));
        p.drawImage(QRect(100, top + 30, 36, 36), artwork::paintBrandMark(kBrandSize));
        int x = 160;
        for (const QString& name : icons) {
            for (const Ink& ink : kInks) {
                const QLatin1String suffix(ink.suffix);
                if (suffix == QLatin1String(light ? "light" : "dark")
                    || (suffix.startsWith(QLatin1String("accent"))
                        && suffix != QLatin1String(light ? "accent-chart" : "accent-defense")))
                    continue;
                p.drawImage(QRect(x, top + 36, 24, 24),
                            artwork::paintNavIcon(name, QColor(ink.colour), kIconSize));
                x += 30;
            }
        }
        for (int i = 0; i < models.size(); ++i) {
            p.drawImage(QRect(20 + i * 170, top + 100, 160, 100),
                        artwork::paintShowcase(models.at(i), kShowcaseWidth, kShowcaseHeight));
        }
    }
    return sheet;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String("--sheet"))
        return contactSheet().save(args.at(2), "PNG") ? 0 : 1;
    if (args.size() == 3 && args.at(1) == QLatin1String("--desktop"))
        return artwork::writeDesktopIcons(QDir(args.at(2)), QStringLiteral("telvomonitor")) ? 0 : 1;
    if (args.size() != 2) {
        std::fprintf(stderr,
                     "usage: telvo-artwork ASSETS_DIR | --sheet FILE.png | --desktop ICON_DIR\n");
        return 2;
    }
    QDir dir(args.at(1));
    dir.mkpath(QStringLiteral("."));

    bool ok = save(artwork::paintAppIcon(256), dir, QStringLiteral("app-icon.png"));
    ok = save(artwork::paintBrandMark(kBrandSize), dir, QStringLiteral("brand-mark.png")) && ok;
    for (const QString& name : artwork::navIconNames()) {
        for (const Ink& ink : kInks) {
            const QString file = QStringLiteral("icons/%1-%2.png").arg(name, ink.suffix);
            ok = save(artwork::paintNavIcon(name, QColor(ink.colour), kIconSize), dir, file) && ok;
        }
    }
    for (const QString& model : artwork::showcaseModels()) {
        const QString file = QStringLiteral("products/%1-showcase.png").arg(model);
        ok = save(artwork::paintShowcase(model, kShowcaseWidth, kShowcaseHeight), dir, file) && ok;
    }
    return ok ? 0 : 1;
}
