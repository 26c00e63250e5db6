// SPDX-License-Identifier: GPL-3.0-or-later
// The page's dialog for typing a list of own words (words.js): a text area
// whose faults the game's list reader names while the player types, and
// the buttons that open a file into it, play it, copy a link to it, bring
// back the game's own words, or cancel.
#pragma once

extern "C" {

// Wires the dialog (#type-file) and the button beside the form that opens
// it (#type-file-button); a file opened into the dialog is read up to
// `limit` bytes.
void words_attach(int limit);

}
