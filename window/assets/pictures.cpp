// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures.h"

#include "control_rules.h"
#include "layout.h"
#include "widgets.h"

namespace galgen {

namespace {

const form::Picture& entry(std::string_view name) { return form::findPicture(form1Layout(), name); }

QString fromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

QString picturePath(std::string_view name, const QString& folder) { return folder + fromUtf8(entry(name).file); }

QSize pictureSize(std::string_view name) { return {entry(name).width, entry(name).height}; }

QImage renderPicture(std::string_view name, qreal devicePixelRatio, const QString& folder)
{
    return form::renderPicture(picturePath(name, folder), pictureSize(name), devicePixelRatio);
}

QString pictureDescription(std::string_view name) { return fromUtf8(entry(name).description); }

}  // namespace galgen
