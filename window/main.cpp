// SPDX-License-Identifier: GPL-3.0-or-later
// Galgenmännchenspiel: a German hangman game. Builds the one window, loads
// it on the start screen, with the word list the command line names if it
// names one, and runs until the window is closed.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <exception>
#include <optional>
#include <string>

#include "game_window.h"
#include "german_qt_texts.h"
#include "random.h"
#include "word_file.h"

namespace {

// In German and English; the limits are the game's own.
std::string help()
{
    const std::string words = std::to_string(galgen::maxListWords);
    const std::string letters = std::to_string(galgen::maxWordLetters);
    return "Aufruf: galgenmaennchen [WORTLISTE]\n"
           "Galgenmännchenspiel: Errate das geheime Wort Buchstabe für Buchstabe, bevor der Galgen\n"
           "fertig ist.\n"
           "\n"
           "  WORTLISTE    eine Textdatei mit einem Wort je Zeile: Das Spiel zieht seine Wörter dann\n"
           "               aus ihr statt aus seinen eigenen 150. Eine Wortliste lässt sich auch auf\n"
           "               das Fenster ziehen. 1 bis " + words + " Wörter aus den Buchstaben A bis Z, Ä, Ö, Ü\n"
           "               und ß, groß oder klein, je höchstens " + letters + " Buchstaben lang; Zeilen mit #\n"
           "               am Anfang zählen nicht.\n"
           "  -h, --help   zeigt diese Hilfe\n"
           "\n"
           "Usage: galgenmaennchen [WORDLIST]\n"
           "The German hangman game: guess the secret word letter by letter before the gallows is\n"
           "complete.\n"
           "\n"
           "  WORDLIST     a text file with one word per line: the game then draws its words from it\n"
           "               instead of its own 150. A word list can also be dropped on the window.\n"
           "               1 to " + words + " words of the letters A to Z, Ä, Ö, Ü and ß, in either case,\n"
           "               at most " + letters + " letters each; lines starting with # are comments.\n"
           "  -h, --help   shows this help\n";
}

}  // namespace

int main(int argc, char* argv[])
{
    // Before Qt, which would want a display just to print the help.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            std::fputs(help().c_str(), stdout);
            return 0;
        }
    }

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("galgenmaennchen"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GALGEN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.galgenmaennchen.galgenmaennchenspiel"));

    // Qt has taken its own options (-platform and the like) out.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    for (const QString& argument : arguments) {
        if (argument.startsWith('-')) {
            std::fprintf(stderr, "galgenmaennchen: unbekannte Option „%s“ (--help zeigt die Hilfe)\n",
                         argument.toLocal8Bit().constData());
            return 2;
        }
    }
    if (arguments.size() > 1) {
        std::fputs("galgenmaennchen: nur eine Wortliste, bitte (--help zeigt die Hilfe)\n", stderr);
        return 2;
    }
    std::optional<std::string> wordList;
    if (!arguments.isEmpty())
        wordList = QFile::encodeName(arguments.front()).toStdString();

    // The game speaks German whatever the desktop's language, down to the
    // text box's context menu and the error box's button.
    galgen::GermanQtTexts qtTexts;
    QCoreApplication::installTranslator(&qtTexts);

    // A form its program cannot build says why and ends, never crashes.
    try {
        galgen::ClockRandom random;
        galgen::GameWindow window(random);
        window.start(wordList);
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Galgenmännchenspiel"), QString::fromUtf8(error.what()));
        return 1;
    }
}
