// SPDX-License-Identifier: GPL-3.0-or-later
// Looks up and renders the window's pictures. The SVGs live in the
// pictures.qrc resource; renderPicture draws one straight into an image of
// the requested resolution, so a 2x image is drawn, never scaled up.
#include "pictures.h"

#include <QPainter>
#include <QSvgRenderer>

// The resource lives in a static library; naming its initialiser here makes
// the linker keep it in every program that uses the pictures. The macro must
// stand outside any namespace.
static void initPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace galgen {
namespace {

struct Entry {
    QSize size;
    const char *resource;
    const char *description;
};

const Entry &entry(Picture picture)
{
    static const Entry entries[] = {
        {{500, 561}, ":/pictures/gallows.svg", "Galgen"},
        {{76, 116}, ":/pictures/condemned-led-away.svg", "Der Verurteilte wird abgeführt"},
        {{41, 124}, ":/pictures/hanged-man.svg", "Der Gehängte"},
        {{45, 128}, ":/pictures/executioner.svg", "Der Henker"},
        {{189, 180}, ":/pictures/acquittal.svg", "Freispruch"},
    };
    static const bool resourcesReady = (initPictureResources(), true);
    (void)resourcesReady;
    return entries[static_cast<int>(picture)];
}

}  // namespace

QSize pictureSize(Picture picture) { return entry(picture).size; }

QString pictureResource(Picture picture) { return QString::fromLatin1(entry(picture).resource); }

QString pictureDescription(Picture picture) { return QString::fromUtf8(entry(picture).description); }

QImage renderPicture(Picture picture, qreal devicePixelRatio)
{
    const QSize size = pictureSize(picture);
    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    // Left transparent: every drawing paints its own ground, and a picture
    // that failed to load shows as a gap rather than a plausible white box.
    image.fill(Qt::transparent);
    QSvgRenderer renderer(pictureResource(picture));
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), size));
    return image;
}


}  // namespace galgen
