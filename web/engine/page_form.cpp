// SPDX-License-Identifier: GPL-3.0-or-later
// The web form engine at run time: the page's elements of the controls,
// their events, and the display commands.
#include "page_form.h"

#include <emscripten/emscripten.h>

#include <utility>

#include "file_bytes.h"
#include "page.h"
#include "text.h"

namespace galgen::web {

using form::ControlRow;

namespace {

PageForm* current_ = nullptr;

void report(const RuntimeError& error) { page_report_error(error.what()); }

}  // namespace

void guarded(const std::function<void()>& step) { runHandler(step, report); }

// The page holds the form's elements already (page_markup.h); the engine
// takes them over and listens to those that raise events.
PageForm::PageForm(const form::FormLayout& layout) : core_(layout, *this)
{
    for (int id = 0; id < core_.size(); ++id) {
        const ControlRow& row = core_.row(id);
        page_adopt(id, std::string(row.name).c_str());
        const int events = (form::raisesClick(row.kind) ? 1 : 0) | (form::raisesKeyPress(row.kind) ? 2 : 0);
        if (events)
            page_listen(id, events);
    }
    for (std::string_view key : core_.shortcutKeys())
        page_shortcut(std::string(key).c_str());
    page_accept_files(int(fileByteLimit + 1));
    current_ = this;
}

PageForm::~PageForm()
{
    if (current_ == this)
        current_ = nullptr;
}

PageForm* PageForm::current() { return current_; }

// The Load handler runs in a task of its own, after the one that compiled
// the module and built the engine, so that neither holds the page up for
// long; the page keeps the player's events until page_ready. The page gave
// the first focus already (the markup's autofocus), and the player may have
// moved it since: the Load handler's first focus does not take it back.
void PageForm::load() { page_load_later(); }

void PageForm::loadNow()
{
    loading_ = true;
    core_.load();
    loading_ = false;
    page_ready();
}

void PageForm::dropFileOfAddress(std::string_view parameter)
{
    page_fetch_parameter(std::string(parameter).c_str(), int(fileByteLimit + 1));
}

void PageForm::carryOut(int control, const form::CheckedCommand& command)
{
    if (command.change == form::Change::Visible)
        page_hidden(control, !command.visible);
    else
        page_text(control, command.text->toUtf8().c_str());
}

void PageForm::focus(int control) { page_focus(control, loading_); }

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

// The faults of a file, as page.js names them.
galgen::FileFault faultNamed(std::string_view name)
{
    using galgen::FileFault;
    const std::pair<std::string_view, FileFault> names[] = {
        {"missing", FileFault::Missing},       {"folder", FileFault::Folder},
        {"unreadable", FileFault::Unreadable}, {"refused", FileFault::Refused},
        {"unfetched", FileFault::NotFetched},
    };
    for (const auto& [named, fault] : names)
        if (name == named)
            return fault;
    return FileFault::None;
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

EMSCRIPTEN_KEEPALIVE void galgen_load()
{
    galgen::web::guarded([] {
        if (PageForm* form = PageForm::current())
            form->loadNow();
    });
}

EMSCRIPTEN_KEEPALIVE void galgen_click(int id, int clickCount)
{
    dispatch([&](PageForm& form) { form.engine().click(id, clickCount); });
}

EMSCRIPTEN_KEEPALIVE void galgen_shortcut(const char* key)
{
    dispatch([&](PageForm& form) { form.engine().shortcut(key); });
}

// A key value that is one character is typed text; any other is a name.
// The flags are the DOM's: altKey, ctrlKey, metaKey, AltGraph held, and
// whether an input method composes.
EMSCRIPTEN_KEEPALIVE void galgen_key_down(int id, const char* key, int alt, int control, int meta, int altGraph,
                                          int composing)
{
    using namespace galgen::form;
    const int modifiers = (alt ? Alt : 0) | (control ? Control : 0) | (meta ? Meta : 0) | (altGraph ? AltGraph : 0)
                          | (composing ? Composing : 0);
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

// A file dropped on the page, or fetched for it: `length` bytes at `bytes`.
EMSCRIPTEN_KEEPALIVE void galgen_file(const char* name, const char* bytes, int length, const char* fault,
                                      const char* detail)
{
    dispatch([&](PageForm& form) {
        form.engine().dropFile({.name = name,
                                .bytes = std::string(bytes ? bytes : "", bytes ? std::size_t(length) : 0),
                                .fault = faultNamed(fault),
                                .detail = detail});
    });
}

}
