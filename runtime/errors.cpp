// SPDX-License-Identifier: GPL-3.0-or-later
// German messages for the run-time errors.
#include "errors.h"

namespace galgen {

std::string_view errorTitle(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Overflow: return "Überlauf";
    case ErrorKind::SubscriptOutOfRange: return "Index außerhalb des gültigen Bereichs";
    case ErrorKind::DisplayFailed: return "Anzeigebefehl fehlgeschlagen";
    case ErrorKind::FloatingPoint: return "Ungültige Gleitkommaoperation";
    case ErrorKind::OutOfMemory: return "Nicht genügend Speicher";
    case ErrorKind::Internal: return "Interner Fehler";
    case ErrorKind::WordList: return "Wortliste nicht verwendet";
    }
    return "Unbekannter Laufzeitfehler";
}

namespace {
std::string message(ErrorKind kind, std::string_view detail)
{
    if (kind == ErrorKind::WordList)
        return std::string(detail);
    std::string text = "Laufzeitfehler: ";
    text += errorTitle(kind);
    if (!detail.empty()) {
        text += " (";
        text += detail;
        text += ')';
    }
    return text;
}
}  // namespace

RuntimeError::RuntimeError(ErrorKind kind, std::string_view detail)
    : std::runtime_error(message(kind, detail)), kind_(kind)
{
}

void raise(ErrorKind kind, std::string_view detail)
{
    throw RuntimeError(kind, detail);
}

}  // namespace galgen
