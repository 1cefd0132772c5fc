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

// The folder that stands for "beside the executable": QUILLMARK_HOME when set, else the folder of
// /proc/self/exe when writable, else $XDG_CONFIG_HOME/quillmark (created). Ends with '/'.
std::string ModuleDirectory();
// The executable's base name without folder ("quillmark").
std::string ExecutableBaseName();

// Value of an environment variable, empty when unset.
std::string GetEnv(const char* name);

} // namespace qm
