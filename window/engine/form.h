// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine on Qt Widgets: builds a window and its controls from a
// FormLayout and carries out what the form core decides (form_core.h). It
// hands every mouse, key and input-method event of its controls to the core
// by control number, and a file dropped on the window with its bytes, and
// does nothing of its own but Qt's calls.
//
// Text crosses here between the runtime's cp1252 and Qt's Unicode, and
// nowhere else.
#pragma once

#include <QString>
#include <QWidget>
#include <string_view>
#include <vector>

#include "form_core.h"
#include "form_layout.h"

namespace galgen::form {

class Announcement;

class Form final : public QWidget, public Toolkit {
    Q_OBJECT
public:
    // The pictures the layout names are drawings (SVG) in pictureFolder, a
    // Qt resource or file folder; where PNGs of the icon's drawing stand
    // beside it, rendered to square sizes as <name>-<size>.png, the window
    // icon is made of them.
    Form(const FormLayout& layout, const QString& pictureFolder);

    // What the program wires its handlers to.
    FormCore& engine() { return core_; }

    // Shows the window, builds its controls, runs the Load handler and gives
    // the first focus. The controls exist from then on.
    void load();

    QWidget* control(std::string_view name) const;

    // Toolkit
    void carryOut(int control, const CheckedCommand& command) override;
    void focus(int control) override;
    void unload() override;
    void announce(std::string_view utf8) override;
    void showError(const RuntimeError& error) override;

protected:
    bool event(QEvent* event) override;
    // A local file dragged anywhere onto the window is the form's: its bytes
    // reach the core once the drop is over.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QWidget* build(int control, QWidget* container);
    void giveFont(int control);
    void finishAfterFirstPaint();
    void stack();
    void chainTabOrder();
    void listenForShortcuts();
    QString picturePath(std::string_view name) const;

    FormCore core_;
    QString pictureFolder_;
    std::vector<QWidget*> widgets_;
    std::vector<bool> fontGiven_;
    Announcement* announcement_ = nullptr;
    bool painted_ = false;
};

}  // namespace galgen::form
