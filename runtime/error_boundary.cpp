// SPDX-License-Identifier: GPL-3.0-or-later
#include "error_boundary.h"

#include <exception>
#include <new>

namespace galgen {

bool runHandler(const std::function<void()>& handler, const ErrorReporter& report)
{
    try {
        handler();
        return true;
    } catch (const RuntimeError& error) {
        report(error);
    } catch (const std::bad_alloc&) {
        report(RuntimeError(ErrorKind::OutOfMemory));
    } catch (const std::exception& other) {
        report(RuntimeError(ErrorKind::Internal, other.what()));
    } catch (...) {
        report(RuntimeError(ErrorKind::Internal));
    }
    return false;
}

}  // namespace galgen
