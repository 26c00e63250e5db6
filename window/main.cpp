// SPDX-License-Identifier: GPL-3.0-or-later
// Galgenmännchenspiel: a German hangman game. Reads the command line,
// builds the one window, loads it on the start screen, with the word list
// the command line names if it names one, and runs until the window is
// closed.
#include <QApplication>
#include <QMessageBox>
#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

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
           "               aus ihr statt aus seinen eigenen 150. Eine Wortliste lässt sich auch mit\n"
           "               Strg+O öffnen oder auf das Fenster ziehen. 1 bis " + words + " Wörter aus den\n"
           "               Buchstaben A bis Z, Ä, Ö, Ü und ß, groß oder klein, je höchstens " + letters
           + " Buchstaben\n"
           "               lang; Zeilen mit # am Anfang zählen nicht.\n"
           "  -h, --help   zeigt diese Hilfe\n"
           "  --version    zeigt die Version\n"
           "\n"
           "Usage: galgenmaennchen [WORDLIST]\n"
           "The German hangman game: guess the secret word letter by letter before the gallows is\n"
           "complete.\n"
           "\n"
           "  WORDLIST     a text file with one word per line: the game then draws its words from it\n"
           "               instead of its own 150. A word list can also be opened with Ctrl+O or\n"
           "               dropped on the window.\n"
           "               1 to " + words + " words of the letters A to Z, Ä, Ö, Ü and ß, in either case,\n"
           "               at most " + letters + " letters each; lines starting with # are comments.\n"
           "  -h, --help   shows this help\n"
           "  --version    shows the version\n";
}

// Qt's own options, which QApplication takes out of the command line: those
// followed by a value (or joined to it by "="), and those alone. Qt takes
// them with one dash or two.
constexpr std::array<std::string_view, 13> qtOptionsWithValue = {
    "style", "stylesheet", "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle", "session", "display", "geometry", "qmljsdebugger",
};
constexpr std::array<std::string_view, 2> qtOptionsAlone = {"widgetcount", "reverse"};

// What the command line asks for: a word list, or only the help or the
// version, or nothing it can do.
struct CommandLine {
    std::optional<std::string> wordList;
    std::optional<int> exitNow;   // the status to end with at once
};

template <typename Names>
bool among(const Names& names, std::string_view name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Read before Qt starts, which would want a display just to say that an
// option is unknown.
CommandLine readCommandLine(int argc, char* argv[])
{
    CommandLine line;
    const auto usage = [&line](const std::string& message) {
        std::fprintf(stderr, "galgenmaennchen: %s (--help zeigt die Hilfe)\n", message.c_str());
        line.exitNow = 2;
        return line;
    };
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "-h" || argument == "--help")) {
            std::fputs(help().c_str(), stdout);
            line.exitNow = 0;
            return line;
        } else if (options && argument == "--version") {
            std::printf("galgenmaennchen %s\n", GALGEN_VERSION);
            line.exitNow = 0;
            return line;
        } else if (options && argument.size() > 1 && argument[0] == '-') {
            std::string_view name = argument.substr(argument.starts_with("--") ? 2 : 1);
            const bool joined = name.find('=') != std::string_view::npos;
            name = name.substr(0, name.find('='));
            if (among(qtOptionsWithValue, name))
                i += joined ? 0 : 1;
            else if (!among(qtOptionsAlone, name))
                return usage("unbekannte Option „" + std::string(argument) + "“");
        } else if (line.wordList) {
            return usage("nur eine Wortliste, bitte");
        } else {
            line.wordList = std::string(argument);
        }
    }
    return line;
}


}  // namespace

int main(int argc, char* argv[])
{
    const CommandLine line = readCommandLine(argc, argv);
    if (line.exitNow)
        return *line.exitNow;

    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("galgenmaennchen"));
    QCoreApplication::setApplicationVersion(QStringLiteral(GALGEN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.galgenmaennchen.galgenmaennchenspiel"));

    // The game speaks German whatever the desktop's language, down to the
    // file dialog and the error box's buttons.
    galgen::speakGerman();

    // A form its program cannot build says why and ends, never crashes.
    try {
        galgen::ClockRandom random;
        galgen::GameWindow window(random);
        window.start(line.wordList);
        return QApplication::exec();
    } catch (const std::exception& error) {
        QMessageBox::critical(nullptr, QStringLiteral("Galgenmännchenspiel"), QString::fromUtf8(error.what()));
        return 1;
    }
}
