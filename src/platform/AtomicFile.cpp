#include "platform/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
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

// A symbolic link is replaced at the file it names, not turned into a plain file.
std::string ResolveLink(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        std::filesystem::path target = std::filesystem::read_symlink(path, ec);
        if (!ec) {
            return target.is_absolute()
                       ? target.string()
                       : (std::filesystem::path(path).parent_path() / target).string();
        }
    }
    return path;
}

} // namespace

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
    const std::string target = ResolveLink(path);
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return fail(errno);
    }
    mode_t mode = 0644;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        mode = old.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0;
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
