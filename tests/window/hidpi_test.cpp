// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a screen of twice the density: everything twice as large,
// and drawn at that density rather than scaled up.
#include <QApplication>
#include <QTest>

#include "controls.h"
#include "game_window.h"
#include "screen_probe.h"
#include "scripted_random.h"

using namespace galgen;
using namespace galgen::testing;

class HiDpiTest : public QObject {
    Q_OBJECT

private slots:
    void everythingTwiceAsLargeAndSharp();
};

void HiDpiTest::everythingTwiceAsLargeAndSharp()
{
    ScriptedRandom random;
    GameWindow window(random);
    window.start();
    form::Form& form = window.form();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    random.pushRow(3);
    click(form, questionMark);
    type(form, "xyzqwvu");   // seven misses: steps, picture and beams
    const QImage screen = grabWindow(form);
    QCOMPARE(screen.devicePixelRatio(), 2.0);
    QCOMPARE(screen.size(), QSize(966, 898));
    QCOMPARE(colourAt(screen, {481, 300}), lightYellow);
    QCOMPARE(colourAt(screen, onPanel(20, 296)), brown);
    QCOMPARE(colourAt(screen, {14, 85}), darkBlue);

    // The post, 10 pixels wide at 96 dpi, covers 20 device pixels of a row.
    const QPoint post = onPanel(420, 150) * 2;
    int width = 0;
    for (int x = post.x() - 15; x <= post.x() + 15; ++x)
        width += screen.pixelColor(x, post.y()) == darkRed;
    QVERIFY2(width >= 18 && width <= 20, qPrintable(QString::number(width)));

    // The panel's etched border: grey at its top and left edges and one
    // pixel in from its bottom and right ones, white outside that; each
    // line two device pixels wide.
    const QColor grey(159, 159, 159);
    for (const QPoint at : {onPanel(0, 100), onPanel(474, 100), onPanel(100, 0), onPanel(100, 311)})
        QCOMPARE(colourAt(screen, at), grey);
    for (const QPoint at : {onPanel(475, 100), onPanel(100, 312)})
        QCOMPARE(colourAt(screen, at), white);
    QCOMPARE(countColour(screen, onPanel(0, 100, 476, 1), grey), 8);

    // The picture is drawn for the density, not enlarged from 96 dpi.
    QVERIFY(showsPicture(screen, onPanel(242, 124, 110, 117), picture_name::condemnedLedAway));
}

int main(int argc, char* argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    HiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hidpi_test.moc"
