// SPDX-License-Identifier: GPL-3.0-or-later
// The error boundary around every event handler.
//
// A run-time error ends the handler where it was raised; what the handler did
// before stays done. The error goes to the reporter (the window shows it to
// the player) and the program carries on with the next event.
#pragma once

#include <functional>

#include "errors.h"

namespace galgen {

using ErrorReporter = std::function<void(const RuntimeError&)>;

// Runs handler; returns false if it ended in an error, which has then been
// reported. Other exceptions (out of memory, say) are reported as run-time
// errors of their own kind, never swallowed.
bool runHandler(const std::function<void()>& handler, const ErrorReporter& report);

}  // namespace galgen
