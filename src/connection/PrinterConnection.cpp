#include "connection/PrinterConnection.h"

#include "connection/NetAddress.h"
#include "connection/PortIo.h"
#include "connection/ReplyEnd.h"
#include "connection/SerialLine.h"
#include "platform/Encoding.h"
#include "platform/Environment.h"
#include "platform/FdWait.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

namespace qm {
namespace {

constexpr uint32_t kAllBits = 0xFFFFFFFFu;
constexpr std::u16string_view kMakerComPrefix = u"KORVANE COM";

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

// Digits only, at least one, value 1..limit; 0 otherwise.
uint32_t PortIndex(std::u16string_view digits, uint32_t limit) {
    if (digits.empty() || digits.size() > 4) {
        return 0;
    }
    uint32_t value = 0;
    for (char16_t c : digits) {
        if (c < u'0' || c > u'9') {
            return 0;
        }
        value = value * 10 + static_cast<uint32_t>(c - u'0');
    }
    return value >= 1 && value <= limit ? value : 0;
}

} // namespace

int32_t ClassifyPortName(std::u16string_view portName) {
    if (StartsWith(portName, u"COM") || StartsWith(portName, kMakerComPrefix)) {
        return kPortCom;
    }
    if (StartsWith(portName, u"LPT")) {
        return kPortLpt;
    }
    if (StartsWith(portName, u"USB")) {
        return kPortUsb;
    }
    return kPortNone;
}

std::string DeviceNodeForPort(std::u16string_view portName) {
    int32_t kind = ClassifyPortName(portName);
    if (kind == kPortCom) {
        // The stored names end with a colon, which the device name leaves out.
        std::u16string_view name = portName.substr(0, portName.size() - 1);
        size_t prefix = StartsWith(name, kMakerComPrefix) ? kMakerComPrefix.size() : 3;
        uint32_t number = PortIndex(name.substr(prefix), 96);
        if (number == 0) {
            return {};
        }
        if (number <= 32) {
            return DevPath("ttyS" + std::to_string(number - 1));
        }
        if (number <= 64) {
            return DevPath("ttyUSB" + std::to_string(number - 33));
        }
        return DevPath("ttyACM" + std::to_string(number - 65));
    }
    if (kind == kPortLpt) {
        std::u16string_view name = portName.substr(3);
        if (!name.empty() && name.back() == u':') {
            name.remove_suffix(1);
        }
        uint32_t number = PortIndex(name, 9999);
        return number == 0 ? std::string() : DevPath("lp" + std::to_string(number - 1));
    }
    return {};
}

OperationTimeouts TimeoutsFor(int32_t kind, ConnectPurpose purpose) {
    bool longRead = purpose == kPurposeSensor;
    switch (kind) {
    case kPortCom:
    case kPortLpt:
    case kPortUsb:
        return {longRead ? 10000u : 5000u, 5000u};
    case kPortNet:
        return {longRead ? 10000u : 1000u, 5000u};
    default:
        return {};
    }
}

PrinterConnection::PrinterConnection(Clock& clock, PortServices& services)
    : clock_(clock), services_(services) {}

PrinterConnection::~PrinterConnection() {
    Close();
    NetClose();
}

// ---- Open ----------------------------------------------------------------------------------

int PrinterConnection::OpenDeviceNode(const std::string& path) {
    if (path.empty()) {
        NoteFailure(FailureKind::kNoDevice, Utf16ToUtf8(portName_));
        errno = ENOENT;
        return -1;
    }
    int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == ENXIO) {
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode)) {
            fd = ConnectSocketNode(path);
        }
    }
    if (fd < 0) {
        const int error = errno;
        NoteFailure(error == ENOENT ? FailureKind::kNoDevice : FailureKind::kOpenError, path,
                    error);
        errno = error;
        return -1;
    }
    // Exclusive use: no second holder, in this or another process.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        NoteFailure(FailureKind::kOpenError, path, EBUSY);
        errno = EBUSY;
        return -1;
    }
    handleIsTty_ = ::isatty(fd) == 1;
    if (handleIsTty_) {
        ::ioctl(fd, TIOCEXCL);
    }
    return fd;
}

int PrinterConnection::Open(const std::u16string& portName) {
    int32_t kind = ClassifyPortName(portName);
    if (kind == kPortNone || handle_ >= 0) {
        return 0;
    }
    kind_ = kind;
    portName_ = portName;
    int opened = 0;
    switch (kind) {
    case kPortCom:
        opened = OpenCom();
        break;
    case kPortLpt:
        opened = OpenLpt();
        break;
    default:
        opened = OpenUsb();
        break;
    }
    if (!opened) {
        // A failed open keeps nothing: a closed connection has no handle, kind or name.
        if (handle_ >= 0) {
            ::close(handle_);
        }
        handle_ = -1;
        kind_ = kPortNone;
        portName_.clear();
        return 0;
    }
    return 1;
}

// ---- Close ---------------------------------------------------------------------------------

int PrinterConnection::Close() {
    if (handle_ < 0) {
        return 0;
    }
    if (handleIsTty_) {
        // The terminal still holds what the last write handed it: let it go out on the line
        // (bounded by the write time-out, waits polled every 5 ms) before stale input is
        // discarded; only output that cannot leave in that time is discarded with it.
        uint32_t limit = serialWriteTimeoutMs_ != 0 ? serialWriteTimeoutMs_ : kDrainLimitMs;
        uint64_t start = clock_.NowMs();
        int pending = 0;
        while (::ioctl(handle_, TIOCOUTQ, &pending) == 0 && pending > 0 &&
               ElapsedMs(clock_, start) < limit) {
            clock_.SleepMs(kCancelPollMs);
        }
        ::tcflush(handle_, pending > 0 ? TCIOFLUSH : TCIFLUSH);
    }
    if (kind_ == kPortUsb) {
        CancelUsbTransfers();
        usbReadTimeoutMs_ = 0;
        usbWriteTimeoutMs_ = 0;
    }
    if (handleIsTty_) {
        ::ioctl(handle_, TIOCNXCL);
    }
    int closed = ::close(handle_) == 0 ? 1 : 0;
    handle_ = -1;
    handleIsTty_ = false;
    if (kind_ == kPortCom && !parkedQueues_.empty()) {
        services_.RestoreQueues(parkedQueues_, portName_);
    }
    serialReadTimeoutMs_ = 0;
    serialWriteTimeoutMs_ = 0;
    portName_.clear();
    kind_ = kPortNone;
    return closed;
}

// ---- Time-outs -----------------------------------------------------------------------------

int PrinterConnection::SetSerialTimeouts(uint32_t readMs, uint32_t writeMs) {
    if (handle_ < 0 || (kind_ != kPortCom && kind_ != kPortLpt)) {
        return 0;
    }
    // The port's own block: reads are bounded by the read loop, writes by the write constant.
    timeoutBlock_.readConstant = 5000;
    timeoutBlock_.writeMultiplier = kAllBits;
    timeoutBlock_.writeConstant = 5000;
    serialReadTimeoutMs_ = readMs;
    serialWriteTimeoutMs_ = writeMs;
    return 1;
}

int PrinterConnection::GetSerialTimeouts(uint32_t* readMs, uint32_t* writeMs) {
    if (handle_ < 0 || (kind_ != kPortCom && kind_ != kPortLpt)) {
        return 0;
    }
    if (readMs != nullptr) {
        *readMs = serialReadTimeoutMs_;
    }
    if (writeMs != nullptr) {
        *writeMs = serialWriteTimeoutMs_;
    }
    return 1;
}

int PrinterConnection::SetUsbTimeouts(uint32_t readMs) {
    if (handle_ < 0 || kind_ != kPortUsb) {
        return 0;
    }
    usbReadTimeoutMs_ = std::max<uint32_t>(readMs, 100);
    usbWriteTimeoutMs_ = 5000;
    return 1;
}

int PrinterConnection::SetNetTimeouts(uint32_t readMs) {
    if (socket_ < 0 || kind_ != kPortNet) {
        return 0;
    }
    netReadTimeoutMs_ = readMs;
    netWriteTimeoutMs_ = 5000;
    return 1;
}

// ---- Write ---------------------------------------------------------------------------------

uint32_t PrinterConnection::Write(const uint8_t* data, uint32_t length, uint32_t* written) {
    if (handle_ < 0) {
        return kErrorInvalidHandle;
    }
    if (data == nullptr || written == nullptr) {
        return kErrorBadArguments;
    }
    return kind_ == kPortUsb ? WriteUsb(data, length, written) : WriteSerial(data, length, written);
}

uint32_t PrinterConnection::Read(uint8_t* buffer, uint32_t* received, ReplyForm form) {
    if (handle_ < 0) {
        return kErrorInvalidHandle;
    }
    if (buffer == nullptr || received == nullptr) {
        return kErrorBadArguments;
    }
    *received = 0;
    switch (kind_) {
    case kPortCom:
        return ReadCom(buffer, received, form);
    case kPortLpt:
        return ReadLpt(buffer, received, form);
    default:
        return ReadUsb(buffer, received, form);
    }
}

// ---- The exchange with the stored settings -------------------------------------------------

int PrinterConnection::ConnectForOperation(ConnectPurpose purpose) {
    failure_ = ConnectionFailure{};
    if (settings_ == nullptr) {
        return 0;
    }
    int32_t type = settings_->StoredPortType();
    std::u16string name = settings_->StoredPortName();
    switch (type) {
    case kPortCom:
    case kPortLpt:
    case kPortUsb:
        if (!Open(name)) {
            return 0;
        }
        break;
    case kPortNet:
        if (!Ping(name)) {
            return 0;
        }
        if (!NetConnect(name, PortNumberFromText(settings_->StoredPortNumber()))) {
            return 0;
        }
        break;
    default:
        return 0;
    }
    if (kind_ == kPortCom && !ApplyLineSettings(handle_, settings_->StoredSerialSettings())) {
        return 0;
    }
    OperationTimeouts timeouts = TimeoutsFor(kind_, purpose);
    switch (kind_) {
    case kPortCom:
        return SetSerialTimeouts(timeouts.readMs, timeouts.writeMs);
    case kPortLpt:
        SetSerialTimeouts(timeouts.readMs, timeouts.writeMs);
        return 1;
    case kPortUsb:
        SetUsbTimeouts(timeouts.readMs);
        return 1;
    case kPortNet:
        SetNetTimeouts(netWaitLimitMs_ != 0 && netWaitLimitMs_ < timeouts.readMs ? netWaitLimitMs_
                                                                                 : timeouts.readMs);
        return 1;
    default:
        return 0;
    }
}

void PrinterConnection::Disconnect() {
    int32_t type = settings_ != nullptr ? settings_->StoredPortType() : kPortNone;
    if (type == kPortPrt) {
        type = settings_->DriverPortKind();
    }
    switch (type) {
    case kPortCom:
    case kPortLpt:
    case kPortUsb:
        Close();
        break;
    case kPortNet:
        NetClose();
        break;
    default:
        break;
    }
}

} // namespace qm
