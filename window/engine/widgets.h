// SPDX-License-Identifier: GPL-3.0-or-later
// The control kinds of the form engine that Qt has no widget for as they
// are: a text box that reports clicks and typed characters, a command button
// without default behaviour, the panel, the picture box, the shape and the
// line. Labels are plain QLabels.
#pragma once

#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>

#include "control_rules.h"

namespace galgen::form {

class PictureSource;

// A single-line text box. Every character that a key or an input method
// produces is announced through onCharacter before the box applies it to its
// text; keys that produce none (arrows, Shift, function keys, Delete) and Tab,
// which moves the focus, announce nothing.
class TextBox final : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent) : QLineEdit(parent) {}

    std::function<void()> onClick;
    std::function<void(char32_t)> onCharacter;
    // What assistive technology calls the action that does what a click does.
    QString clickActionName;

    // True while a click with the mouse would reach the box: it has a click
    // handler, is enabled and shown, and no sibling lies over its centre.
    bool clickable() const;
    // The click of assistive technology: the focus and the same handler as a
    // mouse click, and only where a mouse click would reach the box.
    void clickByAccessibility();
    // Where the character at `offset` is drawn, in screen coordinates; empty
    // outside the text.
    QRect characterRect(int offset) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void announce(const QString& text);

    bool pressed_ = false;
};

// A push button that is never a default button. Enter presses it while it
// has the focus, as Space does.
class CommandButton final : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The frame: a container with the standard border and no caption.
class Panel final : public QFrame {
    Q_OBJECT
public:
    explicit Panel(QWidget* parent);
};

// A picture unscaled from the top-left corner on the box's background, cut
// at the box's edges. Unlike a disabled QLabel it draws its picture in full
// colour whatever its enabled state. The picture is drawn on the first paint
// and again only when the device pixel ratio changes.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const PictureSource& pictures, std::string_view picture,
               QColor background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PictureSource& pictures_;
    std::string picture_;
    QColor background_;
    QImage image_;
};

// A filled rectangle, painted on its container; it takes no input.
class Shape final : public QWidget {
    Q_OBJECT
public:
    Shape(QWidget* parent, QColor fill);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};

// A solid line with round ends, placed on its container as the form's rules
// place it; it takes no input.
class Line final : public QWidget {
    Q_OBJECT
public:
    Line(QWidget* parent, const LinePlacement& place, int width, QColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointF from_, to_;
    int width_;
    QColor color_;
};

// What screen readers hear and never see: each message it is given becomes
// its accessible name and is announced as a new notification. It takes no
// room on the screen and no input.
class Announcement final : public QWidget {
    Q_OBJECT
public:
    explicit Announcement(QWidget* parent);

    void say(const QString& message);
};

}  // namespace galgen::form
