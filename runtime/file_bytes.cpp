// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_bytes.h"

#include <cerrno>
#include <fcntl.h>
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

FileBytes readFileBytes(const std::string& path, std::string name)
{
    FileBytes file{std::move(name), {}, FileFault::None, {}};
    const auto fail = [&file](int error) {
        file.fault = faultOf(error);
        if (file.fault == FileFault::Unreadable)
            file.detail = "Fehler " + std::to_string(error);
        file.bytes.clear();
        return file;
    };
    // Not blocking on open: a pipe without a writer would wait for one.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || S_ISDIR(status.st_mode)) {
        const int error = S_ISDIR(status.st_mode) ? EISDIR : errno;
        ::close(fd);
        return fail(error);
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.bytes.resize(fileByteLimit + 1);
    std::size_t size = 0;
    while (size < file.bytes.size()) {
        const ssize_t got = ::read(fd, file.bytes.data() + size, file.bytes.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            return fail(error);
        }
        if (got == 0)
            break;
        size += std::size_t(got);
    }
    ::close(fd);
    file.bytes.resize(size);
    return file;
}

}  // namespace galgen
