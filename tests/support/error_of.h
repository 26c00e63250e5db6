// SPDX-License-Identifier: GPL-3.0-or-later
// The run-time error that f raises: raisedBy(f) gives it, if any;
// errorOf(f) gives its kind and fails the test if there is none.
#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "errors.h"

namespace galgen::testing {

// Not an error kind of the runtime: what errorOf returns when nothing was raised.
inline constexpr auto noError = static_cast<ErrorKind>(-1);

template <typename F>
std::optional<RuntimeError> raisedBy(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e;
    }
    return std::nullopt;
}

template <typename F>
ErrorKind errorOf(F&& f)
{
    const std::optional<RuntimeError> error = raisedBy(f);
    if (!error) {
        ADD_FAILURE() << "no run-time error raised";
        return noError;
    }
    return error->kind();
}

}  // namespace galgen::testing
