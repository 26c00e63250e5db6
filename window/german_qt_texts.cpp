// SPDX-License-Identifier: GPL-3.0-or-later
#include "german_qt_texts.h"

#include <array>
#include <string_view>

namespace galgen {
namespace {

struct QtText {
    std::string_view context;
    std::string_view english;
    const char* german;  // UTF-8; '&' marks the access key, unique within its menu
};

constexpr std::array qtTexts{
    // The text box's context menu.
    QtText{"QLineEdit", "&Undo", "&Rückgängig"},
    QtText{"QLineEdit", "&Redo", "&Wiederholen"},
    QtText{"QLineEdit", "Cu&t", "&Ausschneiden"},
    QtText{"QLineEdit", "&Copy", "&Kopieren"},
    QtText{"QLineEdit", "&Paste", "Einf&ügen"},
    QtText{"QLineEdit", "Delete", "Löschen"},
    QtText{"QLineEdit", "Select All", "Alles auswählen"},
    // The modifier keys in the menu's shortcuts ("Strg+Z"). The error box's
    // "OK" stays as it is, in German too.
    QtText{"QShortcut", "Ctrl", "Strg"},
    QtText{"QShortcut", "Shift", "Umschalt"},
    // The button that unfolds a long message, a word list's many faults.
    QtText{"QMessageBox", "Show Details...", "Alle zeigen …"},
    QtText{"QMessageBox", "Hide Details...", "Weniger zeigen …"},
};

}  // namespace

QString GermanQtTexts::translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                                 int /*n*/) const
{
    if (context == nullptr || sourceText == nullptr)
        return {};
    for (const QtText& text : qtTexts) {
        if (text.context == context && text.english == sourceText)
            return QString::fromUtf8(text.german);
    }
    return {};
}

}  // namespace galgen
