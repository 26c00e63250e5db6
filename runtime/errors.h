// SPDX-License-Identifier: GPL-3.0-or-later
// Run-time errors of the game's runtime.
//
// The game never catches these. An error ends the running event handler at
// the point where it was raised; whatever the handler did before that stays
// done. The error boundary (error_boundary.h) hands it to a reporter, and the
// program goes on.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace galgen {

enum class ErrorKind {
    Overflow,              // a 16-bit value would leave -32768..32767
    SubscriptOutOfRange,   // a table row outside the table's bounds
    DisplayFailed,         // a display command no control can carry out
    FloatingPoint,         // an invalid floating-point operation
    OutOfMemory,           // an allocation failed
    Internal,              // any other exception that reached a handler's boundary
    WordList,              // a word list file with faults, or one that could not be read
};

// Its message is "Laufzeitfehler: " with the kind's title and the detail in
// brackets; a word list's fault is the player's file, not the program's, and
// its message is the detail alone.
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(ErrorKind kind, std::string_view detail = {});

    ErrorKind kind() const noexcept { return kind_; }

private:
    ErrorKind kind_;
};

// The German name of an error kind, as the player reads it: "Überlauf", ...
std::string_view errorTitle(ErrorKind kind);

[[noreturn]] void raise(ErrorKind kind, std::string_view detail = {});

}  // namespace galgen
