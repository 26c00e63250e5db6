// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's own control kinds and their accessibility.
#include "widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

Line::Line(QWidget* parent, QPoint from, QPoint to, int width, QColor color)
    : QWidget(parent), width_(width), color_(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    // The pen runs through the centres of the end pixels; the widget leaves
    // room for half the pen and the round end on every side.
    const int reach = width / 2 + 1;
    const QRect box = QRect(from, to).normalized().adjusted(-reach, -reach, reach, reach);
    setGeometry(box);
    from_ = QPointF(from - box.topLeft()) + QPointF(0.5, 0.5);
    to_ = QPointF(to - box.topLeft()) + QPointF(0.5, 0.5);
}

void Line::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(color_, width_, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from_, to_);
}

namespace {

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String(PictureBox::staticMetaObject.className())
        || className == QLatin1String(Shape::staticMetaObject.className())
        || className == QLatin1String(Line::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String(Panel::staticMetaObject.className()))
        return new QAccessibleWidget(widget, QAccessible::Grouping);
    return nullptr;
}

}  // namespace

void installAccessibility()
{
    static const bool installed = (QAccessible::installFactory(&accessibleFor), true);
    (void)installed;
}

}  // namespace galgen::form
