// SPDX-License-Identifier: GPL-3.0-or-later
// A file as an edition hands it to the game: its name for messages, and its
// bytes, read up to one byte past the limit, so that a larger file shows as
// one without being read whole; or, where it could not be read, why. The
// game makes its own sense of the bytes (a word list, core/word_file.h);
// the editions only fetch them, from the disk, a drop or the site.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace galgen {

// 1 MB: no list of at most 1000 words comes near it.
inline constexpr std::size_t fileByteLimit = std::size_t(1) << 20;

enum class FileFault : std::uint8_t {
    None,
    Missing,        // no such file
    Folder,         // a folder, not a file
    NoPermission,   // not ours to read
    Unreadable,     // reading failed; the detail says how
    Stalled,        // a pipe or device that stopped giving bytes before its end
    Refused,        // an address outside the place files may come from
    NotFetched,     // the network could not bring it; the detail says why
    NotText,        // a site sent it as another type of file; the detail says which
    Damaged,        // a link's words, cut short or changed on the way
};

struct FileBytes {
    std::string name{};
    std::string bytes{};   // at most fileByteLimit + 1
    FileFault fault = FileFault::None;
    std::string detail{};
};

// Reads a file of the local file system by its path, named `name` in
// messages. Anything a path can name is safe to read, and the read never
// holds the program up for long: a folder or a missing file gives its fault,
// an endless device stops one byte past the limit, a named pipe without a
// writer reads as empty instead of waiting for one, and a pipe or device
// that has not come to its end (or past the limit) within `patience`
// milliseconds is given up as stalled.
inline constexpr int defaultPatience = 250;
FileBytes readFileBytes(const std::string& path, std::string name, int patience = defaultPatience);

}  // namespace galgen
