#include "discovery/FakeDeviceTree.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace qm::test {
namespace fs = std::filesystem;
namespace {

void WriteFile(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << text;
}

void Remember(const char* name, std::string& saved, bool& had) {
    const char* value = std::getenv(name);
    had = value != nullptr;
    saved = value ? value : "";
}

void Put(const char* name, const std::string& saved, bool had) {
    if (had) {
        ::setenv(name, saved.c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

} // namespace

FakeDeviceTree::FakeDeviceTree() {
    std::string pattern = (fs::temp_directory_path() / "qm-devtree-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
        throw std::runtime_error("mkdtemp failed");
    }
    root_ = pattern;
    fs::create_directories(root_ + "/sys/class/usbmisc");
    fs::create_directories(root_ + "/sys/class/tty");
    fs::create_directories(root_ + "/dev/usb");
    Remember("QUILLMARK_SYSFS_ROOT", savedSys_, hadSys_);
    Remember("QUILLMARK_DEV_ROOT", savedDev_, hadDev_);
    ::setenv("QUILLMARK_SYSFS_ROOT", (root_ + "/sys").c_str(), 1);
    ::setenv("QUILLMARK_DEV_ROOT", (root_ + "/dev").c_str(), 1);
}

FakeDeviceTree::~FakeDeviceTree() {
    Put("QUILLMARK_SYSFS_ROOT", savedSys_, hadSys_);
    Put("QUILLMARK_DEV_ROOT", savedDev_, hadDev_);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void FakeDeviceTree::AddUsbPrinter(int index, const std::string& vendor, const std::string& product,
                                   const std::string& serial, bool present,
                                   const std::string& interfaceClass) {
    const std::string busPort = "1-" + std::to_string(index + 1);
    const std::string deviceDir = "devices/pci0000:00/0000:00:14.0/usb1/" + busPort;
    const std::string interfaceDir = deviceDir + "/" + busPort + ":1.0";
    WriteFile(Sys(deviceDir + "/idVendor"), vendor + "\n");
    WriteFile(Sys(deviceDir + "/idProduct"), product + "\n");
    WriteFile(Sys(deviceDir + "/product"), "Label Printer " + std::to_string(index) + "\n");
    if (!serial.empty()) {
        WriteFile(Sys(deviceDir + "/serial"), serial + "\n");
    }
    WriteFile(Sys(interfaceDir + "/bInterfaceClass"), interfaceClass + "\n");
    const std::string entry = Sys("class/usbmisc/lp" + std::to_string(index));
    fs::create_directories(entry);
    fs::create_symlink("../../../" + interfaceDir, entry + "/device");
    if (present) {
        WriteFile(Dev("usb/lp" + std::to_string(index)), "");
    }
}

void FakeDeviceTree::AddParallelNode(int index) {
    WriteFile(Dev("lp" + std::to_string(index)), "");
}

void FakeDeviceTree::AddSerialPort(const std::string& name, const std::string& target) {
    const std::string deviceDir = "devices/platform/serial8250/tty/" + name;
    fs::create_directories(Sys(deviceDir));
    fs::create_directories(Sys("class/tty/" + name));
    fs::create_symlink("../../../" + deviceDir, Sys("class/tty/" + name + "/device"));
    if (name.rfind("ttyS", 0) == 0) {
        WriteFile(Sys("class/tty/" + name + "/type"), "4\n");
    }
    if (target.empty()) {
        WriteFile(Dev(name), "");
    } else {
        fs::create_symlink(target, Dev(name));
    }
}

} // namespace qm::test
