// SPDX-License-Identifier: GPL-3.0-or-later
// Renders every picture the way the window does and checks what a missing,
// swapped or broken drawing would get wrong: its size at 1x and 2x, an opaque
// ground of the right colour, enough drawing on it, black outlines, the
// figures' colours, and for the gallows icon the colours of its parts.
#include "pictures.h"

#include <QApplication>
#include <QIcon>
#include <QSvgRenderer>
#include <QTest>

#include "form.h"
#include "layout.h"
#include "picture_list.h"

namespace picture_name = galgen::picture_name;
using Picture = std::string_view;

Q_DECLARE_METATYPE(std::string_view)

namespace {

const QColor yellow(255, 255, 0);
const QColor gallowsBrown(102, 51, 51);

bool isBlack(QColor c) { return c.red() < 48 && c.green() < 48 && c.blue() < 48; }

// Colour families by hue, for recognising the figures' clothes.
enum class Hue { Red, Orange, Blue, Purple };

bool hasHue(QColor c, Hue hue)
{
    const QColor hsv = c.toHsv();
    if (hsv.hsvSaturation() < 120 || hsv.value() < 90)
        return false;
    const int h = hsv.hsvHue();
    switch (hue) {
    case Hue::Red: return h <= 10 || h >= 350;
    case Hue::Orange: return h >= 18 && h <= 40;
    case Hue::Blue: return h >= 200 && h <= 235;
    case Hue::Purple: return h >= 265 && h <= 310;
    }
    return false;
}

// Pixel at logical coordinates (x, y) of an image rendered at any ratio.
QColor at(const QImage &image, int x, int y)
{
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(int((x + 0.5) * dpr), int((y + 0.5) * dpr));
}

struct Counts {
    int opaque = 0, ground = 0, black = 0, total = 0;
};

Counts count(const QImage &image, QColor ground)
{
    Counts c;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            ++c.total;
            c.opaque += p.alpha() == 255;
            c.ground += p.rgb() == ground.rgb();
            c.black += isBlack(p);
        }
    return c;
}

int countHue(const QImage &image, Hue hue)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += hasHue(image.pixelColor(x, y), hue);
    return n;
}

const Picture allPictures[] = {picture_name::gallows, picture_name::condemnedLedAway, picture_name::hangedMan,
                               picture_name::executioner, picture_name::acquittal};

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void rendersDrawnPicture_data();
    void rendersDrawnPicture();
    void showsItsFigures_data();
    void showsItsFigures();
    void gallowsIconParts_data();
    void gallowsIconParts();
    void windowIcon();
    void descriptions();
};

void PicturesTest::rendersDrawnPicture_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QColor>("ground");
    QTest::addColumn<int>("blackPerMille");
    QTest::addColumn<qreal>("dpr");
    // The cartoons are outlined in black all over; the icon has only its
    // border and the noose's outline.
    struct Row {
        const char *name;
        Picture picture;
        QSize size;
        QColor ground;
        int blackPerMille;
    };
    const Row rows[] = {
        {"gallows icon", picture_name::gallows, {500, 561}, yellow, 5},
        {"condemned led away", picture_name::condemnedLedAway, {76, 116}, Qt::white, 30},
        {"hanged man", picture_name::hangedMan, {41, 124}, Qt::white, 30},
        {"executioner", picture_name::executioner, {45, 128}, Qt::white, 30},
        {"acquittal", picture_name::acquittal, {189, 180}, Qt::white, 30},
    };
    for (const Row &row : rows)
        for (qreal dpr : {1.0, 2.0})
            QTest::addRow("%s @%gx", row.name, dpr)
                << row.picture << row.size << row.ground << row.blackPerMille << dpr;
}

void PicturesTest::rendersDrawnPicture()
{
    QFETCH(Picture, picture);
    QFETCH(QSize, size);
    QFETCH(QColor, ground);
    QFETCH(int, blackPerMille);
    QFETCH(qreal, dpr);

    QCOMPARE(galgen::pictureSize(picture), size);
    // The drawing's own size must match, or it would be stretched to fit.
    QSvgRenderer svg(galgen::picturePath(picture));
    QVERIFY2(svg.isValid(), qPrintable(galgen::picturePath(picture)));
    QCOMPARE(svg.defaultSize(), size);

    const QImage image = galgen::renderPicture(picture, dpr);
    QCOMPARE(image.size(), size * dpr);
    QCOMPARE(image.devicePixelRatio(), dpr);

    // The icon has a black border, so its ground shows one pixel further in.
    const int in = picture == picture_name::gallows ? 2 : 0;
    const int right = size.width() - 1 - in, bottom = size.height() - 1 - in;
    for (QPoint corner : {QPoint(in, in), QPoint(right, in), QPoint(in, bottom), QPoint(right, bottom)})
        QCOMPARE(at(image, corner.x(), corner.y()), ground);

    const Counts c = count(image, ground);
    QCOMPARE(c.opaque, c.total);
    QVERIFY2(c.total - c.ground > c.total / 10, "too little drawn on the ground");
    QVERIFY2(c.black * 1000 > c.total * blackPerMille, "too few black outlines");
}

void PicturesTest::showsItsFigures_data()
{
    QTest::addColumn<Picture>("picture");
    QTest::addColumn<bool>("youngMan");
    QTest::addColumn<bool>("executioner");
    QTest::addColumn<bool>("rope");
    QTest::newRow("condemned led away") << picture_name::condemnedLedAway << true << true << false;
    QTest::newRow("hanged man") << picture_name::hangedMan << true << false << true;
    QTest::newRow("executioner") << picture_name::executioner << false << true << false;
    QTest::newRow("acquittal") << picture_name::acquittal << true << true << false;
}

// The young man wears a red shirt and blue jeans, the executioner a purple
// hood and orange gloves, the hanged man hangs from an orange-brown rope.
// A figure that is there shows a fair patch of its colours; one that is
// not shows none of the other figure's.
void PicturesTest::showsItsFigures()
{
    QFETCH(Picture, picture);
    QFETCH(bool, youngMan);
    QFETCH(bool, executioner);
    QFETCH(bool, rope);

    const QImage image = galgen::renderPicture(picture);
    const int red = countHue(image, Hue::Red), blue = countHue(image, Hue::Blue);
    const int purple = countHue(image, Hue::Purple), orange = countHue(image, Hue::Orange);
    const int patch = 12;
    QCOMPARE(red >= patch && blue >= patch, youngMan);
    QCOMPARE(red + blue == 0, !youngMan);
    QCOMPARE(purple >= patch, executioner);
    QCOMPARE(purple == 0, !executioner);
    QCOMPARE(orange >= 4, executioner || rope);
}

void PicturesTest::gallowsIconParts_data()
{
    QTest::addColumn<qreal>("dpr");
    QTest::newRow("1x") << 1.0;
    QTest::newRow("2x") << 2.0;
}

void PicturesTest::gallowsIconParts()
{
    QFETCH(qreal, dpr);
    const QImage icon = galgen::renderPicture(picture_name::gallows, dpr);

    for (QPoint p : {QPoint(0, 0), QPoint(250, 0), QPoint(499, 300), QPoint(250, 560), QPoint(0, 560)})
        QCOMPARE(at(icon, p.x(), p.y()), QColor(Qt::black));
    for (QPoint p : {QPoint(30, 300), QPoint(300, 300), QPoint(480, 100), QPoint(250, 545)})
        QCOMPARE(at(icon, p.x(), p.y()), yellow);

    // Beam along rows 21 to 32, post at x 447 to 459, brace between them.
    for (int x : {120, 200, 300, 400, 452})
        for (int y : {21, 26, 32})
            QCOMPARE(at(icon, x, y), gallowsBrown);
    for (int y : {40, 200, 300, 450})
        for (int x : {448, 453, 458})
            QCOMPARE(at(icon, x, y), gallowsBrown);
    QCOMPARE(at(icon, 350, 95), gallowsBrown);

    // The grey rope hangs from the beam's left end.
    for (int y : {40, 90, 130}) {
        const QColor rope = at(icon, 154, y);
        QVERIFY(rope.red() == rope.green() && rope.green() == rope.blue());
        QVERIFY(rope.red() > 90 && rope.red() < 230);
    }

    // The base: 80 and 67 grey mixed finely all over x 59 to 461, y 459 to 532.
    int dark = 0, light = 0;
    for (int y = 459; y <= 532; ++y)
        for (int x = 59; x <= 461; ++x) {
            const QColor c = at(icon, x, y);
            if (c == QColor(80, 80, 80))
                ++light;
            else if (c == QColor(67, 67, 67))
                ++dark;
            else if (x > 60 && x < 460 && y > 460 && y < 531)
                QFAIL(qPrintable(QStringLiteral("base pixel %1,%2 is %3").arg(x).arg(y).arg(c.name())));
        }
    QVERIFY(light > 402 * 74 / 4);
    QVERIFY(dark > 402 * 74 / 4);
    QCOMPARE(at(icon, 300, 458), yellow);
    QCOMPARE(at(icon, 300, 533), yellow);
}

// The window's icon is the gallows, from the sizes rendered at build time,
// read once the window has painted its content.
void PicturesTest::windowIcon()
{
    galgen::form::Form form(galgen::form1Layout(), galgen::pictureFolder);
    form.load();
    QVERIFY(form.windowIcon().isNull());
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(!form.windowIcon().isNull());
    const QIcon icon = form.windowIcon();
    QCOMPARE(icon.availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
    const QImage small = icon.pixmap(QSize(64, 64)).toImage();
    QVERIFY(!small.isNull());
    const QColor middle = small.pixelColor(small.width() / 4, small.height() / 2);
    QCOMPARE(middle, yellow);
}

void PicturesTest::descriptions()
{
    QStringList seen;
    for (Picture picture : allPictures) {
        const QString d = galgen::pictureDescription(picture);
        QVERIFY(!d.isEmpty());
        QVERIFY(!seen.contains(d));
        seen << d;
    }
    QCOMPARE(galgen::pictureDescription(picture_name::condemnedLedAway),
             QStringLiteral("Der Verurteilte wird abgeführt"));
}

QTEST_MAIN(PicturesTest)
#include "pictures_test.moc"
