// SPDX-License-Identifier: GPL-3.0-or-later
// Where the form engine gets its pictures from. A form's description names
// its pictures; the program that builds the form says what those names are.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>
#include <string_view>

namespace galgen::form {

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // The picture drawn for that device pixel ratio, carrying the ratio.
    virtual QImage render(std::string_view name, qreal devicePixelRatio) const = 0;
    // What the picture shows, in German, for screen readers.
    virtual QString description(std::string_view name) const = 0;
    virtual QIcon icon(std::string_view name) const = 0;
};

}  // namespace galgen::form
