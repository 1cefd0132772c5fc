#include "discovery/SerialPorts.h"

#include "connection/PrinterConnection.h"
#include "connection/SerialLine.h"
#include "platform/Encoding.h"
#include "platform/Environment.h"

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace qm {
namespace {

constexpr std::u16string_view kMakerComPrefix = u"KORVANE COM";

bool Exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

// "type" of a ttyS port: 0 for the placeholder of a UART that is not there.
bool UartPresent(const std::string& name) {
    std::ifstream in(SysfsPath("class/tty/" + name + "/type"));
    int type = 0;
    if (!(in >> type)) {
        return false;
    }
    return type != 0;
}

struct MapRange {
    const char* node;
    int firstCom;
};
constexpr MapRange kComMap[] = {{"ttyS", 1}, {"ttyUSB", 33}, {"ttyACM", 65}};

} // namespace

std::vector<std::u16string> ListSerialPorts() {
    std::vector<std::u16string> ports;
    for (const MapRange& range : kComMap) {
        for (int index = 0; index < 32; ++index) {
            std::string name = range.node + std::to_string(index);
            if (!Exists(DevPath(name)) || !Exists(SysfsPath("class/tty/" + name + "/device"))) {
                continue;
            }
            if (range.firstCom == 1 && !UartPresent(name)) {
                continue;
            }
            ports.push_back(U16("COM" + std::to_string(range.firstCom + index) + ":"));
        }
    }
    return ports;
}

std::string SerialDevicePath(std::u16string_view portName) {
    if (ClassifyPortName(portName) != kPortCom) {
        return {};
    }
    return DeviceNodeForPort(portName);
}

std::u16string DescribeSerialPort(std::u16string_view portName) {
    std::u16string start;
    std::u16string queried;
    if (portName.size() >= kMakerComPrefix.size() &&
        portName.substr(0, kMakerComPrefix.size()) == kMakerComPrefix) {
        start = std::u16string(portName);
        queried = std::u16string(portName.substr(8));
    } else {
        start = std::u16string(portName.substr(0, portName.empty() ? 0 : portName.size() - 1));
        queried = start + u":";
    }
    std::string path = SerialDevicePath(queried);
    if (path.empty()) {
        return start;
    }
    int fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return start;
    }
    termios tio{};
    bool read = ::tcgetattr(fd, &tio) == 0;
    ::close(fd);
    if (!read) {
        return start;
    }
    return FormatSerialDescription(start, LineSettingsFromTermios(tio));
}

} // namespace qm
