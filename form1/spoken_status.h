// SPDX-License-Identifier: GPL-3.0-or-later
// What a player who cannot see the screen is told after one of Form1's
// handlers has run: a short German status, derived from the game state and
// from which handler it was, never from the display commands. Nothing of it
// shows on the screen; the form engine hands it to assistive technology.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "game_state.h"

namespace galgen {

// The handlers after which the player may need to hear something. Loading
// and "Ende" say nothing: the screen reader reads the window as it opens,
// and an ended program has nothing left to tell. A new word list says how
// many words it brought, and the way back says so.
enum class Spoken : std::uint8_t { RoundStart, Key, NewGame, WordList, BuiltInWords };

// The status after `handler` has run on `after`; roundWasRunning is
// roundRunning() of the state before it. No value where nothing changed
// that the player must know: a key before the first round or after the end.
std::optional<std::string> spokenStatus(Spoken handler, bool roundWasRunning, const GameState& after);

}  // namespace galgen
