// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine of the web edition: builds a form's controls as
// absolutely positioned DOM elements from the same FormLayout as the
// desktop, carries out display commands on them by control name, and
// delivers their events to the handlers registered by name.
//
// Like the desktop engine it knows control kinds, not games, and runs every
// handler inside the runtime's error boundary: a run-time error ends the
// handler, is shown to the player in a dialog, and the game goes on.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "error_boundary.h"
#include "form_engine.h"
#include "form_layout.h"
#include "key_input.h"

namespace galgen::web {

class PageForm final : public form::Engine {
public:
    // Builds the form on the page's ground element. One form lives on a page
    // at a time; it receives the page's events.
    explicit PageForm(const form::FormLayout& layout);
    ~PageForm() override;
    PageForm(const PageForm&) = delete;
    PageForm& operator=(const PageForm&) = delete;

    void apply(const DisplayCommand& command) override;
    void onLoad(Handler handler) override { load_ = std::move(handler); }
    void onClick(std::string_view control, Handler handler) override;
    void onKeyPress(std::string_view control, KeyPressHandler handler) override;
    // Discards the form from the page; afterUnload runs once the handler
    // that unloaded it has ended.
    void unload() override;

    // Puts a status text into the page's live region for screen readers,
    // announced anew every time, even when it repeats the last one.
    void announce(std::string_view utf8) override;

    // Runs the Load handler, then gives the focus to the first control in
    // tab order that can take it.
    void load();
    // What the program does once the form is unloaded: typically discard it.
    void afterUnload(std::function<void()> action) { afterUnload_ = std::move(action); }
    // Replaces the dialog that shows run-time errors.
    void setErrorReporter(ErrorReporter reporter) { report_ = std::move(reporter); }

    // The page's events, by element number.
    void click(int id, int clickCount);
    KeyInput* keys(int id);
    // The form that receives the page's events, if any.
    static PageForm* current();
    // Runs afterUnload if the form was unloaded; the form may be gone after.
    void finishEvent();

private:
    struct Control {
        const form::ControlRow* row;
        bool visible = true;
        int listening = 0;   // the page events already hooked up
        Handler click;
        std::unique_ptr<KeyInput> keys;
    };

    void build(std::string_view container, int parent);
    void create(int id, int parent, int level);
    int find(std::string_view name) const;
    void listen(int id, int events);
    void run(const std::function<void()>& handler);

    const form::FormLayout& layout_;
    std::vector<Control> controls_;
    std::map<std::string, int, std::less<>> ids_;
    Handler load_;
    ErrorReporter report_;
    std::function<void()> afterUnload_;
    bool unloaded_ = false;
};

}  // namespace galgen::web
