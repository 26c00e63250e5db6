// SPDX-License-Identifier: GPL-3.0-or-later
// The form core: everything a form engine does that is not a toolkit call,
// written once for every edition. It finds controls by name, checks display
// commands and the events a program registers, keeps which control is
// visible, runs every handler inside the runtime's error boundary, turns
// key presses and input events into cp1252 key codes, counts clicks,
// knows what lies over what, gives the first focus, and opens the form's
// menu and carries out its entries.
//
// A toolkit (the Qt window, the web page) builds the controls from the
// layout, hands its events to the core by control number, and carries out
// what the core tells it (toolkit.h). A program wires its handlers to the
// core through the Engine interface (form_engine.h).
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "error_boundary.h"
#include "form_engine.h"
#include "form_layout.h"
#include "key_input.h"
#include "toolkit.h"

namespace galgen::form {

// The keys that open a form's context menu where it has one, as every
// desktop has them.
inline constexpr std::array<std::string_view, 2> menuKeys = {"ContextMenu", "Shift+F10"};

class FormCore final : public Engine {
public:
    // The layout must outlive the core. A container must stand before its
    // controls in the layout.
    FormCore(const FormLayout& layout, Toolkit& toolkit);
    FormCore(const FormCore&) = delete;
    FormCore& operator=(const FormCore&) = delete;

    // The Engine, as the program sees it.
    void apply(const DisplayCommand& command) override;
    void onLoad(Handler handler) override { load_ = std::move(handler); }
    void onClick(std::string_view control, Handler handler) override;
    void onKeyPress(std::string_view control, KeyPressHandler handler) override;
    void onFileDrop(FileDropHandler handler) override { fileDrop_ = std::move(handler); }
    void unload() override;
    void announce(std::string_view utf8) override { toolkit_.announce(utf8); }

    // Replaces the toolkit's way of showing a run-time error.
    void setErrorReporter(ErrorReporter reporter) { report_ = std::move(reporter); }

    // The form, as the toolkit sees it.
    const FormLayout& layout() const { return layout_; }
    int size() const { return int(controls_.size()); }
    const ControlRow& row(int control) const { return *controls_.at(std::size_t(control)).row; }
    // The control of that name; a name the form lacks raises a run-time
    // error, or gives -1 from lookup.
    int find(std::string_view name) const;
    int lookup(std::string_view name) const;
    // The control's container; -1 for the form itself.
    int container(int control) const { return controls_.at(std::size_t(control)).container; }
    // The control's place in the stacking order (control_rules.h): among
    // siblings, the higher lies on top.
    int level(int control) const { return controls_.at(std::size_t(control)).level; }
    // Visible, as the display commands left it; shown if its containers are
    // visible too.
    bool visible(int control) const { return controls_.at(std::size_t(control)).visible; }
    bool shown(int control) const;
    // The control's rectangle on the form, in pixels: its own place plus
    // those of its containers.
    PixelRect place(int control) const;
    // The shown control that lies on top at this pixel of the form, the
    // innermost where containers nest; -1 for the form's own ground. This is
    // what a mouse click there reaches.
    int controlAt(int x, int y) const;
    // The control can take the focus now: its kind takes it (control_rules.h),
    // and it is enabled and shown.
    bool focusable(int control) const;
    // A mouse click could reach the control and run its click handler: it
    // has one, is enabled and shown, and it is what lies on top at its
    // centre.
    bool clickable(int control) const;
    bool unloaded() const { return unloaded_; }

    // The form's menu as the toolkit offers it: the entries (numbers in the
    // layout's menu) whose action the toolkit carries out, in order.
    std::vector<int> menu() const;
    const MenuEntry& menuEntry(int entry) const { return layout_.menu[std::size_t(entry)]; }

    // The toolkit's events.
    // Runs the Load handler, then focuses the first control in tab order
    // that can take the focus.
    void load();
    // A press and release of the left mouse button on the control, the
    // clickCount-th in a row. The second click of a double click makes no
    // click on a text box. A count of 0 is a click that no mouse made.
    void click(int control, int clickCount);
    // A click that no mouse made (assistive technology, a shortcut key):
    // where a mouse click could reach the control, the focus moves there and
    // its click handler runs; elsewhere nothing happens.
    void activate(int control);
    // A key pressed anywhere in the form, named as shortcutName names it:
    // the shortcut of a control activates it, that of a menu entry chooses
    // the entry, and a menu key opens the menu. True if the key was one of
    // them.
    bool shortcut(std::string_view key);
    // The keys that do something anywhere in the form, each once.
    std::vector<std::string_view> shortcutKeys() const;
    // The right mouse button, or a key, asks for the form's menu: the
    // toolkit shows the entries it offers.
    void openMenu();
    // The player chose this entry of the menu: its Click handler runs, or
    // the toolkit opens its dialog for the entry.
    void choose(int entry);
    // The key input of a text box with a KeyPress handler; null for any
    // other control and once the form is unloaded.
    KeyInput* keys(int control);
    // A file dropped on the form, chosen in a dialog, or one the program was
    // started with: the FileDrop handler gets it, inside the error boundary,
    // once a message the toolkit shows about an earlier one is closed.
    // Nothing happens without a handler or once the form is unloaded. True
    // if the handler ran to its end: the file was taken.
    bool dropFile(const FileBytes& file);

private:
    struct Control {
        const ControlRow* row;
        int container;
        int level;        // place in the stacking order
        bool visible = true;
        Handler click;
        std::unique_ptr<KeyInput> keys;
    };

    bool run(const Handler& handler);

    const FormLayout& layout_;
    Toolkit& toolkit_;
    std::vector<Control> controls_;
    std::map<std::string, int, std::less<>> names_;
    std::vector<Handler> menuClicks_;   // per entry of the layout's menu
    Handler load_;
    FileDropHandler fileDrop_;
    ErrorReporter report_;
    bool unloaded_ = false;
};

}  // namespace galgen::form
