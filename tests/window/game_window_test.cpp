// SPDX-License-Identifier: GPL-3.0-or-later
// The game in its window, where only the desktop shows it: the start screen
// read from the grabbed window image, the window's size and resizing, the
// focus frame and Tab's wrap, the real message box of a run-time error, a
// word list given at the start, and the end of the program's event loop.
// What the game does with clicks and keys, texts and focus, is in the table
// of form cases that every engine runs (cases_test.cpp); the monkey checks
// every gallows part's pixels against its model.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>
#include <vector>

#include "controls.h"
#include "game_window.h"
#include "screen_probe.h"
#include "scripted_random.h"

using namespace galgen;
using namespace galgen::testing;

namespace {

constexpr int elefant = 3;   // a row of the built-in word list

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startScreenAndResizing();
    void focusFrameAndTabWrap();
    void runtimeErrorShowsAMessageBox();
    void startsWithTheWordListItIsGiven();
    void endeEndsTheProgram_data();
    void endeEndsTheProgram();

private:
    QWidget& window() { return window_->form(); }
    QWidget* focus() { return QApplication::focusWidget(); }
    void verifyStartScreen();
    void startRound(int row);

    ScriptedRandom random_;
    std::unique_ptr<GameWindow> window_;
    QStringList errors_;
};

void GameWindowTest::init()
{
    random_ = ScriptedRandom();
    errors_.clear();
    window_ = std::make_unique<GameWindow>(random_);
    window_->form().engine().setErrorReporter([this](const RuntimeError& e) { errors_ << QString::fromUtf8(e.what()); });
    window_->start();
    QVERIFY(QTest::qWaitForWindowActive(&window()));
}

void GameWindowTest::cleanup()
{
    QVERIFY2(errors_.isEmpty(), qPrintable(errors_.join('\n')));
    QCOMPARE(random_.remaining(), std::size_t(0));
    window_.reset();
}

// The start screen as drawn: the light yellow ground, the empty white
// panel, no word box and the red "?".
void GameWindowTest::verifyStartScreen()
{
    const QImage screen = grabWindow(window());
    QCOMPARE(colourAt(screen, {481, 300}), lightYellow);
    QCOMPARE(colourAt(screen, {240, 447}), lightYellow);
    QCOMPARE(colourAt(screen, onPanel(40, 200)), white);
    QCOMPARE(colourAt(screen, {14, 85}), lightYellow);          // no word box
    QVERIFY(countColour(screen, questionMarkBox, red) > 20);    // the red "?"
}

void GameWindowTest::startRound(int row)
{
    random_.pushRow(row);
    click(window(), questionMark);
}

void GameWindowTest::startScreenAndResizing()
{
    verifyStartScreen();
    QCOMPARE(window().windowTitle(), QStringLiteral("Galgenmännchenspiel"));
    QCOMPARE(window().size(), QSize(483, 449));

    // Resized, nothing moves: the ground just shows further.
    window().resize(800, 600);
    QTRY_COMPARE(window().size(), QSize(800, 600));
    verifyStartScreen();
    QCOMPARE(colourAt(grabWindow(window()), {790, 590}), lightYellow);
}

// Tab and Shift+Tab wrap inside the window, where a page's focus leaves
// for the browser; the order itself is the table's. The focus frame shows
// on "Ende" from the start, as after tabbing there.
void GameWindowTest::focusFrameAndTabWrap()
{
    QWidget* ende = window_->form().control(control::ende);
    const QRect endeButton{248, 102, 227, 30};
    const QImage endeAtStart = grabWindow(window()).copy(endeButton);

    press(window(), Qt::Key_Backtab);
    QCOMPARE(focus(), window_->form().control(control::spielneu));
    QVERIFY(grabWindow(window()).copy(endeButton) != endeAtStart);
    press(window(), Qt::Key_Tab);
    QCOMPARE(focus(), ende);
    QCOMPARE(grabWindow(window()).copy(endeButton), endeAtStart);
}

void GameWindowTest::runtimeErrorShowsAMessageBox()
{
    // The real message box this time, closed as soon as it shows.
    window_.reset();
    window_ = std::make_unique<GameWindow>(random_);
    window_->start();
    QVERIFY(QTest::qWaitForWindowActive(&window()));

    QString shown;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + ": " + box->text();
            box->accept();
        }
    });
    closer.start(10);

    random_.push(1000.0f);   // 150 * 1000 does not fit 16 bits
    click(window(), questionMark);
    QVERIFY2(shown.startsWith(QStringLiteral("Galgenmännchenspiel: Laufzeitfehler: Überlauf")), qPrintable(shown));
}

// As "galgenmaennchen tiere.txt" starts it: on the start screen, the
// list's words drawn from the first round on.
void GameWindowTest::startsWithTheWordListItIsGiven()
{
    window_ = std::make_unique<GameWindow>(random_);
    window_->form().engine().setErrorReporter([this](const RuntimeError& e) { errors_ << QString::fromUtf8(e.what()); });
    window_->start(GALGEN_SOURCE_DIR "/examples/tiere.txt");
    QVERIFY(QTest::qWaitForWindowActive(&window()));
    verifyStartScreen();
    QCOMPARE(window_->form1().state().wordCount, 24);
    random_.pushRow(5, 24);
    click(window(), questionMark);
    QCOMPARE(window_->form1().state().currentWord->toUtf8(), "Strauß");
}

void GameWindowTest::endeEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"click", "close"})
        QTest::newRow(how) << QString(how);
}

// The application's own event loop runs until the window goes; it must end
// with status 0 at once, in the middle of a round or right after the start.
void GameWindowTest::endeEndsTheProgram()
{
    QFETCH(QString, how);
    if (how == "click")
        startRound(elefant);
    QTimer::singleShot(0, &window(), [&] {
        if (how == "click")
            click(window(), endButton);
        else
            window().windowHandle()->close();
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(5000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!window().isVisible());
}

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
