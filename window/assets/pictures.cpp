// SPDX-License-Identifier: GPL-3.0-or-later
// Looks up and renders the window's pictures. The SVGs live in the
// pictures.qrc resource; renderPicture draws one straight into an image of
// the requested resolution, so a 2x image is drawn, never scaled up.
#include "pictures.h"

#include <QPainter>
#include <QSvgRenderer>

#include "picture_table.h"

// The resource lives in a static library; naming its initialiser here makes
// the linker keep it in every program that uses the pictures. The macro must
// stand outside any namespace.
static void initPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace galgen {
namespace {

const PictureEntry &entry(Picture picture)
{
    static const bool resourcesReady = (initPictureResources(), true);
    (void)resourcesReady;
    return pictureTable()[static_cast<std::size_t>(picture)];
}

}  // namespace

QSize pictureSize(Picture picture) { return {entry(picture).width, entry(picture).height}; }

QString pictureResource(Picture picture)
{
    const std::string_view file = entry(picture).file;
    return QStringLiteral(":/pictures/") + QString::fromLatin1(file.data(), qsizetype(file.size()));
}

QString pictureDescription(Picture picture)
{
    const std::string_view description = entry(picture).description;
    return QString::fromUtf8(description.data(), qsizetype(description.size()));
}

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
