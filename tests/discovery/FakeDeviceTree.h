#pragma once

#include <string>

namespace qm::test {

// A temporary device tree with the real kernel's shape, put in place of /sys and /dev through
// QUILLMARK_SYSFS_ROOT and QUILLMARK_DEV_ROOT for the object's lifetime:
//   sys/class/usbmisc/lpN/device -> ../../../devices/.../usbB/B-P/B-P:1.0 (the interface, with
//   bInterfaceClass), whose parent B-P holds idVendor, idProduct, serial and product;
//   sys/class/tty/NAME/device (and "type" for ttyS ports); dev/usb/lpN, dev/lpN, dev/NAME.
class FakeDeviceTree {
public:
    FakeDeviceTree();
    ~FakeDeviceTree();
    FakeDeviceTree(const FakeDeviceTree&) = delete;
    FakeDeviceTree& operator=(const FakeDeviceTree&) = delete;

    // A USB printer interface lpN on bus port P; `serial` empty writes no serial file;
    // `present` creates its node dev/usb/lpN.
    void AddUsbPrinter(int index, const std::string& vendor, const std::string& product,
                       const std::string& serial, bool present,
                       const std::string& interfaceClass = "07");
    // A parallel port node dev/lpN.
    void AddParallelNode(int index);
    // A serial port NAME ("ttyS0", "ttyUSB1"): its sysfs entry and its node; `target` makes the
    // node a link to that device (a pseudo-terminal) instead of a plain file.
    void AddSerialPort(const std::string& name, const std::string& target = {});

    const std::string& Root() const { return root_; }
    std::string Sys(const std::string& relative) const { return root_ + "/sys/" + relative; }
    std::string Dev(const std::string& relative) const { return root_ + "/dev/" + relative; }

private:
    std::string root_;
    std::string savedSys_;
    std::string savedDev_;
    bool hadSys_ = false;
    bool hadDev_ = false;
};

} // namespace qm::test
