#include "platform/InstanceLock.h"

#include "platform/Environment.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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

} // namespace

std::string InstanceLock::Directory() {
    std::string folder = GetEnv("XDG_RUNTIME_DIR");
    if (folder.empty()) {
        return "/tmp";
    }
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

InstanceLock::InstanceLock(std::string_view name) {
    const bool runtimeDir = !GetEnv("XDG_RUNTIME_DIR").empty();
    path_ = Directory() + "/" + SafeName(name);
    if (!runtimeDir) {
        path_ += "-" + std::to_string(::getuid());
    }
    path_ += ".lock";
}

InstanceLock::~InstanceLock() {
    Release();
}

bool InstanceLock::TryAcquire() {
    if (fd_ >= 0) {
        return true;
    }
    // O_NOFOLLOW: in a shared folder such as /tmp a planted link must not redirect the file.
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = errno;
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
