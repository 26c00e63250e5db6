// SPDX-License-Identifier: GPL-3.0-or-later
// The whole game in its window, played with real clicks and keys. A
// scripted random source decides the words; what the player sees is read
// from the grabbed window image and from the controls' texts.
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>
#include <set>
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

    void startScreen();
    void round();
    void missStagesAndLoss();
    void win();
    void wordsExhausted();
    void newGameInTheMiddleOfARound();
    void coveredQuestionMarkStartsNothing();
    void focusAndTabOrder();
    void accessibleActionStartsARound();
    void runtimeErrorIsReportedAndTheGameGoesOn();
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
    QWidget* control = window_->form().control(name);
    if (auto* label = qobject_cast<QLabel*>(control))
        return label->text();
    return qobject_cast<QLineEdit*>(control)->text();
}

void GameWindowTest::verifyStartScreen()
{
    const QImage screen = grabWindow(window());
    QCOMPARE(colourAt(screen, {481, 300}), lightYellow);
    QCOMPARE(colourAt(screen, {240, 447}), lightYellow);
    QCOMPARE(colourAt(screen, onPanel(40, 200)), white);
    QCOMPARE(colourAt(screen, {14, 85}), lightYellow);          // no word box
    QVERIFY(countColour(screen, questionMarkBox, red) > 20);    // the red "?"
    QCOMPARE(shownParts(screen), std::vector<std::string>{});
    QCOMPARE(text(control::Label1), startHeadline);
    QCOMPARE(text(control::Label2), startInstruction);
    QCOMPARE(text(control::textin), QStringLiteral("?"));
}

void GameWindowTest::startRound(int row)
{
    random_.pushRow(row);
    click(window(), questionMark);
}

void GameWindowTest::startScreen()
{
    verifyStartScreen();
    QCOMPARE(window().windowTitle(), QStringLiteral("Galgenmännchenspiel"));
    QCOMPARE(window().size(), QSize(483, 449));
    QCOMPARE(window_->form1().state().wordCount, i16(150));
    QCOMPARE(window_->form1().state().usedCount, i16(0));

    // Resized, nothing moves: the ground just shows further.
    window().resize(800, 600);
    QTRY_COMPARE(window().size(), QSize(800, 600));
    verifyStartScreen();
    QCOMPARE(colourAt(grabWindow(window()), {790, 590}), lightYellow);
    window().resize(483, 449);
    // Keys before the first round reach textin and change nothing else.
    // Tabbing in selects the "?", as in any text box, so "e" replaces it.
    press(window(), Qt::Key_Tab);
    type(window(), "ex");
    QCOMPARE(text(control::textin), QStringLiteral("ex"));
    QCOMPARE(shownParts(grabWindow(window())), std::vector<std::string>{});
    QCOMPARE(window_->form1().state().stage, i16(0));
}

void GameWindowTest::round()
{
    startRound(elefant);
    const QImage screen = grabWindow(window());
    QCOMPARE(colourAt(screen, {14, 85}), darkBlue);
    QCOMPARE(countColour(screen, questionMarkBox, red), 0);   // covered
    QCOMPARE(shownParts(screen), std::vector<std::string>{});
    QCOMPARE(text(control::Fragewort), QStringLiteral("-------"));
    QCOMPARE(text(control::Label1), roundHeadline);
    QVERIFY(text(control::Label2).startsWith(QStringLiteral("Es wurde ein geheimes Wort ermittelt")));
    QCOMPARE(focus(), window_->form().control(control::textin));

    // Hits show the word's own letters in either case; the keys still go
    // into the text box.
    type(window(), "eL");
    QCOMPARE(text(control::Fragewort), QStringLiteral("Ele----"));
    QCOMPARE(text(control::textin), QStringLiteral("?eL"));
    QCOMPARE(shownParts(grabWindow(window())), std::vector<std::string>{});
}

void GameWindowTest::missStagesAndLoss()
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
        QCOMPARE(text(control::Fragewort), QStringLiteral("-------"));
    }

    type(window(), "€");   // the eighth miss
    const std::vector<std::string> lost = parts({1, 2, 3, 5, 6, 7, 8, 9, 10});
    QCOMPARE(shownParts(grabWindow(window())), lost);
    QCOMPARE(text(control::Fragewort), QStringLiteral("Elefant"));

    type(window(), "eXa");   // ignored: neither hits nor misses
    QCOMPARE(shownParts(grabWindow(window())), lost);
    QCOMPARE(text(control::Fragewort), QStringLiteral("Elefant"));
}

void GameWindowTest::win()
{
    startRound(loeffel);
    type(window(), "xÖ");   // one miss, then the capital reveals the small ö
    QCOMPARE(text(control::Fragewort), QStringLiteral("-ö----"));
    QCOMPARE(shownParts(grabWindow(window())), parts({1}));
    type(window(), "ü");
    QCOMPARE(shownParts(grabWindow(window())), parts({1, 2}));
    type(window(), "FlE");

    QCOMPARE(text(control::Fragewort), QStringLiteral("Löffel"));
    const QImage screen = grabWindow(window());
    QCOMPARE(shownParts(screen), parts({11, 12}));

    type(window(), "qqqqqqqq");   // ignored
    QCOMPARE(shownParts(grabWindow(window())), parts({11, 12}));
}

void GameWindowTest::wordsExhausted()
{
    for (int row = 1; row <= 150; ++row) {
        startRound(row);
        click(window(), newGameButton);
    }
    QCOMPARE(window_->form1().state().usedCount, i16(150));
    click(window(), questionMark);   // no draw: the scripted source is empty
    const QImage screen = grabWindow(window());
    QCOMPARE(colourAt(screen, {14, 85}), darkBlue);
    QCOMPARE(text(control::Fragewort), QStringLiteral("Alle Worte verbraucht !!!"));
    QCOMPARE(text(control::Label1), startHeadline);
    QCOMPARE(text(control::Label2), startInstruction);
    QCOMPARE(shownParts(screen), std::vector<std::string>{});

    click(window(), newGameButton);
    verifyStartScreen();
}

void GameWindowTest::newGameInTheMiddleOfARound()
{
    startRound(elefant);
    type(window(), "ex");
    click(window(), newGameButton);
    verifyStartScreen();
    QCOMPARE(focus(), window_->form().control(control::spielneu));

    // Keys go to the focused button and change nothing.
    type(window(), "q");
    verifyStartScreen();

    // Tabbed back into textin, keys play on in the hidden round: a miss
    // shows its part on the start screen; a hit changes nothing visible.
    press(window(), Qt::Key_Tab);
    press(window(), Qt::Key_Tab);
    QCOMPARE(focus(), window_->form().control(control::textin));
    type(window(), "qL");
    const QImage screen = grabWindow(window());
    QCOMPARE(shownParts(screen), parts({2}));
    QCOMPARE(colourAt(screen, {14, 85}), lightYellow);
    QCOMPARE(text(control::Fragewort), QStringLiteral("E-e----").replace(1, 1, 'l'));

    // A click on "?" starts a new word; the part stays until a win or the
    // next start screen.
    startRound(hut);
    QCOMPARE(text(control::Fragewort), QStringLiteral("---"));
    QCOMPARE(shownParts(grabWindow(window())), parts({2}));
    type(window(), "z");
    QCOMPARE(shownParts(grabWindow(window())), parts({1, 2}));
}

void GameWindowTest::coveredQuestionMarkStartsNothing()
{
    startRound(elefant);
    type(window(), "e");
    click(window(), questionMark);   // a new round would draw, and the source is empty
    QCOMPARE(text(control::Fragewort), QStringLiteral("E-e----"));
    QCOMPARE(focus(), window_->form().control(control::textin));
    type(window(), "l");
    QCOMPARE(text(control::Fragewort), QStringLiteral("Ele----"));

    // The same after the round is lost.
    type(window(), "12345678");
    QCOMPARE(text(control::Fragewort), QStringLiteral("Elefant"));
    click(window(), questionMark);
    QCOMPARE(text(control::Fragewort), QStringLiteral("Elefant"));
    QCOMPARE(text(control::Label1), roundHeadline);
}

void GameWindowTest::focusAndTabOrder()
{
    QWidget* ende = window_->form().control(control::ende);
    QWidget* textin = window_->form().control(control::textin);
    QWidget* spielneu = window_->form().control(control::spielneu);
    QCOMPARE(focus(), ende);
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

    // With the word box over textin the order is the same: the disabled
    // word box and picture boxes never take the focus.
    startRound(elefant);
    QCOMPARE(focus(), textin);
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
    QCOMPARE(text(control::Label1), roundHeadline);
    QCOMPARE(focus(), window_->form().control(control::textin));

    QVERIFY(!actions->actionNames().contains(press));
    actions->doAction(press);   // would draw again; the scripted source has no value left
    type(window(), "e");
    QCOMPARE(text(control::Fragewort), QStringLiteral("E-e----"));
}

void GameWindowTest::runtimeErrorIsReportedAndTheGameGoesOn()
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
    QCOMPARE(text(control::Label1), roundHeadline);
    QCOMPARE(colourAt(grabWindow(window()), {14, 85}), darkBlue);

    click(window(), newGameButton);
    verifyStartScreen();
    startRound(hut);
    QCOMPARE(text(control::Fragewort), QStringLiteral("---"));
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
