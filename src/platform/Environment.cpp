#include "platform/Environment.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace qm {
namespace {

// The folder under the user's configuration folder that holds the program's files.
constexpr char kConfigFolderName[] = "quillmark";
// Folders made for the configuration are the user's own.
constexpr mode_t kNewFolderMode = 0700;
// getpwuid_r's buffer when the system does not suggest a size.
constexpr size_t kPasswordBufferSize = 16384;

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

std::string WithSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

std::string AccountHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : kPasswordBufferSize);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return std::string();
    }
    return found->pw_dir;
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

std::string ChooseModuleDirectory(const ModuleDirectoryInputs& inputs) {
    if (!inputs.quillmarkHome.empty()) {
        return WithSlash(inputs.quillmarkHome);
    }
    const std::filesystem::path exe = inputs.executable;
    if (!exe.empty() && exe.has_parent_path()) {
        const std::filesystem::path folder = exe.parent_path();
        const bool installed = folder.filename() == kInstalledProgramFolderName;
        if (!installed && ::access(folder.c_str(), W_OK) == 0) {
            return WithSlash(folder.string());
        }
    }
    // Only an absolute XDG_CONFIG_HOME counts; a relative one would depend on the working folder.
    std::string config = inputs.xdgConfigHome;
    if (config.empty() || config.front() != '/') {
        config = inputs.userHome;
        while (config.size() > 1 && config.back() == '/') {
            config.pop_back();
        }
        config += "/.config";
    }
    return WithSlash(WithSlash(config) + kConfigFolderName);
}

ModuleDirectoryInputs CurrentModuleDirectoryInputs() {
    ModuleDirectoryInputs inputs;
    inputs.quillmarkHome = GetEnv("QUILLMARK_HOME");
    inputs.executable = ExecutablePath();
    inputs.xdgConfigHome = GetEnv("XDG_CONFIG_HOME");
    inputs.userHome = GetEnv("HOME");
    if (inputs.userHome.empty()) {
        inputs.userHome = AccountHome();
    }
    return inputs;
}

int CreateFolder(const std::string& folder) {
    std::error_code ec;
    if (std::filesystem::is_directory(folder, ec)) {
        return 0;
    }
    std::filesystem::path path = folder;
    if (!path.has_filename()) {
        path = path.parent_path(); // "a/b/" -> "a/b"
    }
    // Parents first, each made with 0700 when missing.
    std::filesystem::path partial;
    for (const std::filesystem::path& part : path) {
        partial /= part;
        if (::mkdir(partial.c_str(), kNewFolderMode) != 0 && errno != EEXIST) {
            return errno;
        }
    }
    if (!std::filesystem::is_directory(path, ec)) {
        return ENOTDIR;
    }
    return 0;
}

std::string ModuleDirectory(int* folderError) {
    const ModuleDirectoryInputs inputs = CurrentModuleDirectoryInputs();
    const std::string folder = ChooseModuleDirectory(inputs);
    int error = 0;
    if (inputs.quillmarkHome.empty()) {
        // Beside the executable the folder exists; the configuration folder may not yet.
        error = CreateFolder(folder);
    }
    if (folderError != nullptr) {
        *folderError = error;
    }
    return folder;
}

std::string ExecutableBaseName() {
    std::filesystem::path exe = ExecutablePath();
    return exe.empty() ? std::string("quillmark") : exe.filename().string();
}

} // namespace qm
