#include "platform/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
bool WriteAllToFd(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string ResolveLinkTarget(const std::string& path) {
    constexpr int kMaxLinkDepth = 16;
    std::error_code ec;
    std::string target = path;
    for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
        if (!std::filesystem::is_symlink(target, ec)) {
            break;
        }
        std::filesystem::path link = std::filesystem::read_symlink(target, ec);
        if (ec) {
            break;
        }
        if (link.is_relative()) {
            link = std::filesystem::path(target).parent_path() / link;
        }
        target = link.string();
    }
    return target;
}

std::string FileErrorText(int error) {
    return error == kNotRegularFileError ? "not a regular file" : std::strerror(error);
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes, int* error) {
    auto fail = [error](int value) {
        if (error != nullptr) {
            *error = value;
        }
        return false;
    };
    if (error != nullptr) {
        *error = 0;
    }
    const std::string target = ResolveLinkTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return fail(kNotRegularFileError);
    }
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return fail(errno);
    }
    mode_t mode = 0644;
    if (exists) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = WriteAllToFd(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
    int saved = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        saved = errno;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return fail(saved);
    }
    // The rename itself survives a crash once the folder is flushed.
    const std::string folder = std::filesystem::path(target).parent_path().string();
    const int dir =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

} // namespace qm
