// SPDX-License-Identifier: GPL-3.0-or-later
// One element per control, placed by pixel inside the form's ground, so
// that nothing moves whatever the viewport does.
#include "page_markup.h"

#include <cstdio>

#include "colours.h"
#include "fonts.h"

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

// The border's lines as background layers, the topmost first, each a
// gradient of one colour: drawn inside the element, so that it moves
// nothing it holds.
std::string border(const ControlRow& row, const form::PixelRect& place)
{
    const std::span<const form::BorderLine> lines = form::borderLines(row);
    if (lines.empty())
        return {};
    std::string images, positions, sizes;
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const form::PixelRect at = form::placeBorderLine(*line, place.width, place.height);
        const std::string colour = hex(line->colour);
        const std::string_view comma = images.empty() ? "" : ",";
        images.append(comma).append("linear-gradient(" + colour + "," + colour + ")");
        positions.append(comma).append(px(at.left) + " " + px(at.top));
        sizes.append(comma).append(px(at.width) + " " + px(at.height));
    }
    return ";background-image:" + images + ";background-position:" + positions + ";background-size:" + sizes
           + ";background-repeat:no-repeat";
}

// A shortcut as a German keyboard labels it: "Strg+O".
std::string keyLabel(std::string_view shortcut)
{
    std::string label(shortcut);
    for (const auto& [name, german] : {std::pair{"Control+", "Strg+"}, std::pair{"Shift+", "Umschalt+"}})
        if (const std::size_t at = label.find(name); at != std::string::npos)
            label.replace(at, std::string_view(name).size(), german);
    return label;
}

}  // namespace

PageMarkup::PageMarkup(const form::FormLayout& layout, std::string pictureFolder)
    : KeepingToolkit(layout), core_(layout, *this), pictureFolder_(std::move(pictureFolder))
{
}

// The elements of a container stand in the order in which a screen reader
// reads them.
void PageMarkup::children(std::string& out, std::string_view container) const
{
    for (const int control : form::readingOrder(core_.layout(), container))
        element(out, control);
}

std::string PageMarkup::html() const
{
    std::string out;
    children(out, {});
    return out;
}

std::string PageMarkup::menuHtml() const
{
    std::string keys;
    for (const std::string_view key : core_.shortcutKeys())
        keys.append(keys.empty() ? "" : " ").append(key);
    std::string out = Tag("div")("id", "menu")("role", "menu")("aria-label", core_.layout().caption)("hidden")(
                          "data-keys", keys)
                          .str();
    for (const int entry : core_.menu()) {
        const form::MenuEntry& e = core_.menuEntry(entry);
        Tag item("button");
        constexpr std::string_view actions[] = {"click", "open-file", "type-file"};
        item("type", "button")("role", "menuitem")("tabindex", "-1")("data-entry", std::to_string(entry))(
            "data-name", e.name)("data-action", actions[std::size_t(e.action)]);
        if (!e.shortcut.empty())
            item("aria-keyshortcuts", e.shortcut);
        out += item.str() + escaped(e.caption);
        if (!e.shortcut.empty())
            out += "<span class=\"keys\" aria-hidden=\"true\">" + escaped(keyLabel(e.shortcut)) + "</span>";
        out += "</button>";
    }
    out += "</div>";
    const form::FileChoice& choice = core_.layout().fileChoice;
    return out + Tag("input")("type", "file")("id", "file-choice")(
                     "accept", std::string(choice.suffix) + "," + std::string(choice.mediaType))("hidden")(
                     "tabindex", "-1")
                     .str();
}

void PageMarkup::element(std::string& out, int id) const
{
    const ControlRow& row = core_.row(id);
    const std::string& text = KeepingToolkit::text(id);
    Tag tag(tagOf(row));
    tag("class", classOf(row.kind))("data-name", row.name);
    if (!core_.visible(id))
        tag("hidden");
    if (row.border && form::borderLines(row).empty())
        tag("data-border");   // the toolkit's own border (style.css)
    if (!row.description.empty())
        tag("aria-label", row.description);
    if (!row.help.empty())
        tag("aria-description", row.help);
    if (focused() == id)
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
        if (const std::optional<form::Rgb> colour = form::textColour(row))
            out += ";color:" + hex(*colour);
        if (const std::optional<form::Rgb> ground = form::paintedGround(row))
            out += ";background-color:" + hex(*ground);
        out += border(row, place);
        if (row.align == form::Align::Center)
            out += ";text-align:center";
        out += "}\n";
    }
    // Where the player asks for more contrast, the text colours for it.
    std::string darker;
    for (int id = 0; id < core_.size(); ++id)
        if (const std::optional<form::Rgb> colour = form::moreContrastText(layout, id))
            darker += "#form .control[data-name=\"" + std::string(core_.row(id).name) + "\"]{color:" + hex(*colour)
                      + "}\n";
    if (!darker.empty())
        out += "@media (prefers-contrast: more){\n" + darker + "}\n";
    return out;
}

}  // namespace galgen::web
