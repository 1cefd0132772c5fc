#pragma once

#include <string>

namespace qm {

// Roots of the device and sysfs trees. QUILLMARK_DEV_ROOT and QUILLMARK_SYSFS_ROOT let tests put
// a fake tree in place of /dev and /sys; the returned root never ends with '/'.
std::string DevRoot();
std::string SysfsRoot();
// "/dev" + relative, honouring QUILLMARK_DEV_ROOT ("ttyS0" -> "/dev/ttyS0").
std::string DevPath(const std::string& relative);
std::string SysfsPath(const std::string& relative);

// What decides the folder that stands for "beside the executable".
struct ModuleDirectoryInputs {
    std::string quillmarkHome; // $QUILLMARK_HOME
    std::string executable;    // the running executable's path (/proc/self/exe)
    std::string xdgConfigHome; // $XDG_CONFIG_HOME
    std::string userHome;      // $HOME, else the home folder of the user's account
};

// The folder an installed program's executables live in; a program run from a folder of this
// name counts as installed.
inline constexpr char kInstalledProgramFolderName[] = "bin";

// The folder that stands for "beside the executable", ending with '/':
// - QUILLMARK_HOME when set;
// - else the executable's folder, when the program runs where it was built (the folder is
//   writable and not an installed "bin" folder such as /usr/bin or ~/.local/bin);
// - else the user's configuration folder: $XDG_CONFIG_HOME/quillmark, where XDG_CONFIG_HOME is
//   used only when it is an absolute path, else ~/.config/quillmark.
// An installed program, even one run by root, who may write /usr/bin, never keeps its files
// beside the executable. Nothing is created here.
std::string ChooseModuleDirectory(const ModuleDirectoryInputs& inputs);

// The inputs of this process (its environment, /proc/self/exe, the account's home folder).
ModuleDirectoryInputs CurrentModuleDirectoryInputs();

// Creates folder and its missing parents (new ones with mode 0700, as configuration folders
// are made). Returns 0 when the folder exists afterwards, else the errno of the failing step
// (ENOTDIR when the path or a parent is not a folder).
int CreateFolder(const std::string& folder);

// ChooseModuleDirectory for this process; a configuration folder is created when missing.
// folderError (when given) gets 0, or the errno of CreateFolder when the folder cannot be made.
std::string ModuleDirectory(int* folderError = nullptr);
// The executable's base name without folder ("quillmark").
std::string ExecutableBaseName();

// Value of an environment variable, empty when unset.
std::string GetEnv(const char* name);

} // namespace qm
