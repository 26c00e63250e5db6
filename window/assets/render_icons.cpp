// Renders the gallows icon as square PNGs, at build time: the window's icon
// (so that showing the window parses no SVG) and the desktop's icons beside
// the scalable one. The picture is fitted to the square's height and
// centred, the sides left transparent.
//   galgen_render_icons DIR SIZE...   writes DIR/gallows-SIZE.png
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "pictures.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: galgen_render_icons DIR SIZE...\n");
        return 2;
    }
    QDir dir(args[1]);
    dir.mkpath(QStringLiteral("."));
    QSvgRenderer svg(galgen::pictureResource(galgen::Picture::GallowsIcon));
    const QSizeF picture = galgen::pictureSize(galgen::Picture::GallowsIcon);
    for (const QString& arg : args.mid(2)) {
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
        const QString path = dir.filePath(QStringLiteral("gallows-%1.png").arg(size));
        if (!image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
