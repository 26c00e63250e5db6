// SPDX-License-Identifier: GPL-3.0-or-later
#include "german_qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
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
    // The button that unfolds a long message, a word list's many faults:
    // what it shows is all of them, not details.
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

void speakGerman()
{
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    QCoreApplication::installTranslator(new GermanQtTexts(QCoreApplication::instance()));
}

}  // namespace galgen
