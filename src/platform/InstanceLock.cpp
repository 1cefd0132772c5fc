#include "platform/InstanceLock.h"

#include "platform/Environment.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm {
namespace {

std::string SafeName(std::string_view name) {
    std::string out;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        out.push_back(ok ? c : '_');
    }
    if (out.empty() || out == "." || out == "..") {
        out = "_" + out;
    }
    return out;
}

// The folder of the lock files when $XDG_RUNTIME_DIR is not set: one of this user's own in
// the shared temporary folder ($TMPDIR, else /tmp), so that nobody else can put a lock file
// there.
constexpr char kSharedTmp[] = "/tmp";
constexpr mode_t kPrivateFolderMode = 0700;

// Makes the private folder when it is missing and checks it: a folder (not a link) of this
// user, which nobody else may enter or write to. False with errno set otherwise.
bool EnsurePrivateFolder(const std::string& folder) {
    if (::mkdir(folder.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) {
        return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() || (st.st_mode & 077) != 0) {
        errno = EPERM;
        return false;
    }
    return true;
}

} // namespace

std::string InstanceLock::Directory() {
    std::string folder = GetEnv("XDG_RUNTIME_DIR");
    if (folder.empty()) {
        std::string shared = GetEnv("TMPDIR");
        while (shared.size() > 1 && shared.back() == '/') {
            shared.pop_back();
        }
        return (shared.empty() ? std::string(kSharedTmp) : shared) + "/quillmark-" +
               std::to_string(::getuid());
    }
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

InstanceLock::InstanceLock(std::string_view name) {
    privateFolder_ = GetEnv("XDG_RUNTIME_DIR").empty();
    path_ = Directory() + "/" + SafeName(name) + ".lock";
}

InstanceLock::~InstanceLock() {
    Release();
}

bool InstanceLock::TryAcquire() {
    if (fd_ >= 0) {
        return true;
    }
    if (privateFolder_ && !EnsurePrivateFolder(path_.substr(0, path_.rfind('/')))) {
        error_ = errno;
        return false;
    }
    // O_NOFOLLOW: a planted link must not redirect the file.
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = errno;
        return false;
    }
    // A lock file of another user is never taken: whoever made it could hold it for ever.
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
        error_ = EPERM;
        ::close(fd);
        return false;
    }
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        error_ = errno;
        ::close(fd);
        return false;
    }
    error_ = 0;
    fd_ = fd;
    return true;
}

void InstanceLock::Release() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
    }
}

} // namespace qm
