// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording_display.h"

#include "controls.h"

namespace galgen::testing {

RecordingDisplay::RecordingDisplay()
{
    using namespace galgen::control;
    for (const auto label : {Label1, Label2, teil10, teil11})
        controls_[std::string(label)] = {Property::Caption, true, {}};
    for (const auto box : {Fragewort, textin})
        controls_[std::string(box)] = {Property::Text, true, {}};
    for (const auto other : {spielneu, ende, item9a, teil1, teil2, teil3, teil4, teil5, teil6, teil7, teil8,
                             teil9, teil12})
        controls_[std::string(other)] = {Property::Visible, false, {}};
    controls_[std::string(textin)].text = Text::fromCp1252("?");
}

void RecordingDisplay::apply(const DisplayCommand& command)
{
    if (failure_ && failure_->first == command.control && failure_->second == command.property) {
        failure_.reset();
        failDisplay(command, "absichtlich im Test");
    }
    const auto found = controls_.find(command.control);
    if (found == controls_.end())
        failDisplay(command, "kein Steuerelement dieses Namens");
    Control& c = found->second;
    if (command.property == Property::Visible) {
        c.visible = std::get<bool>(command.value);
    } else {
        if (!c.hasText || c.textProperty != command.property)
            failDisplay(command, "Eigenschaft fehlt");
        c.text = std::get<Text>(command.value);
    }
    log.push_back(command);
}

std::string RecordingDisplay::text(std::string_view control) const
{
    return controls_.at(std::string(control)).text.toUtf8();
}

bool RecordingDisplay::visible(std::string_view control) const
{
    return controls_.at(std::string(control)).visible;
}

std::vector<std::string> RecordingDisplay::visibleGallows() const
{
    std::vector<std::string> shown;
    for (const auto part : control::gallows)
        if (visible(part))
            shown.emplace_back(part);
    return shown;
}

void RecordingDisplay::failOn(std::string_view control, Property property)
{
    failure_ = std::make_pair(std::string(control), property);
}

}  // namespace galgen::testing
