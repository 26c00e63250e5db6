// SPDX-License-Identifier: GPL-3.0-or-later
// Galgenmännchenspiel: a German hangman game. Builds the one window, loads
// it on the start screen and runs until the window is closed.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "game_window.h"
#include "german_qt_texts.h"
#include "random.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("galgenmaennchen"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GALGEN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.galgenmaennchen.galgenmaennchenspiel"));

    // The game speaks German whatever the desktop's language, down to the
    // text box's context menu and the error box's button.
    galgen::GermanQtTexts qtTexts;
    QCoreApplication::installTranslator(&qtTexts);

    // A form its program cannot build says why and ends, never crashes.
    try {
        galgen::ClockRandom random;
        galgen::GameWindow window(random);
        window.start();
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Galgenmännchenspiel"), QString::fromUtf8(error.what()));
        return 1;
    }
}
