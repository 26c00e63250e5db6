// SPDX-License-Identifier: GPL-3.0-or-later
// The description of a form that the form engine builds: the window and one
// row per control. Plain data without Qt, so that a form's layout reads as a
// table and can be checked at compile time.
//
// Units are the layout's own: positions and sizes in twips (15 twips make one
// pixel at 96 dots per inch), font sizes in points, colours as RGB bytes.
// Text is UTF-8 here; the engine converts it once, when it builds the form.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace galgen::form {

inline constexpr int twipsPerPixel = 15;

// Labels, shapes and lines are painted on their container; the other kinds
// are windows of their own and always lie above the painted ones.
enum class Kind : std::uint8_t { Label, TextBox, CommandButton, Frame, PictureBox, Shape, Line };

enum class Align : std::uint8_t { Left, Center };

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

struct Font {
    std::string_view family{};           // as the layout names it; the engine picks a substitute
    int centipoints = 0;                 // 825 is 8.25 pt
    int weight = 400;                    // 400 normal, 700 bold
};

struct ControlRow {
    std::string_view name{};
    Kind kind{};
    std::string_view container{};        // empty: the form itself
    // Outer rectangle in twips, relative to the container; not used by lines.
    int left = 0, top = 0, width = 0, height = 0;
    // A line's end points in twips and its width in pixels.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, lineWidth = 0;
    std::string_view text{};             // caption or text at creation, UTF-8
    Font font{};
    std::optional<Rgb> foreColor{};      // none: the toolkit's standard colour
    std::optional<Rgb> backColor{};      // none: the toolkit's standard colour
    bool opaque = true;                  // labels: background painted
    bool heading = false;                // labels: the form's heading, for screen readers
    bool border = false;                 // text boxes and frames
    Align align = Align::Left;
    bool enabled = true;
    int tabIndex = -1;                   // -1: the kind has no tab position
    std::string_view picture{};          // picture boxes: the name of one of the form's pictures
    std::string_view description{};      // German accessible name where no text says it
    std::string_view help{};             // German accessible description: what it does
    std::string_view clickAction{};      // German name of the accessible action that clicks it
    // A key that does, anywhere in the form, what a click on this control
    // does, where a click could reach it ("F2"; the key's DOM name).
    std::string_view shortcut{};
};

// What choosing an entry of the form's menu does.
enum class MenuAction : std::uint8_t {
    Click,      // runs the entry's Click handler
    OpenFile,   // the toolkit's own dialog for opening a file (the form's
                // FileChoice); the file chosen reaches the FileDrop handler
                // as a dropped one does
    TypeFile,   // the edition's dialog in which the player writes such a
                // file; an edition without one does not offer the entry
};

// An entry of the form's context menu, which the right mouse button, the
// Menu key and Shift+F10 open anywhere on the form.
struct MenuEntry {
    std::string_view name{};             // a Click handler joins it with "_Click"
    std::string_view caption{};          // German, UTF-8; "…" where a dialog follows
    MenuAction action = MenuAction::Click;
    // A key that chooses the entry anywhere in the form: "Control+O" (the
    // modifiers Control, Alt, Shift, Meta in that order, then the key's DOM
    // name, a letter as a capital).
    std::string_view shortcut{};
};

// What the toolkit's dialog for opening a file offers first.
struct FileChoice {
    std::string_view title{};            // the dialog's title, German
    std::string_view kind{};             // what such files are called: "Textdateien"
    std::string_view suffix{};           // their file names' end: ".txt"
    std::string_view mediaType{};        // their media type: "text/plain"
};

// A picture the form shows: its file beside the program's other pictures
// (each engine is told where those are), its size in pixels at 96 dots per
// inch, and what it shows, in German, for screen readers.
struct Picture {
    std::string_view name{};
    std::string_view file{};
    int width = 0, height = 0;
    std::string_view description{};
};

struct FormLayout {
    std::string_view name{};
    std::string_view caption{};          // the window title, UTF-8
    int clientWidth = 0, clientHeight = 0;   // twips
    Rgb backColor{};
    std::string_view icon{};             // the name of one of the form's pictures
    // Every control in the order of the control tree: a container before its
    // children, and among siblings the topmost first.
    std::span<const ControlRow> controls{};
    std::span<const Picture> pictures{};
    std::span<const MenuEntry> menu{};   // the context menu's entries, in order
    FileChoice fileChoice{};
};

constexpr int toPixels(int twips) { return twips / twipsPerPixel; }

// True if every position and size of the form is a whole number of pixels,
// as the engine assumes when it converts twips.
constexpr bool wholePixels(const FormLayout& form)
{
    auto whole = [](int twips) { return twips % twipsPerPixel == 0; };
    if (!whole(form.clientWidth) || !whole(form.clientHeight))
        return false;
    for (const ControlRow& c : form.controls) {
        for (int v : {c.left, c.top, c.width, c.height, c.x1, c.y1, c.x2, c.y2})
            if (!whole(v))
                return false;
    }
    return true;
}

}  // namespace galgen::form
