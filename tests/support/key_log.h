// SPDX-License-Identifier: GPL-3.0-or-later
// An engine between a program and its real engine that logs every key code
// on its way to a KeyPress handler and passes everything on unchanged, so
// that the program registers its handlers exactly as it always does.
#pragma once

#include <utility>
#include <vector>

#include "form_engine.h"

namespace galgen::testing {

class KeyLoggingEngine final : public form::Engine {
public:
    explicit KeyLoggingEngine(form::Engine& engine) : engine_(engine) {}

    // The codes logged since the last call.
    std::vector<int> take() { return std::exchange(codes_, {}); }

    void apply(const DisplayCommand& command) override { engine_.apply(command); }
    void onLoad(Handler handler) override { engine_.onLoad(std::move(handler)); }
    void onClick(std::string_view control, Handler handler) override { engine_.onClick(control, std::move(handler)); }
    void onKeyPress(std::string_view control, KeyPressHandler handler) override
    {
        engine_.onKeyPress(control, [this, handler = std::move(handler)](const i16& keyAscii) {
            codes_.push_back(keyAscii);
            handler(keyAscii);
        });
    }
    void onFileDrop(FileDropHandler handler) override { engine_.onFileDrop(std::move(handler)); }
    void unload() override { engine_.unload(); }
    void announce(std::string_view utf8) override { engine_.announce(utf8); }

private:
    form::Engine& engine_;
    std::vector<int> codes_;
};

}  // namespace galgen::testing
