// SPDX-License-Identifier: GPL-3.0-or-later
// The game in its window, as the window draws it: the screens and the
// gallows parts read from the grabbed window image, the window's size and
// resizing, the focus frame and Tab's wrap, the "?" box's accessible action,
// the real message box of a run-time error, and the end of the program's
// event loop. What the game does with clicks and keys, texts and focus, is
// in the table of form cases that every engine runs (cases_test.cpp).
#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "controls.h"
#include "game_window.h"
#include "screen_probe.h"
#include "scripted_random.h"

using namespace galgen;
using namespace galgen::testing;

namespace {

// Rows of the built-in word list.
constexpr int elefant = 3;
constexpr int loeffel = 17;
constexpr int hut = 89;

bool partShown(const QImage& screen, int part)
{
    for (const PartPixel& p : partPixels)
        if (p.part == part)
            return colourAt(screen, p.at) == p.colour;
    for (const PartText& p : partTexts)
        if (p.part == part)
            return textShown(screen, p);
    for (const PartPicture& p : partPictures)
        if (p.part == part)
            return showsPicture(screen, p.box, p.picture);
    return false;
}

std::vector<std::string> shownParts(const QImage& screen)
{
    std::vector<std::string> shown;
    for (int part = 1; part <= 12; ++part)
        if (partShown(screen, part))
            shown.emplace_back(control::gallows[std::size_t(part - 1)]);
    return shown;
}

std::vector<std::string> parts(std::initializer_list<int> numbers)
{
    std::vector<std::string> names;
    for (int n : numbers)
        names.push_back("teil" + std::to_string(n));
    return names;
}

}  // namespace

class GameWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startScreenAndResizing();
    void roundCoversTheQuestionMark();
    void eachMissDrawsItsPartTheLossAndTheWinTheirs();
    void exhaustedWordsCoverTheQuestionMark();
    void hiddenRoundDrawsOnTheStartScreen();
    void focusFrameAndTabWrap();
    void accessibleActionStartsARound();
    void runtimeErrorShowsAMessageBox();
    void endeEndsTheProgram_data();
    void endeEndsTheProgram();

private:
    QWidget& window() { return window_->form(); }
    QString text(std::string_view control);
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

QString GameWindowTest::text(std::string_view name)
{
    return qobject_cast<QLineEdit*>(window_->form().control(name))->text();
}

// The start screen as drawn: the light yellow ground, the empty white
// panel, no word box, the red "?" and no part of the gallows.
void GameWindowTest::verifyStartScreen()
{
    const QImage screen = grabWindow(window());
    QCOMPARE(colourAt(screen, {481, 300}), lightYellow);
    QCOMPARE(colourAt(screen, {240, 447}), lightYellow);
    QCOMPARE(colourAt(screen, onPanel(40, 200)), white);
    QCOMPARE(colourAt(screen, {14, 85}), lightYellow);          // no word box
    QVERIFY(countColour(screen, questionMarkBox, red) > 20);    // the red "?"
    QCOMPARE(shownParts(screen), std::vector<std::string>{});
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
    window().resize(483, 449);
    // Keys before the first round draw nothing.
    press(window(), Qt::Key_Tab);
    type(window(), "ex");
    QCOMPARE(shownParts(grabWindow(window())), std::vector<std::string>{});
}

void GameWindowTest::roundCoversTheQuestionMark()
{
    startRound(elefant);
    const QImage screen = grabWindow(window());
    QCOMPARE(colourAt(screen, {14, 85}), darkBlue);
    QCOMPARE(countColour(screen, questionMarkBox, red), 0);   // covered
    QCOMPARE(shownParts(screen), std::vector<std::string>{});
    type(window(), "eL");   // hits draw no part
    QCOMPARE(shownParts(grabWindow(window())), std::vector<std::string>{});
}

void GameWindowTest::eachMissDrawsItsPartTheLossAndTheWinTheirs()
{
    startRound(elefant);
    // Seven different kinds of miss: letters, a digit, Backspace, Enter.
    const std::vector<std::pair<Qt::Key, QString>> misses = {
        {Qt::Key_X, "x"}, {Qt::Key_Q, "Q"}, {Qt::Key_7, "7"}, {Qt::Key_Backspace, "\b"},
        {Qt::Key_Return, "\r"}, {Qt::Key_X, "x"}, {Qt::Key_ssharp, "ß"},
    };
    for (std::size_t m = 1; m <= misses.size(); ++m) {
        QTest::sendKeyEvent(QTest::Click, window().windowHandle(), misses[m - 1].first, misses[m - 1].second, {});
        std::vector<std::string> expected;
        for (std::size_t n = 1; n <= m; ++n)
            expected.push_back("teil" + std::to_string(n));
        QCOMPARE(shownParts(grabWindow(window())), expected);
    }
    type(window(), "€");   // the eighth miss
    const std::vector<std::string> lost = parts({1, 2, 3, 5, 6, 7, 8, 9, 10});
    QCOMPARE(shownParts(grabWindow(window())), lost);
    type(window(), "eXa");   // ignored
    QCOMPARE(shownParts(grabWindow(window())), lost);

    click(window(), newGameButton);
    startRound(loeffel);
    type(window(), "xÖ");
    QCOMPARE(shownParts(grabWindow(window())), parts({1}));
    type(window(), "üFlE");
    QCOMPARE(shownParts(grabWindow(window())), parts({11, 12}));
    type(window(), "qqqqqqqq");   // ignored
    QCOMPARE(shownParts(grabWindow(window())), parts({11, 12}));
}

void GameWindowTest::exhaustedWordsCoverTheQuestionMark()
{
    for (int row = 1; row <= 150; ++row) {
        startRound(row);
        click(window(), newGameButton);
    }
    click(window(), questionMark);   // no draw: the scripted source is empty
    const QImage screen = grabWindow(window());
    QCOMPARE(colourAt(screen, {14, 85}), darkBlue);
    QCOMPARE(countColour(screen, questionMarkBox, red), 0);
    QCOMPARE(shownParts(screen), std::vector<std::string>{});
    click(window(), newGameButton);
    verifyStartScreen();
}

// Tab wraps from the last control to the first, as in any window.
void GameWindowTest::hiddenRoundDrawsOnTheStartScreen()
{
    startRound(elefant);
    type(window(), "ex");
    click(window(), newGameButton);
    verifyStartScreen();
    press(window(), Qt::Key_Tab);
    press(window(), Qt::Key_Tab);
    QCOMPARE(focus(), window_->form().control(control::textin));
    type(window(), "qL");
    const QImage screen = grabWindow(window());
    QCOMPARE(shownParts(screen), parts({2}));
    QCOMPARE(colourAt(screen, {14, 85}), lightYellow);
    // A new round starts on the part the hidden one left.
    startRound(hut);
    QCOMPARE(shownParts(grabWindow(window())), parts({2}));
    type(window(), "z");
    QCOMPARE(shownParts(grabWindow(window())), parts({1, 2}));
}

void GameWindowTest::focusFrameAndTabWrap()
{
    QWidget* ende = window_->form().control(control::ende);
    QWidget* textin = window_->form().control(control::textin);
    QWidget* spielneu = window_->form().control(control::spielneu);
    const QRect endeButton{248, 102, 227, 30};
    const QImage endeAtStart = grabWindow(window()).copy(endeButton);

    const std::vector<std::pair<Qt::Key, QWidget*>> steps = {
        {Qt::Key_Tab, textin}, {Qt::Key_Tab, spielneu}, {Qt::Key_Tab, ende}, {Qt::Key_Backtab, spielneu},
    };
    for (const auto& [key, expected] : steps) {
        press(window(), key);
        QCOMPARE(focus(), expected);
        // The focus shows on "Ende" from the start, as after tabbing there.
        QCOMPARE(grabWindow(window()).copy(endeButton) == endeAtStart, expected == ende);
    }

    // With the word box over textin the order wraps the same way.
    startRound(elefant);
    for (QWidget* expected : {spielneu, ende, textin}) {
        press(window(), Qt::Key_Tab);
        QCOMPARE(focus(), expected);
    }
}

// Without the mouse: the "?" box's action "Neues Wort" starts a round as a
// click does, focus included, so the next keys are guesses; while the word
// box covers the "?" it is neither offered nor done.
void GameWindowTest::accessibleActionStartsARound()
{
    QAccessibleActionInterface* actions =
        QAccessible::queryAccessibleInterface(window_->form().control(control::textin))->actionInterface();
    const QString press = QAccessibleActionInterface::pressAction();
    QCOMPARE(actions->localizedActionName(press), QStringLiteral("Neues Wort"));
    QVERIFY(actions->actionNames().contains(press));

    random_.pushRow(elefant);
    actions->doAction(press);
    QCOMPARE(text(control::Fragewort), QStringLiteral("-------"));
    QCOMPARE(focus(), window_->form().control(control::textin));

    QVERIFY(!actions->actionNames().contains(press));
    actions->doAction(press);   // would draw again; the scripted source has no value left
    type(window(), "e");
    QCOMPARE(text(control::Fragewort), QStringLiteral("E-e----"));
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
    // What the round start did before the error stays on the screen.
    QCOMPARE(colourAt(grabWindow(window()), {14, 85}), darkBlue);
}

void GameWindowTest::endeEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    for (const char* how : {"click", "space", "return", "keypad enter", "close"})
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
        else if (how == "space")
            press(window(), Qt::Key_Space);   // the focus is on "Ende" at the start
        else if (how == "return")
            press(window(), Qt::Key_Return);
        else if (how == "keypad enter")
            press(window(), Qt::Key_Enter, Qt::KeypadModifier);
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
