#pragma once

#include <string>

namespace qm {

// What is known about a printer port's device file that could not be opened.
struct PortPermissionFacts {
    std::string device;          // the device file, e.g. "/dev/ttyUSB0"
    int error = 0;               // errno of the failed open
    bool found = false;          // the device file could be examined
    std::string group;           // the name of the group that owns it ("" when unknown)
    unsigned mode = 0;           // its permission bits (0660 ...)
    bool groupInSession = false; // this process has that group
    bool groupInAccount = false; // the user's account lists that group (a new login has it)
};

// Examines device (stat, the owning group's name, this process's and the account's groups).
PortPermissionFacts GatherPortPermissionFacts(const std::string& device, int error);

// The group Debian gives a device of this kind: "dialout" for serial ports (ttyS, ttyUSB,
// ttyACM), "lp" for parallel and USB printer ports (lp, usb/lp); "" for anything else.
std::string ConventionalPortGroup(const std::string& device);

// One plain sentence on why the port could not be opened and what would help: which device,
// which group would give access and how to join it (or that a new login is needed, or that
// only root may open it). Empty unless the error is EACCES or EPERM.
std::string PortPermissionHint(const PortPermissionFacts& facts);

// GatherPortPermissionFacts and PortPermissionHint in one.
std::string PortPermissionHint(const std::string& device, int error);

} // namespace qm
