// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_bytes.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace galgen {

namespace {

FileFault faultOf(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR: return FileFault::Missing;
    case EISDIR: return FileFault::Folder;
    case EACCES:
    case EPERM: return FileFault::NoPermission;
    default: return FileFault::Unreadable;
    }
}

}  // namespace

FileBytes readFileBytes(const std::string& path, std::string name, int patience)
{
    FileBytes file{std::move(name), {}, FileFault::None, {}};
    int fd = -1;
    const auto fail = [&file, &fd](FileFault fault, int error = 0) {
        if (fd >= 0)
            ::close(fd);
        file.fault = fault;
        if (fault == FileFault::Unreadable)
            file.detail = "Fehler " + std::to_string(error);
        file.bytes.clear();
        return file;
    };
    // Not blocking on open: a pipe without a writer would wait for one.
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(faultOf(errno), errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return fail(faultOf(errno), errno);
    if (S_ISDIR(status.st_mode))
        return fail(FileFault::Folder);
    // A file on disk is read whole at once; a pipe or a device only as long
    // as it keeps up, so that a writer that never ends holds nothing up.
    const bool onDisk = S_ISREG(status.st_mode);
    if (onDisk)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patience);
    file.bytes.resize(fileByteLimit + 1);
    std::size_t size = 0;
    while (size < file.bytes.size()) {
        const ssize_t got = ::read(fd, file.bytes.data() + size, file.bytes.size() - size);
        if (got > 0) {
            size += std::size_t(got);
            continue;
        }
        if (got == 0)
            break;
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            return fail(faultOf(errno), errno);
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&ready, 1, int(left.count())) == 0)
            return fail(FileFault::Stalled);
    }
    ::close(fd);
    file.bytes.resize(size);
    return file;
}

}  // namespace galgen
