// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the web form engine (page.js): a handful of DOM
// operations on elements that the engine numbers, and the hook-up of their
// events to the engine's entry points (page_form.cpp). Strings are UTF-8.
#pragma once

extern "C" {

// Creates an element with that tag in the parent element (-1: the form's
// ground) and numbers it id. "svg" and "line" are SVG elements.
// Sets the page's title, and numbers the form's ground -1 and the page -2.
void page_begin(const char* title);
// Scales the form of that size in pixels to the viewport's width where
// the viewport is narrower, now and whenever the viewport changes.
void page_fit(int width, int height);
void page_create(int id, int parent, const char* tag);
// Adds CSS declarations ("left:9px;top:2px;") to the element's style.
void page_style(int id, const char* declarations);
void page_attribute(int id, const char* name, const char* value);
// The value of a text box, the text of any other element.
void page_text(int id, const char* text);
void page_hidden(int id, int hidden);
// Events: 1 clicks, 2 keys and text input.
void page_listen(int id, int events);
// A key (its DOM name) that anywhere on the page goes to the engine as a
// shortcut rather than to the element with the focus.
void page_shortcut(const char* key);
void page_focus(int id);
// Discards the form and shows the page's note on the ended game.
void page_unload();
void page_report_error(const char* message);
void page_announce(const char* text);

}
