// SPDX-License-Identifier: GPL-3.0-or-later
// The web form engine: one DOM element per control, placed by pixel inside
// the form's ground, so that nothing moves whatever the viewport does.
#include "page_form.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <stdexcept>

#include "control_rules.h"
#include "fonts.h"
#include "page.h"
#include "picture_table.h"
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

// Siblings stack in the order of the layout, the first on top, and every
// windowed control above every painted one.
int stackLevel(const ControlRow& row, int position, int siblings)
{
    return (form::isPainted(row.kind) ? 0 : siblings) + siblings - position;
}

}  // namespace

PageForm::PageForm(const form::FormLayout& layout) : layout_(layout)
{
    for (const ControlRow& row : layout.controls) {
        ids_.emplace(std::string(row.name), int(controls_.size()));
        controls_.push_back({&row, true, 0, nullptr, nullptr});
    }
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
    report_ = [](const RuntimeError& error) { page_report_error(error.what()); };
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
    for (int id = 0; id < int(controls_.size()); ++id)
        if (controls_[std::size_t(id)].row->container == container)
            children.push_back(id);
    const int siblings = int(children.size());
    std::vector<int> byTab = children;
    auto tabKey = [this](int id) {
        const int tab = controls_[std::size_t(id)].row->tabIndex;
        return tab < 0 ? INT_MAX : tab;
    };
    std::stable_sort(byTab.begin(), byTab.end(), [&](int a, int b) { return tabKey(a) < tabKey(b); });
    for (int id : byTab) {
        const auto position = std::find(children.begin(), children.end(), id) - children.begin();
        create(id, parent, stackLevel(*controls_[std::size_t(id)].row, int(position), siblings));
        if (controls_[std::size_t(id)].row->kind == Kind::Frame)
            build(controls_[std::size_t(id)].row->name, id);
    }
}

void PageForm::create(int id, int parent, int level)
{
    const ControlRow& row = *controls_[std::size_t(id)].row;
    page_create(id, parent, tagOf(row.kind));
    Style style;
    style.add("z-index", std::to_string(level));
    attribute(id, "class", classOf(row.kind));
    attribute(id, "data-name", row.name);
    if (row.kind != Kind::Line) {
        style.add("left", px(toPixels(row.left)));
        style.add("top", px(toPixels(row.top)));
        style.add("width", px(toPixels(row.width)));
        style.add("height", px(toPixels(row.height)));
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
    page_text(id, std::string(row.text).c_str());

    // The element numbers after the controls' own are the parts inside them.
    const int part = int(controls_.size()) + id;
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
        const PictureEntry& picture = pictureEntry(row.picture);
        attribute(id, "role", "img");
        attribute(id, "aria-label", picture.description);
        page_create(part, id, "img");
        attribute(part, "src", "pictures/" + std::string(picture.file));
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
        const form::LinePlacement place = form::placeLine(row);
        style.add("left", px(place.left));
        style.add("top", px(place.top));
        attribute(id, "width", std::to_string(place.width));
        attribute(id, "height", std::to_string(place.height));
        attribute(id, "role", "img");
        page_create(part, id, "line");
        // The pen runs through the end pixels' centres.
        auto centre = [](int pixel) { return std::to_string(pixel) + ".5"; };
        attribute(part, "x1", centre(place.x1));
        attribute(part, "y1", centre(place.y1));
        attribute(part, "x2", centre(place.x2));
        attribute(part, "y2", centre(place.y2));
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
}

int PageForm::find(std::string_view name) const
{
    const auto found = ids_.find(name);
    if (found == ids_.end())
        throw std::invalid_argument("no control named " + std::string(name));
    return found->second;
}

void PageForm::apply(const DisplayCommand& command)
{
    const auto found = ids_.find(command.control);
    const int id = found == ids_.end() ? -1 : found->second;
    const auto checked = form::checkCommand(command, id < 0 ? nullptr : controls_[std::size_t(id)].row);
    if (checked.change == form::Change::Visible) {
        controls_[std::size_t(id)].visible = checked.visible;
        page_hidden(id, !checked.visible);
    } else {
        page_text(id, checked.text->toUtf8().c_str());
    }
}

void PageForm::onClick(std::string_view control, Handler handler)
{
    const int id = find(control);
    if (!form::raisesClick(controls_[std::size_t(id)].row->kind))
        throw std::invalid_argument(std::string(control) + " raises no Click");
    controls_[std::size_t(id)].click = std::move(handler);
    listen(id, 1);
}

void PageForm::onKeyPress(std::string_view control, KeyPressHandler handler)
{
    const int id = find(control);
    if (!form::raisesKeyPress(controls_[std::size_t(id)].row->kind))
        throw std::invalid_argument(std::string(control) + " raises no KeyPress");
    controls_[std::size_t(id)].keys = std::make_unique<KeyInput>([this, handler = std::move(handler)](char32_t ch) {
        const i16 keyAscii = unicodeToCp1252(ch);
        run([&] { handler(keyAscii); });
    });
    listen(id, 2);
}

// A handler registered again replaces the old one; the page's events stay
// hooked up once.
void PageForm::listen(int id, int events)
{
    int& listening = controls_[std::size_t(id)].listening;
    if ((listening & events) != events)
        page_listen(id, events & ~listening);
    listening |= events;
}

void PageForm::load()
{
    if (load_)
        run(load_);
    for (const ControlRow* row : form::tabOrder(layout_)) {
        const Control& control = controls_[std::size_t(find(row->name))];
        if (form::canTakeFocus(row->kind) && row->enabled && control.visible) {
            page_focus(find(row->name));
            break;
        }
    }
}

// A page cannot close itself; it ends the game the way a closed window
// does, discarding the form and its state.
void PageForm::unload()
{
    unloaded_ = true;
    page_unload();
}

void PageForm::announce(std::string_view utf8) { page_announce(std::string(utf8).c_str()); }

// A click is a press and release on the control. The second click of a
// double click makes no click on a text box, as on the desktop; a click
// that no mouse made (assistive technology) has the count 0 and counts.
void PageForm::click(int id, int clickCount)
{
    if (unloaded_ || id < 0 || id >= int(controls_.size()))
        return;
    const Control& control = controls_[std::size_t(id)];
    if (!control.click || (control.row->kind == Kind::TextBox && clickCount % 2 == 0 && clickCount != 0))
        return;
    run(control.click);
}

KeyInput* PageForm::keys(int id)
{
    if (unloaded_ || id < 0 || id >= int(controls_.size()))
        return nullptr;
    return controls_[std::size_t(id)].keys.get();
}

void PageForm::finishEvent()
{
    if (!unloaded_ || !afterUnload_)
        return;
    const auto action = std::move(afterUnload_);
    afterUnload_ = nullptr;
    action();
}

void PageForm::run(const std::function<void()>& handler) { runHandler(handler, report_); }

}  // namespace galgen::web

// The page's events, as page.js passes them on.
namespace {

template <typename Event>
void dispatch(Event&& event)
{
    if (auto* form = galgen::web::PageForm::current()) {
        event(*form);
        form->finishEvent();
    }
}

template <typename Call>
void toKeys(int id, Call&& call)
{
    dispatch([&](galgen::web::PageForm& form) {
        if (auto* keys = form.keys(id))
            call(*keys);
    });
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void galgen_click(int id, int clickCount)
{
    dispatch([&](galgen::web::PageForm& form) { form.click(id, clickCount); });
}

EMSCRIPTEN_KEEPALIVE void galgen_key_down(int id, const char* key, int modifiers)
{
    toKeys(id, [&](galgen::web::KeyInput& keys) { keys.keyDown(key, modifiers); });
}

EMSCRIPTEN_KEEPALIVE void galgen_key_up(int id)
{
    toKeys(id, [](galgen::web::KeyInput& keys) { keys.keyUp(); });
}

EMSCRIPTEN_KEEPALIVE void galgen_before_input(int id, const char* inputType, const char* data)
{
    toKeys(id, [&](galgen::web::KeyInput& keys) { keys.beforeInput(inputType, data); });
}

EMSCRIPTEN_KEEPALIVE void galgen_input(int id, const char* inputType, const char* data)
{
    toKeys(id, [&](galgen::web::KeyInput& keys) { keys.input(inputType, data); });
}

EMSCRIPTEN_KEEPALIVE void galgen_composition_end(int id, const char* data)
{
    toKeys(id, [&](galgen::web::KeyInput& keys) { keys.compositionEnd(data); });
}

}
