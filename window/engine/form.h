// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine: builds a window and its controls from a FormLayout, carries
// out display commands on them by control name, and delivers their events to
// the handlers registered by name.
//
// It knows control kinds, not games. Text crosses here between the runtime's
// cp1252 and Qt's Unicode, and nowhere else. Every handler runs inside the
// runtime's error boundary: a run-time error ends the handler, is shown to
// the player, and the program goes on.
#pragma once

#include <QWidget>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "error_boundary.h"
#include "form_engine.h"
#include "form_layout.h"

namespace galgen::form {

class Announcement;
class PictureSource;

class Form final : public QWidget, public Engine {
    Q_OBJECT
public:
    Form(const FormLayout& layout, const PictureSource& pictures);

    // Caption of a label or command button, Text of a text box, Visible of
    // any control. Anything else raises the failed-display-command error.
    void apply(const DisplayCommand& command) override;

    void onLoad(Handler handler) override { load_ = std::move(handler); }
    void onClick(std::string_view control, Handler handler) override;
    void onKeyPress(std::string_view control, KeyPressHandler handler) override;

    // Replaces the message box that shows run-time errors.
    void setErrorReporter(ErrorReporter reporter) { report_ = std::move(reporter); }

    // Runs the Load handler, then shows the window with the focus on the
    // first control in tab order that can take it.
    void load();
    // Closes the window; with no window left the application quits.
    void unload() override;

    // A notification for screen readers; nothing on the screen changes.
    void announce(std::string_view utf8) override;

    QWidget* control(std::string_view name) const;

private:
    struct Control {
        const ControlRow* row;
        QWidget* widget;
    };

    QWidget* build(const ControlRow& row, QWidget* container);
    void stack();
    void chainTabOrder();
    const Control& find(std::string_view name) const;
    void run(const std::function<void()>& handler);
    void showError(const RuntimeError& error);

    const FormLayout& layout_;
    const PictureSource& pictures_;
    std::map<std::string, Control, std::less<>> controls_;
    std::vector<QWidget*> tabOrder_;
    Announcement* announcement_;
    Handler load_;
    ErrorReporter report_;
};

}  // namespace galgen::form
