// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game in the real window, as short as it can be: start, misses and
// a loss, "Neues Spiel", a win, "Neues Spiel" again, and "Ende", which ends
// the application's event loop as it ends the program. scripts/valgrind runs
// it under memcheck, which is why it plays each road once and no more; CTest
// runs it too, so that the script always has a working game to check.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "controls.h"
#include "game_window.h"
#include "screen_probe.h"
#include "scripted_random.h"

using namespace galgen;
using namespace galgen::testing;

class WholeGame : public QObject {
    Q_OBJECT

private slots:
    void startLoseWinAndEnd();
};

void WholeGame::startLoseWinAndEnd()
{
    ScriptedRandom random;
    GameWindow window(random);
    QStringList errors;
    window.form().engine().setErrorReporter([&](const RuntimeError& e) { errors << QString::fromUtf8(e.what()); });
    window.start();
    QWidget& form = window.form();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const GameState& state = window.form1().state();
    auto wordBox = [&] { return qobject_cast<QLineEdit*>(window.form().control(control::Fragewort))->text(); };

    random.pushRow(3);   // Elefant
    click(form, questionMark);
    type(form, "exqz7");   // a hit, then misses
    QCOMPARE(wordBox(), QStringLiteral("E-e----"));
    QCOMPARE(state.stage, i16(4));
    type(form, "\b\rß€");   // the eighth miss loses
    QCOMPARE(state.stage, i16(8));
    QCOMPARE(wordBox(), QStringLiteral("Elefant"));
    QCOMPARE(grabWindow(form).isNull(), false);   // paints the loss pictures

    click(form, newGameButton);
    random.pushRow(17);   // Löffel
    click(form, questionMark);
    type(form, "lxÖfE");
    QCOMPARE(state.stage, i16(100));
    QCOMPARE(wordBox(), QStringLiteral("Löffel"));
    QCOMPARE(grabWindow(form).isNull(), false);   // paints the win picture

    click(form, newGameButton);
    QVERIFY(!window.form().control(control::Fragewort)->isVisible());

    // "Ende" from inside the event loop, as the player clicks it; the loop
    // ends when the window goes. The watchdog is generous for memcheck.
    QTimer::singleShot(0, &form, [&] { click(form, endButton); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(120'000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!form.isVisible());
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    QCOMPARE(random.remaining(), std::size_t(0));
}

QTEST_MAIN(WholeGame)
#include "whole_game.moc"
