#pragma once

#include <string>
#include <string_view>

namespace qm {

// A named lock shared by every process of the same user: the stand-in for a named mutex.
// It is an flock() on the file "<name>.lock" in $XDG_RUNTIME_DIR, or, when that is not set, in
// the folder "quillmark-<uid>" in $TMPDIR (else /tmp), made with mode 0700 and used only when it is
// a folder of this user's that nobody else may enter. A lock file that belongs to another user is
// never taken (EPERM), so nobody can block this user's receives by holding one. The kernel releases
// the lock when the holding process ends in any way, including a crash or a kill.
//
// Used for the single-instance guard (name: the executable's base name) and for
// "mtx_recv_config" around a receive. A lock is held by one open file: a second InstanceLock
// with the same name fails to acquire it even inside the same process, and the descriptor is
// not inherited by child processes.
class InstanceLock {
public:
    // name: letters, digits, '.', '-', '_'; any other character (such as '/') becomes '_'.
    explicit InstanceLock(std::string_view name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Tries to take the lock without waiting. True when this object holds it afterwards (also
    // when it already held it). False when another holder has it or the lock file cannot be
    // opened or is not this user's own; Error() then tells the errno (EWOULDBLOCK for "held
    // elsewhere", EPERM for a lock file or private folder of another user).
    bool TryAcquire();
    // Gives the lock up (the lock file stays for the next user). Harmless when not held.
    void Release();

    bool Held() const { return fd_ >= 0; }
    int Error() const { return error_; }
    const std::string& Path() const { return path_; }

    // The folder of the lock files: $XDG_RUNTIME_DIR when set and not empty, else
    // "quillmark-<uid>" in $TMPDIR, or in "/tmp" when that is not set either.
    static std::string Directory();

private:
    std::string path_;
    bool privateFolder_ = false; // the folder in /tmp, made and checked before each use
    int fd_ = -1;
    int error_ = 0;
};

} // namespace qm
