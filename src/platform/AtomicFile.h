#pragma once

#include <string>
#include <string_view>

namespace qm {

// Replaces the file at `path` with `bytes` so that it is never seen half-written: a temporary
// file in the same folder is written, flushed to disk and renamed over the old file (which
// keeps its permissions; a symbolic link is followed to the file it names). False, with errno
// in *error, on any failure; the old file and its content are then untouched and no temporary
// file is left behind.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

// The file a path names, following a chain of symbolic links (at most 16), so that a replace
// writes the file and the links stay links.
std::string ResolveLinkTarget(const std::string& path);

// Writes all of bytes to fd, again after an interrupted call. False on a failed write.
bool WriteAllToFd(int fd, std::string_view bytes);

} // namespace qm
