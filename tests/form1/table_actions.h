// SPDX-License-Identifier: GPL-3.0-or-later
// The player's actions of the table of form cases on the null engine; the
// table's null-engine driver, the monkey and the form fuzzer share them.
#pragma once

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "null_engine.h"

namespace galgen::testing {

// Plays the step if it is one of the player's actions; false for a step of
// another kind. A control the form lacks, or a pixel that is no whole
// number, is an invalid argument.
inline bool playAction(NullEngine& engine, const nlohmann::json& s)
{
    const auto control = [&](const char* what) {
        const std::string name = s.at(what).get<std::string>();
        if (engine.core().lookup(name) < 0)
            throw std::invalid_argument("the form has no control " + name);
        return name;
    };
    const auto whole = [](const nlohmann::json& number) {
        if (!number.is_number_integer())
            throw std::invalid_argument("not a whole number: " + number.dump());
        return number.get<int>();
    };
    if (s.contains("click")) {
        // On the pixel at the centre of the control's laid-out rectangle:
        // whatever lies on top there gets it.
        const form::PixelRect r = engine.core().place(engine.core().find(control("click")));
        engine.clickAt(r.left + r.width / 2, r.top + r.height / 2);
    } else if (s.contains("clickAt")) {
        engine.clickAt(whole(s.at("clickAt").at(0)), whole(s.at("clickAt").at(1)));
    } else if (s.contains("activate")) {
        engine.activate(control("activate"));
    } else if (s.contains("type")) {
        engine.type(s.at("type").get<std::string>());
    } else if (s.contains("key")) {
        engine.press(s.at("key").get<std::string>(),
                     s.value("modifiers", nlohmann::json::array()).get<std::vector<std::string>>());
    } else if (s.contains("input")) {
        engine.input(s.at("input").get<std::string>());
    } else if (s.contains("compose")) {
        engine.compose(s.at("compose").get<std::vector<std::string>>(), s.at("commit").get<std::string>());
    } else if (s.contains("dead")) {
        engine.dead(s.at("commit").get<std::string>());
    } else {
        return false;
    }
    return true;
}

// The player drops the file at `path` below the project's folder `root` on
// the form, whole.
inline void dropProjectFile(NullEngine& engine, const std::string& root, const std::string& path)
{
    std::ifstream file(root + "/" + path, std::ios::binary);
    if (!file)
        throw std::invalid_argument("cannot read " + path);
    engine.core().dropFile({.name = path.substr(path.rfind('/') + 1),
                            .bytes = std::string(std::istreambuf_iterator<char>(file), {})});
}

}  // namespace galgen::testing
