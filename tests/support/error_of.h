// SPDX-License-Identifier: GPL-3.0-or-later
// errorOf(f): the kind of the run-time error that f raises, failing the test
// if it raises none.
#pragma once

#include <gtest/gtest.h>

#include "errors.h"

namespace galgen::testing {

// Not an error kind of the runtime: what errorOf returns when nothing was raised.
inline constexpr auto noError = static_cast<ErrorKind>(-1);

template <typename F>
ErrorKind errorOf(F&& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.kind();
    }
    ADD_FAILURE() << "no run-time error raised";
    return noError;
}

}  // namespace galgen::testing
