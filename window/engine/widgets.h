// SPDX-License-Identifier: GPL-3.0-or-later
// The control kinds of the form engine that Qt has no widget for as they
// are: a text box and a command button that hand their events to the form
// core, the panel, the picture box, the shape and the line. Labels are
// plain QLabels.
#pragma once

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <span>

#include "control_rules.h"
#include "form_core.h"

namespace galgen::form {

// A single-line text box. Its clicks, keys and input-method commits go to
// the form core before the box applies them to its text.
class TextBox final : public QLineEdit {
    Q_OBJECT
public:
    TextBox(QWidget* parent, FormCore& core, int control);

    FormCore& core;
    const int control;

    // Where the character at `offset` is drawn, in screen coordinates; empty
    // outside the text.
    QRect characterRect(int offset) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int clickCount_ = 0;   // of the left press in progress; 0 when none
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

// The frame: a container with no caption, on its ground the lines of its
// border (control_rules.h), under what it holds.
class Panel final : public QWidget {
    Q_OBJECT
public:
    Panel(QWidget* parent, std::span<const BorderLine> border);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::span<const BorderLine> border_;
};

// A drawing rendered at pictureSize * devicePixelRatio device pixels; the
// image carries that ratio, so it paints at pictureSize logical pixels.
QImage renderPicture(const QString& path, QSize pictureSize, qreal devicePixelRatio);

// A picture unscaled from the top-left corner on the box's background, cut
// at the box's edges. Unlike a disabled QLabel it draws its picture in full
// colour whatever its enabled state. The picture is drawn on the first paint
// and again only when the device pixel ratio changes.
class PictureBox final : public QWidget {
    Q_OBJECT
public:
    PictureBox(QWidget* parent, const QString& path, QSize pictureSize, QColor background);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString path_;
    QSize pictureSize_;
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
