// SPDX-License-Identifier: GPL-3.0-or-later
// The game's own German for the few texts of Qt's that it words otherwise
// than Qt's translations do (qtbase_de, which speak German for the rest).
#pragma once

#include <QTranslator>

namespace galgen {

class GermanQtTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    // The German text of a Qt text, or an empty string for any other text,
    // which Qt then shows as it is.
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

// Makes Qt's own texts German, whatever the desktop's language: Qt's
// translations (qtbase_de, which Debian's qt6-translations-l10n installs in
// Qt's translations folder), and before them the game's few words of its
// own. Needs the application object, and lasts as long as it.
void speakGerman();

}  // namespace galgen
