// SPDX-License-Identifier: GPL-3.0-or-later
// What the control kinds do: the checks of a display command, the stacking,
// tab and reading orders, where a control lies, and the text colours for
// more contrast.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "colours.h"
#include "control_rules.h"
#include "error_of.h"
#include "test_form.h"

namespace galgen::form {
namespace {

using testing::testForm;

const ControlRow& row(std::string_view name)
{
    for (const ControlRow& r : testForm.controls)
        if (r.name == name)
            return r;
    throw std::logic_error("no row");
}

std::vector<std::string> names(const std::vector<int>& controls)
{
    std::vector<std::string> result;
    for (const int control : controls)
        result.emplace_back(testForm.controls[std::size_t(control)].name);
    return result;
}

TEST(ControlRules, DisplayCommandsFitTheKind)
{
    const Text some = Text::fromUtf8("x");
    struct Case {
        DisplayCommand command;
        const ControlRow* row;
        std::optional<Change> change;   // none: the failed-display-command error
    };
    const std::vector<Case> cases = {
        {{"label", Property::Caption, some}, &row("label"), Change::LabelCaption},
        {{"button", Property::Caption, some}, &row("button"), Change::ButtonCaption},
        {{"box", Property::Text, some}, &row("box"), Change::BoxText},
        {{"shape", Property::Visible, false}, &row("shape"), Change::Visible},
        {{"panel", Property::Visible, true}, &row("panel"), Change::Visible},
        {{"nothing", Property::Visible, false}, nullptr, std::nullopt},
        {{"box", Property::Caption, some}, &row("box"), std::nullopt},          // a text box has a Text
        {{"label", Property::Text, some}, &row("label"), std::nullopt},         // a label has a Caption
        {{"button", Property::Text, some}, &row("button"), std::nullopt},       // and so has a button
        {{"shape", Property::Caption, some}, &row("shape"), std::nullopt},      // a shape has neither
        {{"panel", Property::Text, some}, &row("panel"), std::nullopt},
        {{"box", Property::Visible, some}, &row("box"), std::nullopt},          // visibility is a truth value
        {{"label", Property::Caption, true}, &row("label"), std::nullopt},      // a caption is a text
    };
    for (const Case& c : cases) {
        if (c.change) {
            EXPECT_EQ(checkCommand(c.command, c.row).change, *c.change) << c.command.control;
        } else {
            EXPECT_EQ(testing::errorOf([&] { checkCommand(c.command, c.row); }), ErrorKind::DisplayFailed)
                << c.command.control;
        }
    }
}

TEST(ControlRules, OrdersOfTabReadingAndStacking)
{
    EXPECT_EQ(names(tabOrder(testForm)), (std::vector<std::string>{"label", "box", "button", "cover", "panel"}));
    EXPECT_EQ(names(readingOrder(testForm, "")), (std::vector<std::string>{"label", "box", "button", "cover", "panel"}));
    EXPECT_EQ(names(readingOrder(testForm, "panel")), (std::vector<std::string>{"picture", "shape"}));
    // Painted kinds lowest; within each layer the first listed on top.
    EXPECT_EQ(names(stackingOrder(testForm)),
              (std::vector<std::string>{"label", "shape", "box", "picture", "panel", "button", "cover"}));
}

TEST(ControlRules, PlacesInPixels)
{
    const PixelRect box = pixelRect(row("box"));
    EXPECT_EQ(std::vector({box.left, box.top, box.width, box.height}), std::vector({40, 0, 20, 20}));
    EXPECT_TRUE(box.contains(40, 0));
    EXPECT_TRUE(box.contains(59, 19));
    EXPECT_FALSE(box.contains(60, 10));
    EXPECT_FALSE(box.contains(50, 20));

    // A line's box holds half its pen and the round ends on every side.
    const ControlRow line{.kind = Kind::Line, .x1 = 150, .y1 = 300, .x2 = 75, .y2 = 300, .lineWidth = 4};
    const PixelRect lineBox = pixelRect(line);
    const LinePlacement place = placeLine(line);
    EXPECT_EQ(std::vector({lineBox.left, lineBox.top, lineBox.width, lineBox.height}), std::vector({2, 17, 12, 7}));
    EXPECT_EQ(std::vector({place.x1, place.y1, place.x2, place.y2}), std::vector({8, 3, 3, 3}));
}

// On a light yellow form: each text colour darkened to 7:1 against what
// it stands on, the label's own ground where it paints one (the layout's
// red on light yellow gives #ad0000), else its container's.
TEST(ControlRules, TextColoursForMoreContrast)
{
    constexpr Rgb red{255, 0, 0}, green{0, 128, 0}, darkGreen{0, 64, 0}, white{255, 255, 255},
        grey{224, 224, 224}, lightYellow{255, 255, 128};
    const ControlRow controls[] = {
        {.name = "own", .kind = Kind::Label, .foreColor = red, .backColor = lightYellow},
        {.name = "panel", .kind = Kind::Frame, .backColor = white},
        {.name = "clear", .kind = Kind::Label, .container = "panel", .foreColor = green, .backColor = grey,
         .opaque = false},
        {.name = "dark", .kind = Kind::Label, .container = "panel", .foreColor = darkGreen},
        {.name = "onForm", .kind = Kind::Label, .foreColor = green},
        {.name = "line", .kind = Kind::Line, .foreColor = red},
    };
    const FormLayout form{.backColor = lightYellow, .controls = controls};
    const std::optional<Rgb> darker[] = {Rgb{0xad, 0, 0}, std::nullopt, Rgb{0, 0x68, 0}, std::nullopt,
                                         Rgb{0, 0x63, 0}, std::nullopt};
    for (int control = 0; control < int(std::size(controls)); ++control)
        EXPECT_EQ(moreContrastText(form, control), darker[control]) << controls[control].name;
    EXPECT_NEAR(contrast(red, lightYellow), 3.78, 0.005);
}

TEST(ControlRules, FindsPicturesByName)
{
    EXPECT_EQ(findPicture(testForm, "bild").file, "bild.svg");
    EXPECT_EQ(testing::errorOf([] { findPicture(testForm, "foto"); }), ErrorKind::Internal);
}

}  // namespace
}  // namespace galgen::form
