// SPDX-License-Identifier: GPL-3.0-or-later
// What a form engine offers the program whose form it builds: the display
// commands, the events by control name, a file dropped on the form, and
// unloading. Each edition
// (the Qt window, the web page) has an engine built from the same
// FormLayout; Form1 is wired to either through this interface alone.
//
// An engine runs every handler inside the runtime's error boundary, one at a
// time, each to its end, and issues the same cp1252 key codes: Backspace 8,
// Enter 13, Escape 27, and 63 ("?") for a character cp1252 lacks.
#pragma once

#include <functional>
#include <string_view>

#include "display.h"
#include "file_bytes.h"
#include "int16.h"

namespace galgen::form {

class Engine : public Display {
public:
    using Handler = std::function<void()>;
    using KeyPressHandler = std::function<void(const i16& keyAscii)>;
    using FileDropHandler = std::function<void(const FileBytes& file)>;

    // Registering an event that the control's kind does not raise, or a
    // control the form lacks, is a mistake in the program and raises a
    // run-time error that says so in German.
    virtual void onLoad(Handler handler) = 0;
    // A control's click, or the choice of an entry of the form's menu.
    virtual void onClick(std::string_view control, Handler handler) = 0;
    virtual void onKeyPress(std::string_view control, KeyPressHandler handler) = 0;
    // A file the player dropped anywhere on the form: its name and its bytes,
    // read up to one byte past fileByteLimit, or why it could not be read.
    // A file the player chose in the toolkit's file dialog (the menu's
    // OpenFile) comes the same way, and the program may hand the form a
    // file so too (FormCore::dropFile).
    virtual void onFileDrop(FileDropHandler handler) = 0;

    // Ends the form, and with it the program.
    virtual void unload() = 0;

    // Tells assistive technology this German status, so that a screen
    // reader speaks it; nothing visible changes. Each call is a new message,
    // spoken even if it repeats the one before.
    virtual void announce(std::string_view utf8) = 0;
};

}  // namespace galgen::form
