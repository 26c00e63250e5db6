// SPDX-License-Identifier: GPL-3.0-or-later
// The game's picture source: the names the layout uses for its pictures,
// resolved to the artwork's drawings.
#pragma once

#include "engine/picture_source.h"

namespace galgen {

class GamePictures final : public form::PictureSource {
public:
    QImage render(std::string_view name, qreal devicePixelRatio) const override;
    QString description(std::string_view name) const override;
    QIcon icon(std::string_view name) const override;
};

}  // namespace galgen
