// SPDX-License-Identifier: GPL-3.0-or-later
// The game's window: Form1's handlers wired to the Qt form engine's window
// built from Form1's layout, with the compiled-in pictures.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "form.h"
#include "form1.h"
#include "random.h"

namespace galgen {

class GameWindow {
public:
    explicit GameWindow(RandomSource& random);
    ~GameWindow();

    // Loads Form1 and shows it on the start screen; with the path of a word
    // list, then hands that file to the form as if it had been dropped on it.
    void start(const std::optional<std::string>& wordList = std::nullopt);

    form::Form& form() { return *form_; }
    const Form1& form1() const { return form1_; }

private:
    std::unique_ptr<form::Form> form_;
    Form1 form1_;
};

}  // namespace galgen
