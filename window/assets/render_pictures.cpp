// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the pictures as PNGs through the program's own rendering, outside
// the game: every picture at the given densities, for reviewing the artwork,
// or the gallows icon as squares, for the window's icon and the desktop's.
//   galgen_render_pictures DIR [RATIO...]        DIR/<name>@<ratio>x.png (default ratio 1)
//   galgen_render_pictures --icons DIR SIZE...   DIR/gallows-<size>.png
// An icon square holds the picture fitted to its height and centred, the
// sides left transparent.
#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

namespace {

using galgen::Picture;

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
    for (Picture picture : {Picture::GallowsIcon, Picture::CondemnedLedAway, Picture::HangedMan,
                            Picture::Executioner, Picture::Acquittal}) {
        const QString name = QFileInfo(galgen::pictureResource(picture)).completeBaseName();
        for (const QString& ratio : ratios) {
            const qreal dpr = ratio.toDouble();
            if (dpr <= 0) {
                std::fprintf(stderr, "bad ratio %s\n", qPrintable(ratio));
                return 2;
            }
            if (!save(galgen::renderPicture(picture, dpr), dir.filePath(name + '@' + ratio + "x.png")))
                return 1;
        }
    }
    return 0;
}

int renderIcons(const QDir& dir, const QStringList& sizes)
{
    QSvgRenderer svg(galgen::pictureResource(Picture::GallowsIcon));
    const QSizeF picture = galgen::pictureSize(Picture::GallowsIcon);
    for (const QString& arg : sizes) {
        const int size = arg.toInt();
        if (size <= 0) {
            std::fprintf(stderr, "bad size %s\n", qPrintable(arg));
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        const qreal width = size * picture.width() / picture.height();
        QPainter painter(&image);
        svg.render(&painter, QRectF((size - width) / 2, 0, width, size));
        painter.end();
        if (!save(image, dir.filePath(QStringLiteral("gallows-%1.png").arg(size))))
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
