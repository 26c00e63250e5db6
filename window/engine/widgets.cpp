// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's own control kinds and their accessibility.
#include "widgets.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "picture_source.h"

namespace galgen::form {

namespace {

// The characters a key press puts into a text box. Control characters count:
// Backspace, Enter and Escape arrive as 8, 13 and 27 whether or not the
// platform gives their key events a text. Alt and Meta combinations are
// commands, not characters.
QString typedText(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return {};
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    default:
        break;
    }
    if (event.modifiers() & (Qt::AltModifier | Qt::MetaModifier))
        return {};
    return event.text();
}

}  // namespace

void TextBox::announce(const QString& text)
{
    if (!onCharacter)
        return;
    for (char32_t ch : text.toUcs4())
        onCharacter(ch);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    announce(typedText(*event));
    QLineEdit::keyPressEvent(event);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    announce(event->commitString());
    QLineEdit::inputMethodEvent(event);
}

void TextBox::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLineEdit::mousePressEvent(event);
}

// A click is a left press and release on the box. The second press of a
// double click does not come through mousePressEvent, so it makes no click.
void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLineEdit::mouseReleaseEvent(event);
    if (click && onClick)
        onClick();
}

bool TextBox::clickable() const
{
    if (!onClick || !isEnabled() || !isVisible())
        return false;
    QWidget* top = window();
    return top->childAt(mapTo(top, rect().center())) == this;
}

// A mouse click gives the box the focus before the handler runs, so the
// keys typed next reach it; so does this one.
void TextBox::clickByAccessibility()
{
    if (!clickable())
        return;
    setFocus(Qt::OtherFocusReason);
    onClick();
}

QRect TextBox::characterRect(int offset) const
{
    const QString shown = displayText();
    if (offset < 0 || offset >= shown.size())
        return {};
    const QFontMetrics metrics(font());
    const QRect contents = rect().adjusted(hasFrame() ? 3 : 1, 0, hasFrame() ? -3 : -1, 0);
    const int width = metrics.horizontalAdvance(shown);
    const int left = (alignment() & Qt::AlignHCenter) ? contents.left() + (contents.width() - width) / 2
                                                      : contents.left();
    const QRect character(left + metrics.horizontalAdvance(shown.left(offset)),
                          (height() - metrics.height()) / 2,
                          metrics.horizontalAdvance(shown.at(offset)), metrics.height());
    return {mapToGlobal(character.topLeft()), character.size()};
}

CommandButton::CommandButton(QWidget* parent) : QPushButton(parent)
{
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {   // the keypad's Enter too
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

Panel::Panel(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setLineWidth(1);
}

PictureBox::PictureBox(QWidget* parent, const PictureSource& pictures, std::string_view picture,
                       QColor background)
    : QWidget(parent), pictures_(pictures), picture_(picture), background_(background)
{
}

void PictureBox::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    if (image_.isNull() || image_.devicePixelRatio() != ratio)
        image_ = pictures_.render(picture_, ratio);
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    painter.drawImage(QPoint(0, 0), image_);
}

Shape::Shape(QWidget* parent, QColor fill) : QWidget(parent), fill_(fill)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), fill_);
}

Line::Line(QWidget* parent, const LinePlacement& place, int width, QColor color)
    : QWidget(parent), width_(width), color_(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(place.left, place.top, place.width, place.height);
    from_ = QPointF(place.x1 + 0.5, place.y1 + 0.5);
    to_ = QPointF(place.x2 + 0.5, place.y2 + 0.5);
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from_, to_);
}

Announcement::Announcement(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 0, 0);
}

// Screen readers announce a notification when it is shown; the widget stays
// shown, so each message is shown anew to accessibility alone.
void Announcement::say(const QString& message)
{
    setAccessibleName(message);
    QAccessibleEvent shown(this, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

}  // namespace galgen::form
