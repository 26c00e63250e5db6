// SPDX-License-Identifier: GPL-3.0-or-later
// Writes Form1's pictures as PNGs through the program's own rendering,
// outside the game: every picture of its list at the given densities, for
// reviewing the artwork, or the icon as squares, for the window's icon and
// the desktop's. The drawings are read from the source folder.
//   galgen_render_pictures DIR [RATIO...]        DIR/<name>@<ratio>x.png (default ratio 1);
//                                                prints the names, the icon's first
//   galgen_render_pictures --icons DIR SIZE...   DIR/<icon>-<size>.png
// An icon square holds the picture fitted to its height and centred, the
// sides left transparent.
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "control_rules.h"
#include "layout.h"
#include "pictures.h"

namespace {

const QString drawings = QStringLiteral(GALGEN_PICTURE_DIR "/");

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

bool save(const QImage& image, const QString& path)
{
    if (image.save(path))
        return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

int renderPictures(const QDir& dir, QStringList ratios)
{
    if (ratios.isEmpty())
        ratios << QStringLiteral("1");
    const galgen::form::FormLayout& layout = galgen::form1Layout();
    std::printf("%s\n", std::string(layout.icon).c_str());
    for (const galgen::form::Picture& picture : layout.pictures) {
        if (picture.name != layout.icon)
            std::printf("%s\n", std::string(picture.name).c_str());
        for (const QString& ratio : ratios) {
            const qreal dpr = ratio.toDouble();
            if (dpr <= 0) {
                std::fprintf(stderr, "bad ratio %s\n", qPrintable(ratio));
                return 2;
            }
            const QString file = fromUtf8(picture.name) + '@' + ratio + "x.png";
            if (!save(galgen::renderPicture(picture.name, dpr, drawings), dir.filePath(file)))
                return 1;
        }
    }
    return 0;
}

int renderIcons(const QDir& dir, const QStringList& sizes)
{
    const galgen::form::FormLayout& layout = galgen::form1Layout();
    const galgen::form::Picture& icon = galgen::form::findPicture(layout, layout.icon);
    QSvgRenderer svg(drawings + fromUtf8(icon.file));
    for (const QString& arg : sizes) {
        const int size = arg.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "bad size %s\n", qPrintable(arg));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const qreal width = qreal(size) * icon.width / icon.height;
        QPainter painter(&image);
        svg.render(&painter, QRectF((size - width) / 2, 0, width, size));
        painter.end();
        if (!save(image, dir.filePath(QStringLiteral("%1-%2.png").arg(fromUtf8(icon.name)).arg(size))))
            return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // No window is shown, so no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool icons = !args.isEmpty() && args.front() == QStringLiteral("--icons");
    if (icons)
        args.removeFirst();
    if (args.isEmpty() || (icons && args.size() < 2)) {
        std::fprintf(stderr, "usage: galgen_render_pictures DIR [RATIO...]\n"
                             "       galgen_render_pictures --icons DIR SIZE...\n");
        return 2;
    }
    const QDir dir(args.front());
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(args.front()));
        return 1;
    }
    return icons ? renderIcons(dir, args.mid(1)) : renderPictures(dir, args.mid(1));
}
