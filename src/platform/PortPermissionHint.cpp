#include "platform/PortPermissionHint.h"

#include <cerrno>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace qm {
namespace {

// Read and write for the group: what a member needs to open a port.
constexpr unsigned kGroupReadWrite = 0060;
constexpr unsigned kPermissionBits = 07777;
// Buffers of the reentrant account look-ups when the system suggests no size.
constexpr size_t kAccountBufferSize = 16384;
// The most groups an account is looked up with at first (grown when it has more).
constexpr int kInitialGroupCount = 64;

struct DeviceKind {
    std::string_view prefix; // below /dev
    const char* group;
};

// The groups Debian's udev rules give printer ports.
constexpr DeviceKind kDeviceKinds[] = {
    {"ttyS", "dialout"}, {"ttyUSB", "dialout"}, {"ttyACM", "dialout"},
    {"usb/lp", "lp"},    {"lp", "lp"},
};

size_t BufferSize(int name) {
    const long size = ::sysconf(name);
    return size > 0 ? static_cast<size_t>(size) : kAccountBufferSize;
}

std::string GroupName(gid_t gid) {
    std::vector<char> buffer(BufferSize(_SC_GETGR_R_SIZE_MAX));
    struct group entry {};
    struct group* found = nullptr;
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        return std::string();
    }
    return found->gr_name;
}

bool ProcessHasGroup(gid_t gid) {
    if (::getegid() == gid) {
        return true;
    }
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) {
        return false;
    }
    std::vector<gid_t> groups(static_cast<size_t>(count));
    const int got = ::getgroups(count, groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[static_cast<size_t>(i)] == gid) {
            return true;
        }
    }
    return false;
}

// The groups the user database gives this user's account (what the next login will have).
bool AccountHasGroup(gid_t gid) {
    std::vector<char> buffer(BufferSize(_SC_GETPW_R_SIZE_MAX));
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return false;
    }
    int count = kInitialGroupCount;
    std::vector<gid_t> groups(static_cast<size_t>(count));
    if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
        groups.resize(static_cast<size_t>(count));
        if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
            return false;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (groups[static_cast<size_t>(i)] == gid) {
            return true;
        }
    }
    return false;
}

std::string Octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", mode & kPermissionBits);
    return text;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

} // namespace

PortPermissionFacts GatherPortPermissionFacts(const std::string& device, int error) {
    PortPermissionFacts facts;
    facts.device = device;
    facts.error = error;
    struct stat info {};
    if (::stat(device.c_str(), &info) != 0) {
        return facts;
    }
    facts.found = true;
    facts.mode = info.st_mode & kPermissionBits;
    facts.group = GroupName(info.st_gid);
    facts.groupInSession = ProcessHasGroup(info.st_gid);
    facts.groupInAccount = AccountHasGroup(info.st_gid);
    return facts;
}

std::string ConventionalPortGroup(const std::string& device) {
    std::string_view name = device;
    const size_t dev = name.rfind("/dev/");
    if (dev != std::string_view::npos) {
        name.remove_prefix(dev + 5);
    }
    for (const DeviceKind& kind : kDeviceKinds) {
        if (name.substr(0, kind.prefix.size()) == kind.prefix) {
            return kind.group;
        }
    }
    return std::string();
}

std::string PortPermissionHint(const PortPermissionFacts& facts) {
    if (facts.error != EACCES && facts.error != EPERM) {
        return std::string();
    }
    const std::string start = "permission denied opening " + facts.device;
    const std::string conventional = ConventionalPortGroup(facts.device);
    if (!facts.found) {
        return start + ": a folder on its path may not be searched by you";
    }
    const std::string where = " (group " + Quoted(facts.group.empty() ? "?" : facts.group) +
                              ", mode " + Octal(facts.mode) + ")";
    const bool groupHelps = !facts.group.empty() && facts.group != "root" &&
                            (facts.mode & kGroupReadWrite) == kGroupReadWrite;
    if (!groupHelps) {
        std::string text = start + where + ": only its owner may open it";
        if (!conventional.empty()) {
            text += "; on Debian such ports belong to the group " + Quoted(conventional) +
                    " with read and write for it (ask the administrator)";
        }
        return text;
    }
    if (facts.groupInSession) {
        return start + where +
               ": you are in its group, yet the system refused (another security rule, such as a "
               "container's, may deny the port)";
    }
    if (facts.groupInAccount) {
        return start + where + ": you were added to the group " + Quoted(facts.group) +
               " after this session began; log out and in again (or run: newgrp " + facts.group +
               ")";
    }
    return start + where + ": add yourself to the group " + Quoted(facts.group) +
           " (sudo adduser \"$USER\" " + facts.group + "), then log out and in again";
}

std::string PortPermissionHint(const std::string& device, int error) {
    return PortPermissionHint(GatherPortPermissionFacts(device, error));
}

} // namespace qm
