// SPDX-License-Identifier: GPL-3.0-or-later
// One element per control, placed by pixel inside the form's ground, so
// that nothing moves whatever the viewport does.
#include "page_markup.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>

#include "fonts.h"
#include "text.h"

namespace galgen::web {

using form::ControlRow;
using form::Kind;
using form::toPixels;

namespace {

std::string px(int pixels) { return std::to_string(pixels) + "px"; }

std::string hex(form::Rgb c)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.r, c.g, c.b);
    return hex;
}

// WCAG's relative luminance of a colour, and the contrast of two.
double luminance(form::Rgb c)
{
    auto linear = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

double contrast(form::Rgb a, form::Rgb b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The colour darkened, its hue kept, until it stands at least `ratio`
// against the ground.
form::Rgb darkened(form::Rgb colour, form::Rgb ground, double ratio)
{
    for (int step = 255; step > 0 && contrast(colour, ground) < ratio; --step)
        colour = {std::uint8_t(colour.r * step / 256), std::uint8_t(colour.g * step / 256),
                  std::uint8_t(colour.b * step / 256)};
    return colour;
}

// Text for an attribute's value or an element's content.
std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

// An element's opening tag, written attribute by attribute.
class Tag {
public:
    explicit Tag(std::string_view name) : text_("<" + std::string(name)) {}
    Tag& operator()(std::string_view name, std::string_view value)
    {
        text_.append(" ").append(name).append("=\"").append(escaped(value)).append("\"");
        return *this;
    }
    Tag& operator()(std::string_view flag)
    {
        text_.append(" ").append(flag);
        return *this;
    }
    std::string str() const { return text_ + ">"; }

private:
    std::string text_;
};

std::string_view tagOf(const ControlRow& row)
{
    switch (row.kind) {
    case Kind::TextBox: return "input";
    case Kind::CommandButton: return "button";
    case Kind::Line: return "svg";
    case Kind::Label: return row.heading ? "h1" : "div";
    default: return "div";
    }
}

std::string_view classOf(Kind kind)
{
    switch (kind) {
    case Kind::Label: return "control label";
    case Kind::TextBox: return "control textbox";
    case Kind::CommandButton: return "control button";
    case Kind::Frame: return "control frame";
    case Kind::PictureBox: return "control picture";
    case Kind::Shape: return "control shape";
    case Kind::Line: return "control line";
    }
    return "control";
}

}  // namespace

PageMarkup::PageMarkup(const form::FormLayout& layout, std::string pictureFolder)
    : core_(layout, *this), pictureFolder_(std::move(pictureFolder))
{
    for (const ControlRow& row : layout.controls)
        texts_.emplace_back(row.text);
}

void PageMarkup::carryOut(int control, const form::CheckedCommand& command)
{
    if (command.change != form::Change::Visible)
        texts_[std::size_t(control)] = command.text->toUtf8();
}

// The elements of a container stand in tab order, the order in which a
// screen reader reads them; those without a tab position follow in the
// layout's order.
void PageMarkup::children(std::string& out, std::string_view container) const
{
    std::vector<int> children;
    for (int control = 0; control < core_.size(); ++control)
        if (core_.row(control).container == container)
            children.push_back(control);
    auto tabKey = [this](int control) {
        const int tab = core_.row(control).tabIndex;
        return tab < 0 ? INT_MAX : tab;
    };
    std::stable_sort(children.begin(), children.end(), [&](int a, int b) { return tabKey(a) < tabKey(b); });
    for (int control : children)
        element(out, control);
}

std::string PageMarkup::html() const
{
    std::string out;
    children(out, {});
    return out;
}

void PageMarkup::element(std::string& out, int id) const
{
    const ControlRow& row = core_.row(id);
    const std::string& text = texts_[std::size_t(id)];
    Tag tag(tagOf(row));
    tag("class", classOf(row.kind))("data-name", row.name);
    if (!core_.visible(id))
        tag("hidden");
    if (row.border)
        tag("data-border");
    if (!row.description.empty())
        tag("aria-label", row.description);
    if (!row.help.empty())
        tag("aria-description", row.help);
    if (focus_ == id)
        tag("autofocus");
    // For the page's script before the engine is ready (loader.js): which
    // elements a press may focus, and which key stands for a click.
    if (form::canTakeFocus(row.kind) && row.enabled)
        tag("data-focusable");
    if (!row.shortcut.empty())
        tag("data-shortcut", row.shortcut);

    switch (row.kind) {
    case Kind::TextBox:
        tag("type", "text")("value", text)("autocomplete", "off")("autocapitalize", "off")("autocorrect", "off")(
            "spellcheck", "false");
        if (!row.enabled) {
            // Not the disabled attribute: a press on a disabled input reaches
            // no listener, so it could not keep the focus in the box beneath.
            tag("readonly")("aria-disabled", "true")("tabindex", "-1");
        }
        out += tag.str();
        return;
    case Kind::CommandButton:
        tag("type", "button");
        if (!row.enabled)
            tag("disabled");
        out += tag.str() + escaped(text) + "</button>";
        return;
    case Kind::Frame:
        out += tag("role", "group").str();
        children(out, row.name);
        out += "</div>";
        return;
    case Kind::PictureBox: {
        // The picture unscaled from the top-left corner, cut at the box's
        // edges; the box, not the image, carries the accessible name. A
        // hidden picture loads after the first paint (loader.js).
        const form::Picture& picture = form::findPicture(core_.layout(), row.picture);
        out += tag("role", "img")("aria-label", picture.description).str();
        out += Tag("img")("src", pictureFolder_ + std::string(picture.file))("width", std::to_string(picture.width))(
                   "height", std::to_string(picture.height))("alt", "")("draggable", "false")("loading", "lazy")
                   .str();
        out += "</div>";
        return;
    }
    case Kind::Shape:
        out += tag("role", "img").str() + "</div>";
        return;
    case Kind::Line: {
        const form::LinePlacement line = form::placeLine(row);
        out += tag("width", std::to_string(line.width))("height", std::to_string(line.height))("role", "img").str();
        // The pen runs through the end pixels' centres.
        auto centre = [](int pixel) { return std::to_string(pixel) + ".5"; };
        out += Tag("line")("x1", centre(line.x1))("y1", centre(line.y1))("x2", centre(line.x2))(
                   "y2", centre(line.y2))("stroke", row.foreColor ? hex(*row.foreColor) : "#000000")(
                   "stroke-width", std::to_string(row.lineWidth))("stroke-linecap", "round")
                   .str();
        out += "</line></svg>";
        return;
    }
    case Kind::Label: {
        const std::string_view name = tagOf(row);
        out += tag.str() + escaped(text) + "</" + std::string(name) + ">";
        return;
    }
    }
}

std::string PageMarkup::css() const
{
    const form::FormLayout& layout = core_.layout();
    std::string out = "html{background-color:" + hex(layout.backColor) + "}\n";
    out += "#form{width:" + px(toPixels(layout.clientWidth)) + ";height:" + px(toPixels(layout.clientHeight))
           + ";background-color:" + hex(layout.backColor) + "}\n";
    for (int id = 0; id < core_.size(); ++id) {
        const ControlRow& row = core_.row(id);
        const form::PixelRect place = form::pixelRect(row);
        out += ".control[data-name=\"" + std::string(row.name) + "\"]{z-index:" + std::to_string(core_.level(id))
               + ";left:" + px(place.left) + ";top:" + px(place.top);
        if (row.kind != Kind::Line)
            out += ";width:" + px(place.width) + ";height:" + px(place.height);
        if (!row.font.family.empty())
            out += ";font-family:\"" + std::string(form::substituteFamily(row.font.family))
                   + "\";font-size:" + px(form::pixelSize(row.font)) + ";font-weight:" + std::to_string(row.font.weight);
        if (row.foreColor && row.kind != Kind::Line)
            out += ";color:" + hex(*row.foreColor);
        if (row.backColor && (row.kind != Kind::Label || row.opaque))
            out += ";background-color:" + hex(*row.backColor);
        if (row.align == form::Align::Center)
            out += ";text-align:center";
        out += "}\n";
    }
    // Where the player asks for more contrast, each text colour darkened to
    // 7:1 against the ground it stands on.
    std::string darker;
    for (int id = 0; id < core_.size(); ++id) {
        const ControlRow& row = core_.row(id);
        if (!row.foreColor || row.kind == Kind::Line)
            continue;
        const form::Rgb ground = groundOf(id);
        const form::Rgb colour = darkened(*row.foreColor, ground, 7.0);
        if (hex(colour) != hex(*row.foreColor))
            darker += "#form .control[data-name=\"" + std::string(row.name) + "\"]{color:" + hex(colour) + "}\n";
    }
    if (!darker.empty())
        out += "@media (prefers-contrast: more){\n" + darker + "}\n";
    return out;
}

// What a control's text stands on: its own background where it paints one,
// else its container's, else the form's.
form::Rgb PageMarkup::groundOf(int control) const
{
    for (; control >= 0; control = core_.container(control)) {
        const ControlRow& row = core_.row(control);
        if (row.backColor && (row.kind != Kind::Label || row.opaque))
            return *row.backColor;
    }
    return core_.layout().backColor;
}

}  // namespace galgen::web
