// SPDX-License-Identifier: GPL-3.0-or-later
// The names of the window's controls, shared by the core, the window and the
// tests, so that a misspelt name fails to compile instead of failing as a
// display command at run time.
#pragma once

#include <array>
#include <string_view>

namespace galgen::control {

inline constexpr std::string_view Form1 = "Form1";
inline constexpr std::string_view Label1 = "Label1";
inline constexpr std::string_view Label2 = "Label2";
inline constexpr std::string_view Fragewort = "Fragewort";
inline constexpr std::string_view textin = "textin";
inline constexpr std::string_view spielneu = "spielneu";
inline constexpr std::string_view ende = "ende";
inline constexpr std::string_view item9a = "item9a";
inline constexpr std::string_view teil1 = "teil1";
inline constexpr std::string_view teil2 = "teil2";
inline constexpr std::string_view teil3 = "teil3";
inline constexpr std::string_view teil4 = "teil4";
inline constexpr std::string_view teil5 = "teil5";
inline constexpr std::string_view teil6 = "teil6";
inline constexpr std::string_view teil7 = "teil7";
inline constexpr std::string_view teil8 = "teil8";
inline constexpr std::string_view teil9 = "teil9";
inline constexpr std::string_view teil10 = "teil10";
inline constexpr std::string_view teil11 = "teil11";
inline constexpr std::string_view teil12 = "teil12";

// The entries of the window's context menu.
inline constexpr std::string_view wortlisteOeffnen = "wortlisteOeffnen";
inline constexpr std::string_view woerterEingeben = "woerterEingeben";
inline constexpr std::string_view spielwoerter = "spielwoerter";

// The twelve parts of the gallows drawing, in the order hideGallows hides them.
inline constexpr std::array<std::string_view, 12> gallows = {
    teil1, teil2, teil3, teil4, teil5, teil6, teil7, teil8, teil9, teil10, teil11, teil12,
};

}  // namespace galgen::control
