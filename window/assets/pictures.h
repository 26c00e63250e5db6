// SPDX-License-Identifier: GPL-3.0-or-later
// The window's five pictures: the gallows icon and the cartoons shown in the
// picture boxes teil4, teil8, teil9 and teil12. Each is a hand-drawn SVG
// compiled into the program; nothing is rendered until it is asked for.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace galgen {

// In the order of the shared picture table (picture_table.h).
enum class Picture { GallowsIcon, CondemnedLedAway, HangedMan, Executioner, Acquittal };

// Size in pixels at a device pixel ratio of 1.
QSize pictureSize(Picture);

// The ":/..." path of the picture's SVG.
QString pictureResource(Picture);

// Draws the picture at pictureSize * devicePixelRatio device pixels; the
// image carries that ratio, so it paints at pictureSize logical pixels.
QImage renderPicture(Picture, qreal devicePixelRatio = 1.0);

// Short German name of the picture, for accessibility.
QString pictureDescription(Picture);

}  // namespace galgen
