// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the web form engine (page.js): a handful of DOM
// operations on the form's elements, which the engine numbers, and the
// hook-up of their events to the engine's entry points (page_form.cpp).
// Strings are UTF-8.
#pragma once

extern "C" {

// Numbers the element of the control of that name, which the page holds.
void page_adopt(int id, const char* name);
// The value of a text box, the text of any other element.
void page_text(int id, const char* text);
void page_hidden(int id, int hidden);
// Events: 1 clicks, 2 keys and text input; they reach the engine from
// page_ready on.
void page_listen(int id, int events);
// A key (its DOM name) that anywhere on the page goes to the engine as a
// shortcut rather than to the element with the focus, from page_ready on.
void page_shortcut(const char* key);
// Moves the focus to the element; with unlessTaken, only if no element of
// the form has it yet.
void page_focus(int id, int unlessTaken);
// Calls galgen_load() in a task of its own, after the running one.
void page_load_later();
// The engine is ready: it listens to the page's events, those the page kept
// while it loaded reach it once the caller has returned, and the form,
// unless one of them ended the game, is marked data-ready.
void page_ready();
// Discards the game's region (#game: the form and what stands beside it) and
// shows the page's note on the ended game.
void page_unload();
void page_report_error(const char* message);
// Closes the error shown, if one is.
void page_close_error();
void page_announce(const char* text);
// A file dropped on the page goes to the engine (galgen_file), its bytes
// read up to `limit`; a drop that carries no file is left to the browser.
void page_accept_files(int limit);
// Where the page's address has this parameter, the file of the site it
// names goes to the engine the same way, fetched up to `limit` bytes. A
// value that names anything but a file in the page's folder or below it
// (another site, a path that leaves the folder) is refused, never fetched.
// A file the site sends as anything but text/plain (a .txt file sent with no
// type passes) is not taken, and a folder is called one. The faults
// galgen_file receives, by name: "missing", "folder", "unreadable",
// "refused", "unfetched", "nottext" (the type in the detail); "" for none.
void page_fetch_parameter(const char* parameter, int limit);
// The value of `key` in the fragment of the page's address (#key=value), as
// a string the caller frees, or null; and from page_ready on, a change of
// the fragment calls galgen_address_changed.
char* page_fragment(const char* key);

// The form's menu (#menu, written with the form) with these of its entries,
// "0,2", where the player opened it: at the mouse, or at the element with
// the focus. An entry chosen calls galgen_choose.
void page_show_menu(const char* entries);
// Asks the browser's file chooser (#file-choice) for a file, which then
// reaches the engine as a dropped one.
void page_choose_file();
// Opens the page's dialog for typing a file (#type-file).
void page_type_file();

}
