// Galgenmännchenspiel: a German hangman game. Builds the one window, loads
// it on the start screen and runs until the window is closed.
#include <QApplication>

#include "game_window.h"
#include "random.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("galgenmaennchen"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.00"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.galgenmaennchen.Galgenmaennchenspiel"));

    galgen::ClockRandom random;
    galgen::GameWindow window(random);
    window.start();
    return QApplication::exec();
}
