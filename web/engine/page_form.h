// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine of the web edition: takes over the elements of a form's
// controls that the page already holds (written at build time from the same
// FormLayout, page_markup.h) and carries out what the form core decides
// (form_core.h). It hands the page's events to the core by control number,
// and does nothing of its own but calls to the page (page.h, page.js).
//
// No exception leaves it for JavaScript: whatever an event or the start
// raises is shown to the player in the page's error dialog.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "form_core.h"
#include "form_layout.h"

namespace galgen::web {

class PageForm final : public form::Toolkit {
public:
    // Takes over the form's elements on the page. One form lives on a page
    // at a time; it receives the page's events.
    explicit PageForm(const form::FormLayout& layout);
    ~PageForm() override;
    PageForm(const PageForm&) = delete;
    PageForm& operator=(const PageForm&) = delete;

    // What the program wires its handlers to.
    form::FormCore& engine() { return core_; }

    // Runs the Load handler and gives the first focus, in a task of its own
    // after this call (loadNow); then the events that came before the engine
    // was ready reach it, in their order: the form may be gone after them.
    void load();
    void loadNow();
    // Where the page's address has this parameter (?liste=tiere.txt), the
    // file of the site it names reaches the form as if dropped on it, once
    // fetched; one it may not fetch or could not, with its fault.
    void dropFileOfAddress(std::string_view parameter);
    // The value of this key in the fragment of the page's address
    // (#woerter=…), if it has one. Browsers never send the fragment to the
    // site.
    std::optional<std::string> fragment(std::string_view key) const;
    // What the program does with the page's address once the form is
    // loaded, before the events the page kept reach it, and again whenever
    // the address's fragment changes.
    void onAddress(std::function<void()> action) { onAddress_ = std::move(action); }
    void addressChanged();
    // What the program does once the form is unloaded: typically discard it.
    void afterUnload(std::function<void()> action) { afterUnload_ = std::move(action); }

    // The form that receives the page's events, if any.
    static PageForm* current();
    // Runs afterUnload if the form was unloaded; the form may be gone after.
    void finishEvent();

    // Toolkit
    void carryOut(int control, const form::CheckedCommand& command) override;
    void focus(int control) override;
    void announce(std::string_view utf8) override;
    void showError(const RuntimeError& error) override;
    void closeError() override;
    bool offers(form::MenuAction) const override { return true; }
    void showMenu(const std::vector<int>& entries) override;
    void chooseFile(const form::FileChoice& choice) override;
    void typeFile() override;
    // A page cannot close itself; it ends the game the way a closed window
    // does, discarding the form and its state.
    void unload() override;

private:
    form::FormCore core_;
    std::function<void()> onAddress_;
    std::function<void()> afterUnload_;
    bool loading_ = false;
};

// Runs a step of the page's start or one of its events; whatever it raises
// goes to the page's error dialog, never to JavaScript.
void guarded(const std::function<void()>& step);

}  // namespace galgen::web
