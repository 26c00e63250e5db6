// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the window tests: what the player sees, read from the grabbed
// window image, and the player's hands, as real mouse and key events sent
// through the window (so that Qt picks the receiving widget as it would for
// a real click: the topmost one under the pointer, or the focus widget).
#pragma once

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRect>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "picture_list.h"
#include "pictures.h"

namespace galgen::testing {

// The text a control shows: a label's or a button's caption, a text box's
// value.
inline QString textOf(QWidget* control)
{
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    if (auto* box = qobject_cast<QLineEdit*>(control))
        return box->text();
    return qobject_cast<QAbstractButton*>(control)->text();
}

// Colours of the layout.
inline const QColor lightYellow{255, 255, 128};
inline const QColor white{255, 255, 255};
inline const QColor red{255, 0, 0};
inline const QColor darkBlue{0, 0, 64};
inline const QColor brown{192, 64, 0};
inline const QColor darkRed{64, 0, 0};
inline const QColor darkGreen{0, 64, 0};

// A point or rectangle of the panel item9a in window coordinates.
inline QPoint onPanel(int x, int y) { return {x + 2, y + 132}; }
inline QRect onPanel(int x, int y, int w, int h) { return {onPanel(x, y), QSize(w, h)}; }

// Places on the window, in pixels at 96 dpi.
inline const QPoint questionMark{243, 83};
inline const QRect questionMarkBox{230, 67, 26, 32};
inline const QPoint newGameButton{121, 117};
inline const QPoint endButton{361, 117};

inline QImage grabWindow(QWidget& window) { return window.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// The colour at a point given in window coordinates, whatever the density.
inline QColor colourAt(const QImage& screen, QPoint at)
{
    return screen.pixelColor((QPointF(at) * screen.devicePixelRatio()).toPoint());
}

// Pixels of exactly that colour inside a rectangle in window coordinates.
inline int countColour(const QImage& screen, QRect area, const QColor& colour)
{
    const qreal ratio = screen.devicePixelRatio();
    const QRect device(area.topLeft() * ratio, area.size() * ratio);
    int count = 0;
    for (int y = device.top(); y <= device.bottom(); ++y)
        for (int x = device.left(); x <= device.right(); ++x)
            count += screen.pixelColor(x, y) == colour;
    return count;
}

// True if the box shows the picture unscaled from its top-left corner on
// white, cut at the box's edges: the box as the picture box must draw it.
inline bool showsPicture(const QImage& screen, QRect box, std::string_view picture)
{
    const qreal ratio = screen.devicePixelRatio();
    QImage expected(box.size() * ratio, QImage::Format_RGB32);
    expected.setDevicePixelRatio(ratio);
    expected.fill(Qt::white);
    QPainter(&expected).drawImage(QPoint(0, 0), renderPicture(picture, ratio));
    const QImage shown = screen.copy(QRect(box.topLeft() * ratio, box.size() * ratio));
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (shown.pixel(x, y) != expected.pixel(x, y))
                return false;
    return true;
}

// How the gallows parts show themselves on the screen, by part number
// (teil1 = 1): the blocks and beams by a pixel of their colour that no other
// part covers, the two labels by enough pixels of their text colour, the
// picture boxes by their pictures.
struct PartPixel {
    int part;
    QPoint at;
    QColor colour;
};
inline const PartPixel partPixels[] = {
    {1, onPanel(20, 296), brown},    {2, onPanel(140, 295), brown},  {3, onPanel(400, 280), brown},
    {5, onPanel(420, 150), darkRed}, {6, onPanel(380, 20), darkRed}, {7, onPanel(370, 58), darkRed},
};
struct PartText {
    int part;
    QRect area;
    QColor colour;
};
inline const PartText partTexts[] = {
    {10, onPanel(19, 34, 179, 74), red},
    {11, onPanel(131, 19, 219, 87), darkGreen},
};
inline bool textShown(const QImage& screen, const PartText& p) { return countColour(screen, p.area, p.colour) > 200; }
struct PartPicture {
    int part;
    std::string_view picture;
    QRect box;
};
// Topmost first, as the picture boxes are stacked.
inline const PartPicture partPictures[] = {
    {12, picture_name::acquittal, onPanel(162, 124, 187, 180)},
    {9, picture_name::executioner, onPanel(157, 140, 62, 129)},
    {8, picture_name::hangedMan, onPanel(237, 25, 61, 130)},
    {4, picture_name::condemnedLedAway, onPanel(242, 124, 110, 117)},
};

inline void click(QWidget& window, QPoint at) { QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at); }

inline void press(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window.windowHandle(), key, modifiers);
}

// Types text as keys that produce it; the key code is the character's
// capital where Qt has one, as a keyboard reports it.
inline void type(QWidget& window, const QString& text)
{
    for (const char32_t ch : text.toUcs4()) {
        const char32_t upper = QChar::toUpper(ch);
        const auto key = upper < 0x100 ? Qt::Key(upper) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, window.windowHandle(), key, QString::fromUcs4(&ch, 1), Qt::NoModifier);
    }
}

}  // namespace galgen::testing
