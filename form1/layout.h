// SPDX-License-Identifier: GPL-3.0-or-later
// The layout of the game's one window, Form1: every control as a row of a
// table, and its pictures, built in one loop by the form engine of each
// edition.
#pragma once

#include "form_layout.h"

namespace galgen {

const form::FormLayout& form1Layout();

}  // namespace galgen
