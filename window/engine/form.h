// SPDX-License-Identifier: GPL-3.0-or-later
// The form engine on Qt Widgets: builds a window and its controls from a
// FormLayout and carries out what the form core decides (form_core.h). It
// hands every mouse, key and input-method event of its controls to the core
// by control number, a file dropped on the window or chosen in Qt's file
// dialog with its bytes, and the form's context menu, and does nothing of
// its own but Qt's calls.
//
// Text crosses here between the runtime's cp1252 and Qt's Unicode, and
// nowhere else.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <optional>
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
    void closeError() override;
    bool offers(MenuAction action) const override;
    void showMenu(const std::vector<int>& entries) override;
    void chooseFile(const FileChoice& choice) override;

protected:
    bool event(QEvent* event) override;
    // The right mouse button anywhere on the window; the keys that open the
    // menu are the form core's shortcuts.
    void contextMenuEvent(QContextMenuEvent* event) override;
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
    // A file of the local file system reaches the core as a dropped one.
    void takeFile(const QString& path);
    void takeKeysBack();

    FormCore core_;
    QString pictureFolder_;
    std::vector<QWidget*> widgets_;
    std::vector<bool> fontGiven_;
    Announcement* announcement_ = nullptr;
    QPointer<QWidget> message_;        // the error shown, until it is closed
    QPointer<QWidget> fileDialog_;
    std::optional<QPoint> menuAt_;     // where the mouse opened the menu
    bool painted_ = false;
};

}  // namespace galgen::form
