// SPDX-License-Identifier: GPL-3.0-or-later
// Form1's pictures on the desktop, by the names of its list: where they are
// and how they are drawn, for the program, the tests and the render tool.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <string_view>

namespace galgen {

// The folder of the compiled-in drawings, which the program hands to the
// form engine.
inline const QString pictureFolder = QStringLiteral(":/pictures/");

// Where the picture's drawing is.
QString picturePath(std::string_view name, const QString& folder = pictureFolder);

// Size in pixels at a device pixel ratio of 1.
QSize pictureSize(std::string_view name);

// The picture from the drawings in `folder`, as a picture box draws it at
// that device pixel ratio.
QImage renderPicture(std::string_view name, qreal devicePixelRatio = 1.0, const QString& folder = pictureFolder);

// What the picture shows, in German, for screen readers.
QString pictureDescription(std::string_view name);

}  // namespace galgen
