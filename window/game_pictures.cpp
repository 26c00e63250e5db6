// SPDX-License-Identifier: GPL-3.0-or-later
// An unknown name is a mistake in the layout; it throws when the window is
// built or first painted, never later in a round.
#include "game_pictures.h"

#include <stdexcept>
#include <string>

#include "picture_table.h"
#include "pictures.h"
#include "window_icon.h"

namespace galgen {

namespace {

Picture picture(std::string_view name)
{
    const auto table = pictureTable();
    return static_cast<Picture>(&pictureEntry(name) - table.data());
}

}  // namespace

QImage GamePictures::render(std::string_view name, qreal devicePixelRatio) const
{
    return renderPicture(picture(name), devicePixelRatio);
}

QString GamePictures::description(std::string_view name) const { return pictureDescription(picture(name)); }

QIcon GamePictures::icon(std::string_view name) const
{
    if (picture(name) != Picture::GallowsIcon)
        throw std::invalid_argument("not an icon: " + std::string(name));
    return windowIcon();
}

}  // namespace galgen
