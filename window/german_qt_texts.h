// SPDX-License-Identifier: GPL-3.0-or-later
// German for the few texts of Qt's own that the game shows: the text box's
// context menu with its shortcut names, and the error box's button. Written
// here as a table, so the game speaks German without the translations of
// all of Qt installed, whatever the desktop's language.
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

}  // namespace galgen
