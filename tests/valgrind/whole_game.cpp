// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game in the real window, as short as it can be: start, misses and
// a loss, "Neues Spiel", a win, "Neues Spiel" again, and "Ende", which ends
// the application's event loop as it ends the program. scripts/valgrind runs
// it under memcheck, which is why it plays each road once and no more; CTest
// runs it too, so that the script always has a working game to check. What
// each step shows is the table of form cases' business, not this game's: it
// only asks that the program ran through without an error and ended well.
#include <QApplication>
#include <QTest>
#include <QTimer>

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

    random.pushRow(3);   // Elefant
    click(form, questionMark);
    type(form, "exqz7\b\rß€");   // a hit, then eight misses
    grabWindow(form);             // paints the loss pictures
    click(form, newGameButton);
    random.pushRow(17);   // Löffel
    click(form, questionMark);
    type(form, "lxÖfE");
    grabWindow(form);     // paints the win picture
    click(form, newGameButton);

    // "Ende" from inside the event loop, as the player clicks it; the loop
    // ends when the window goes. The watchdog is generous for memcheck.
    QTimer::singleShot(0, &form, [&] { click(form, endButton); });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(120'000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    QCOMPARE(random.remaining(), std::size_t(0));
}

QTEST_MAIN(WholeGame)
#include "whole_game.moc"
