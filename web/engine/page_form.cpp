// SPDX-License-Identifier: GPL-3.0-or-later
// The web form engine: one DOM element per control, placed by pixel inside
// the form's ground, so that nothing moves whatever the viewport does.
#include "page_form.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <set>
#include <vector>

#include "fonts.h"
#include "page.h"
#include "text.h"

namespace galgen::web {

using form::ControlRow;
using form::Kind;
using form::toPixels;

namespace {

PageForm* current_ = nullptr;

std::string px(int pixels) { return std::to_string(pixels) + "px"; }

std::string css(form::Rgb c)
{
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.r, c.g, c.b);
    return hex;
}

// An element's inline style, set in one call to the page.
class Style {
public:
    void add(std::string_view property, std::string_view value)
    {
        text_.append(property).append(":").append(value).append(";");
    }
    void applyTo(int id) const { page_style(id, text_.c_str()); }

private:
    std::string text_;
};

void attribute(int id, const char* name, std::string_view value)
{
    page_attribute(id, name, std::string(value).c_str());
}

const char* tagOf(Kind kind)
{
    switch (kind) {
    case Kind::TextBox: return "input";
    case Kind::CommandButton: return "button";
    case Kind::Line: return "svg";
    default: return "div";
    }
}

const char* classOf(Kind kind)
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

void report(const RuntimeError& error) { page_report_error(error.what()); }

}  // namespace

void guarded(const std::function<void()>& step) { runHandler(step, report); }

PageForm::PageForm(const form::FormLayout& layout, std::string pictureFolder)
    : core_(layout, *this), pictureFolder_(std::move(pictureFolder))
{
    page_begin(std::string(layout.caption).c_str());
    Style page, ground;
    page.add("background-color", css(layout.backColor));
    page.applyTo(-2);
    ground.add("width", px(toPixels(layout.clientWidth)));
    ground.add("height", px(toPixels(layout.clientHeight)));
    ground.add("background-color", css(layout.backColor));
    ground.applyTo(-1);
    build({}, -1);
    page_fit(toPixels(layout.clientWidth), toPixels(layout.clientHeight));
    std::set<std::string_view> shortcuts;
    for (const ControlRow& row : layout.controls)
        if (!row.shortcut.empty() && shortcuts.insert(row.shortcut).second)
            page_shortcut(std::string(row.shortcut).c_str());
    current_ = this;
}

PageForm::~PageForm()
{
    if (current_ == this)
        current_ = nullptr;
}

PageForm* PageForm::current() { return current_; }

// The elements of a container go into the page in tab order, the order in
// which a screen reader reads them; those without a tab position follow in
// the layout's order.
void PageForm::build(std::string_view container, int parent)
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
    for (int control : children) {
        create(control, parent);
        if (core_.row(control).kind == Kind::Frame)
            build(core_.row(control).name, control);
    }
}

void PageForm::create(int id, int parent)
{
    const ControlRow& row = core_.row(id);
    page_create(id, parent, tagOf(row.kind));
    Style style;
    style.add("z-index", std::to_string(core_.level(id)));
    attribute(id, "class", classOf(row.kind));
    attribute(id, "data-name", row.name);
    const form::PixelRect place = form::pixelRect(row);
    style.add("left", px(place.left));
    style.add("top", px(place.top));
    if (row.kind != Kind::Line) {
        style.add("width", px(place.width));
        style.add("height", px(place.height));
    }
    if (!row.font.family.empty()) {
        style.add("font-family", "\"" + std::string(form::substituteFamily(row.font.family)) + "\"");
        style.add("font-size", px(form::pixelSize(row.font)));
        style.add("font-weight", std::to_string(row.font.weight));
    }
    if (row.foreColor && row.kind != Kind::Line)
        style.add("color", css(*row.foreColor));
    if (row.backColor && (row.kind != Kind::Label || row.opaque))
        style.add("background-color", css(*row.backColor));
    if (row.align == form::Align::Center)
        style.add("text-align", "center");
    if (row.border)
        attribute(id, "data-border", "");
    if (!row.description.empty())
        attribute(id, "aria-label", row.description);
    if (!row.help.empty())
        attribute(id, "aria-description", row.help);
    page_text(id, std::string(row.text).c_str());

    // The element numbers after the controls' own are the parts inside them.
    const int part = core_.size() + id;
    switch (row.kind) {
    case Kind::TextBox:
        attribute(id, "type", "text");
        for (const char* off : {"autocomplete", "autocapitalize", "autocorrect"})
            attribute(id, off, "off");
        attribute(id, "spellcheck", "false");
        break;
    case Kind::CommandButton:
        attribute(id, "type", "button");
        break;
    case Kind::Frame:
        attribute(id, "role", "group");
        break;
    case Kind::PictureBox: {
        // The picture unscaled from the top-left corner, cut at the box's
        // edges; the box, not the image, carries the accessible name.
        const form::Picture& picture = form::findPicture(core_.layout(), row.picture);
        attribute(id, "role", "img");
        attribute(id, "aria-label", picture.description);
        page_create(part, id, "img");
        attribute(part, "src", pictureFolder_ + std::string(picture.file));
        attribute(part, "width", std::to_string(picture.width));
        attribute(part, "height", std::to_string(picture.height));
        attribute(part, "alt", "");
        attribute(part, "draggable", "false");
        break;
    }
    case Kind::Shape:
        attribute(id, "role", "img");
        break;
    case Kind::Line: {
        const form::LinePlacement line = form::placeLine(row);
        attribute(id, "width", std::to_string(line.width));
        attribute(id, "height", std::to_string(line.height));
        attribute(id, "role", "img");
        page_create(part, id, "line");
        // The pen runs through the end pixels' centres.
        auto centre = [](int pixel) { return std::to_string(pixel) + ".5"; };
        attribute(part, "x1", centre(line.x1));
        attribute(part, "y1", centre(line.y1));
        attribute(part, "x2", centre(line.x2));
        attribute(part, "y2", centre(line.y2));
        attribute(part, "stroke", row.foreColor ? css(*row.foreColor) : "#000000");
        attribute(part, "stroke-width", std::to_string(row.lineWidth));
        attribute(part, "stroke-linecap", "round");
        break;
    }
    case Kind::Label:
        break;
    }
    style.applyTo(id);
    if (!row.enabled && row.kind == Kind::CommandButton)
        attribute(id, "disabled", "");
    if (!row.enabled && row.kind == Kind::TextBox) {
        // Not the disabled attribute: a press on a disabled input reaches no
        // listener, so it could not keep the focus in the box beneath it.
        attribute(id, "readonly", "");
        attribute(id, "aria-disabled", "true");
        attribute(id, "tabindex", "-1");
    }
    const int events = (form::raisesClick(row.kind) ? 1 : 0) | (form::raisesKeyPress(row.kind) ? 2 : 0);
    if (events)
        page_listen(id, events);
}

void PageForm::carryOut(int control, const form::CheckedCommand& command)
{
    if (command.change == form::Change::Visible)
        page_hidden(control, !command.visible);
    else
        page_text(control, command.text->toUtf8().c_str());
}

void PageForm::focus(int control) { page_focus(control); }

void PageForm::announce(std::string_view utf8) { page_announce(std::string(utf8).c_str()); }

void PageForm::showError(const RuntimeError& error) { report(error); }

void PageForm::unload() { page_unload(); }

void PageForm::finishEvent()
{
    if (!core_.unloaded() || !afterUnload_)
        return;
    const auto action = std::move(afterUnload_);
    afterUnload_ = nullptr;
    action();
}

}  // namespace galgen::web

// The page's events, as page.js passes them on.
namespace {

using galgen::form::KeyInput;
using galgen::web::PageForm;

template <typename Event>
void dispatch(Event&& event)
{
    galgen::web::guarded([&] {
        if (PageForm* form = PageForm::current()) {
            event(*form);
            form->finishEvent();
        }
    });
}

template <typename Call>
void toKeys(int id, Call&& call)
{
    dispatch([&](PageForm& form) {
        if (KeyInput* keys = form.engine().keys(id))
            call(*keys);
    });
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void galgen_click(int id, int clickCount)
{
    dispatch([&](PageForm& form) { form.engine().click(id, clickCount); });
}

EMSCRIPTEN_KEEPALIVE void galgen_shortcut(const char* key)
{
    dispatch([&](PageForm& form) { form.engine().shortcut(key); });
}

// A key value that is one character is typed text; any other is a name.
EMSCRIPTEN_KEEPALIVE void galgen_key_down(int id, const char* key, int modifiers)
{
    toKeys(id, [&](KeyInput& keys) {
        const std::u32string text = galgen::utf8ToUnicode(key);
        keys.keyDown(text.size() == 1 ? galgen::form::KeyPress{{}, text, modifiers}
                                      : galgen::form::KeyPress{key, {}, modifiers});
    });
}

EMSCRIPTEN_KEEPALIVE void galgen_key_up(int id)
{
    toKeys(id, [](KeyInput& keys) { keys.keyUp(); });
}

EMSCRIPTEN_KEEPALIVE void galgen_before_input(int id, const char* inputType, const char* data)
{
    toKeys(id, [&](KeyInput& keys) { keys.beforeInput(inputType, data); });
}

EMSCRIPTEN_KEEPALIVE void galgen_input(int id, const char* inputType, const char* data)
{
    toKeys(id, [&](KeyInput& keys) { keys.input(inputType, data); });
}

EMSCRIPTEN_KEEPALIVE void galgen_composition_end(int id, const char* data)
{
    toKeys(id, [&](KeyInput& keys) { keys.compositionEnd(data); });
}

}
