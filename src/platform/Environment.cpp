#include "platform/Environment.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace qm {
namespace {

std::string RootFrom(const char* variable, const char* fallback) {
    std::string root = GetEnv(variable);
    if (root.empty()) {
        root = fallback;
    }
    while (root.size() > 1 && root.back() == '/') {
        root.pop_back();
    }
    return root;
}

std::string Join(const std::string& root, const std::string& relative) {
    if (relative.empty()) {
        return root;
    }
    if (relative.front() == '/') {
        return root + relative;
    }
    return root + "/" + relative;
}

std::string ExecutablePath() {
    std::error_code ec;
    auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : path.string();
}

} // namespace

std::string GetEnv(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string DevRoot() {
    return RootFrom("QUILLMARK_DEV_ROOT", "/dev");
}
std::string SysfsRoot() {
    return RootFrom("QUILLMARK_SYSFS_ROOT", "/sys");
}
std::string DevPath(const std::string& relative) {
    return Join(DevRoot(), relative);
}
std::string SysfsPath(const std::string& relative) {
    return Join(SysfsRoot(), relative);
}

std::string ModuleDirectory() {
    std::string home = GetEnv("QUILLMARK_HOME");
    if (!home.empty()) {
        if (home.back() != '/') {
            home += '/';
        }
        return home;
    }
    std::filesystem::path exe = ExecutablePath();
    if (!exe.empty()) {
        std::string folder = exe.parent_path().string();
        if (::access(folder.c_str(), W_OK) == 0) {
            return folder + "/";
        }
    }
    std::string config = GetEnv("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = GetEnv("HOME") + "/.config";
    }
    std::string folder = config + "/quillmark";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder + "/";
}

std::string ExecutableBaseName() {
    std::filesystem::path exe = ExecutablePath();
    return exe.empty() ? std::string("quillmark") : exe.filename().string();
}

} // namespace qm
