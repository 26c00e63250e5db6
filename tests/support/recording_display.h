// SPDX-License-Identifier: GPL-3.0-or-later
// A display for tests that carries out nothing on a screen: it keeps the log
// of every command, and the resulting state of every control, so that a test
// can check the order where the rules fix one and otherwise what the player
// would see. Like the real window it fails on a name no control bears and on
// a property the control's kind lacks; failOn() makes one command fail on
// purpose.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display.h"

namespace galgen::testing {

class RecordingDisplay final : public Display {
public:
    RecordingDisplay();

    void apply(const DisplayCommand& command) override;

    // The caption of a label or the text of a text box, as UTF-8.
    std::string text(std::string_view control) const;
    bool visible(std::string_view control) const;
    // The visible gallows parts, by name, in order teil1..teil12.
    std::vector<std::string> visibleGallows() const;

    // The next command matching control and property raises the failed
    // display-command error instead of taking effect.
    void failOn(std::string_view control, Property property);

    std::vector<DisplayCommand> log;

private:
    struct Control {
        Property textProperty;   // Caption for labels, Text for text boxes
        bool hasText;
        Text text;
        bool visible = true;
    };
    std::map<std::string, Control, std::less<>> controls_;
    std::optional<std::pair<std::string, Property>> failure_;
};

// A display that does nothing at all, for benchmarks and for tests that
// only look at the game state.
class NullDisplay final : public Display {
public:
    void apply(const DisplayCommand&) override {}
};

}  // namespace galgen::testing
