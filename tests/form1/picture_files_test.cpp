// SPDX-License-Identifier: GPL-3.0-or-later
// The drawings the build ships (every SVG in form1/pictures/) are the files
// Form1's picture list names, and the one the build makes the icons of is
// the layout's icon.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "control_rules.h"
#include "layout.h"

namespace galgen {
namespace {

TEST(Form1, PictureListNamesTheDrawingsTheBuildShips)
{
    const form::FormLayout& layout = form1Layout();
    std::set<std::string> listed, shipped;
    for (const form::Picture& picture : layout.pictures)
        listed.emplace(picture.file);
    std::istringstream files(GALGEN_PICTURE_FILES);
    for (std::string file; files >> file;)
        shipped.insert(file);
    EXPECT_EQ(listed, shipped);
    EXPECT_EQ(form::findPicture(layout, layout.icon).file, GALGEN_ICON_DRAWING);
}

}  // namespace
}  // namespace galgen
