// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's own control kinds.
#include "widgets.h"

#include <QAccessible>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <array>
#include <string>

namespace galgen::form {

namespace {

// The function keys F1 to F35 by the names the DOM gives them.
std::string_view functionKeyName(int number)
{
    static const auto names = [] {
        std::array<std::string, Qt::Key_F35 - Qt::Key_F1 + 1> names;
        // Appended, not "F" + std::to_string(...): GCC 12 at -O3 warns
        // wrongly (-Wrestrict) about a literal put before a temporary string.
        for (std::size_t i = 0; i < names.size(); ++i)
            names[i].append("F").append(std::to_string(i + 1));
        return names;
    }();
    return names.at(std::size_t(number - 1));
}

// Qt's keys under the names the form core knows them by. A key with no
// text and no name of its own here (arrows, Shift) types nothing; Qt gives
// Tab and Delete a text that they do not type.
std::string_view keyName(const QKeyEvent& event)
{
    if (event.key() >= Qt::Key_F1 && event.key() <= Qt::Key_F35)
        return functionKeyName(event.key() - Qt::Key_F1 + 1);
    switch (event.key()) {
    case Qt::Key_Backspace: return "Backspace";
    case Qt::Key_Return:
    case Qt::Key_Enter: return "Enter";
    case Qt::Key_Escape: return "Escape";
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return "Tab";
    case Qt::Key_Delete: return "Delete";
    default: break;
    }
    if (event.key() >= Qt::Key_Dead_Grave && event.key() <= Qt::Key_Dead_Longsolidusoverlay)
        return "Dead";
    return event.text().isEmpty() ? "Unidentified" : "";
}

int modifiers(Qt::KeyboardModifiers qt)
{
    return (qt & Qt::AltModifier ? Alt : 0) | (qt & Qt::ControlModifier ? Control : 0)
           | (qt & Qt::MetaModifier ? Meta : 0) | (qt & Qt::GroupSwitchModifier ? AltGraph : 0);
}

std::u32string toUcs4(const QString& text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return {ucs4.begin(), ucs4.end()};
}

}  // namespace

TextBox::TextBox(QWidget* parent, FormCore& core, int control) : QLineEdit(parent), core(core), control(control) {}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    if (KeyInput* keys = core.keys(control)) {
        const std::u32string text = toUcs4(event->text());
        keys->keyDown({keyName(*event), text, modifiers(event->modifiers())});
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::keyReleaseEvent(QKeyEvent* event)
{
    if (KeyInput* keys = core.keys(control))
        keys->keyUp();
    QLineEdit::keyReleaseEvent(event);
}

// What an input method shows while it composes is its suggestion, not yet
// typed; only what it commits is.
void TextBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (KeyInput* keys = core.keys(control); keys && !event->commitString().isEmpty())
        keys->compositionEnd(event->commitString().toStdString());
    QLineEdit::inputMethodEvent(event);
}

void TextBox::mousePressEvent(QMouseEvent* event)
{
    clickCount_ = event->button() == Qt::LeftButton ? 1 : 0;
    QLineEdit::mousePressEvent(event);
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    clickCount_ = event->button() == Qt::LeftButton ? 2 : 0;
    QLineEdit::mouseDoubleClickEvent(event);
}

// A click is a left press and release on the box.
void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    const int count = event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())
                          ? clickCount_ : 0;
    clickCount_ = 0;
    QLineEdit::mouseReleaseEvent(event);
    if (count > 0)
        core.click(control, count);
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

Panel::Panel(QWidget* parent, std::span<const BorderLine> border) : QWidget(parent), border_(border) {}

void Panel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (const BorderLine& line : border_) {
        const PixelRect at = placeBorderLine(line, width(), height());
        painter.fillRect(at.left, at.top, at.width, at.height, QColor(line.colour.r, line.colour.g, line.colour.b));
    }
}

QImage renderPicture(const QString& path, QSize pictureSize, qreal devicePixelRatio)
{
    QImage image(pictureSize * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    // Left transparent: every drawing paints its own ground, and a picture
    // that failed to load shows as a gap rather than a plausible white box.
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), pictureSize));
    return image;
}

PictureBox::PictureBox(QWidget* parent, const QString& path, QSize pictureSize, QColor background)
    : QWidget(parent), path_(path), pictureSize_(pictureSize), background_(background)
{
}

void PictureBox::paintEvent(QPaintEvent*)
{
    const qreal ratio = devicePixelRatioF();
    if (image_.isNull() || image_.devicePixelRatio() != ratio)
        image_ = renderPicture(path_, pictureSize_, ratio);
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
