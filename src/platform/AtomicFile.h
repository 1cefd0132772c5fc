#pragma once

#include <cerrno>
#include <string>
#include <string_view>

namespace qm {

// Replaces the file at `path` with `bytes` so that it is never seen half-written: a temporary
// file in the same folder is written, flushed to disk and renamed over the old file (which
// keeps its permissions; a symbolic link is followed to the file it names). Only a regular file
// is replaced, or a new one created: a name (or a link) that leads to a device, a FIFO, a socket
// or a folder is refused with kNotRegularFileError, so a planted link to /dev/null never turns
// the device into a file. False, with errno in *error, on any failure; the old file and its
// content are then untouched and no temporary file is left behind.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, int* error = nullptr);

// The error of a replace refused because its target is not a regular file.
inline constexpr int kNotRegularFileError = ENOTSUP;

// The words for a failed file call's error: "not a regular file" for kNotRegularFileError,
// else the system's text for the errno.
std::string FileErrorText(int error);

// The file a path names, following a chain of symbolic links (at most 16), so that a replace
// writes the file and the links stay links.
std::string ResolveLinkTarget(const std::string& path);

// Writes all of bytes to fd, again after an interrupted call. False on a failed write.
bool WriteAllToFd(int fd, std::string_view bytes);

} // namespace qm
