#include "connection/PrinterConnection.h"

#include "connection/NetAddress.h"
#include "connection/ReplyEnd.h"
#include "connection/SerialLine.h"
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
constexpr uint32_t kLptRememberedWriteConstant = 5000;
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

uint32_t ElapsedMs(Clock& clock, uint64_t start) {
    uint64_t elapsed = clock.NowMs() - start;
    return elapsed > kAllBits ? kAllBits : static_cast<uint32_t>(elapsed);
}

// Connects to a UNIX-domain socket node (a stand-in for a device) of either socket type.
int ConnectSocketNode(const std::string& path) {
    sockaddr_un address{};
    if (path.size() >= sizeof address.sun_path) {
        errno = ENAMETOOLONG;
        return -1;
    }
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    for (int type : {SOCK_STREAM, SOCK_SEQPACKET}) {
        int fd = ::socket(AF_UNIX, type | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) {
            return -1;
        }
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
            return fd;
        }
        int error = errno;
        ::close(fd);
        errno = error;
        if (error != EPROTOTYPE) {
            return -1;
        }
    }
    return -1;
}

// A read that never blocks: bytes read, 0 for nothing available or end of data, -1 on error.
ssize_t ReadNow(int fd, uint8_t* buffer, size_t length, bool* endOfData = nullptr) {
    if (length == 0) {
        return 0;
    }
    ssize_t got;
    do {
        got = ::read(fd, buffer, length);
    } while (got < 0 && errno == EINTR);
    if (endOfData != nullptr) {
        *endOfData = got == 0;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        return 0;
    }
    return got;
}

// One write that never raises SIGPIPE: a socket standing in for a device whose other end has
// gone reports EPIPE like any failed write instead of ending the program.
ssize_t WriteNow(int fd, const uint8_t* data, size_t length) {
    ssize_t put = ::send(fd, data, length, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (put < 0 && errno == ENOTSOCK) {
        put = ::write(fd, data, length);
    }
    return put;
}

// Writes as much as the device takes within `limitMs` (the port's write time-out): the bytes
// written; 0 when nothing could be written (also after an error).
uint32_t WriteWithin(Clock& clock, int fd, const uint8_t* data, uint32_t length, uint32_t limitMs) {
    uint32_t done = 0;
    uint64_t start = clock.NowMs();
    bool reportedReady = false;
    while (done < length) {
        ssize_t put = WriteNow(fd, data + done, length - done);
        if (put > 0) {
            done += static_cast<uint32_t>(put);
            reportedReady = false;
            continue;
        }
        if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
            // A failed write takes no bytes; the short pause keeps the caller's retries from
            // spinning and lets its no-progress clock run on any clock.
            clock.SleepMs(1);
            break;
        }
        if (reportedReady) {
            // Writable by poll yet taking nothing (a terminal stopped by XOFF): let time pass.
            clock.SleepMs(1);
        }
        uint32_t elapsed = ElapsedMs(clock, start);
        if (elapsed >= limitMs) {
            break;
        }
        int ready = WaitForFd(clock, fd, POLLOUT, limitMs - elapsed);
        if (ready <= 0) {
            break;
        }
        reportedReady = true;
    }
    return done;
}

} // namespace

bool IsUnterminatedReply(ReplyKind kind) {
    return kind == kReplyCounters || kind == kReplyStatus;
}

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

OperationTimeouts TimeoutsFor(int32_t kind, int purpose) {
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
        return -1;
    }
    // Exclusive use: no second holder, in this or another process.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
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

int PrinterConnection::OpenCom() {
    services_.ParkQueues(parkedQueues_, portName_);
    handle_ = OpenDeviceNode(DeviceNodeForPort(portName_));
    if (handle_ < 0) {
        int error = errno;
        if (!parkedQueues_.empty()) {
            services_.RestoreQueues(parkedQueues_, portName_);
        }
        errno = error;
        return 0;
    }
    timeoutBlock_ = SerialTimeoutBlock{};
    DrainCom();
    return 1;
}

int PrinterConnection::OpenLpt() {
    services_.ParkQueues(parkedQueues_, portName_);
    handle_ = OpenDeviceNode(DeviceNodeForPort(portName_));
    int error = errno;
    if (!parkedQueues_.empty()) {
        // The queues get their port back at once; the handle stays open.
        services_.RestoreQueues(parkedQueues_, portName_);
    }
    if (handle_ < 0) {
        errno = error;
        return 0;
    }
    timeoutBlock_ = SerialTimeoutBlock{};
    DrainLpt();
    return 1;
}

int PrinterConnection::OpenUsb() {
    std::u16string devicePath;
    std::string nodePath;
    uint64_t start = clock_.NowMs();
    while (!services_.ResolveUsbPort(usbPortLabel_, devicePath, nodePath, portName_)) {
        if (ElapsedMs(clock_, start) >= kUsbResolveLimitMs) {
            errno = ENODEV;
            return 0;
        }
        clock_.SleepMs(kUsbResolveRetryMs);
    }
    portName_ = usbPortLabel_;
    services_.ResolveUsbPort(usbPortLabel_, devicePath, nodePath, portName_);
    if (usbOpened_) {
        usbOpened_(devicePath + u"#" + portName_);
    }
    handle_ = OpenDeviceNode(nodePath);
    if (handle_ < 0) {
        return 0;
    }
    std::memset(usbBuffer_, 0, sizeof usbBuffer_);
    writeAsync_ = AsyncRecord{};
    readAsync_ = AsyncRecord{};
    DrainUsb();
    // The read that stays outstanding: the USB read loop collects it.
    readAsync_ = AsyncRecord{};
    readAsync_.pending = true;
    return 1;
}

void PrinterConnection::DrainCom() {
    uint8_t scratch[kReplyBufferSize];
    uint64_t start = clock_.NowMs();
    while (ElapsedMs(clock_, start) < kDrainLimitMs) {
        int queued = 0;
        if (::ioctl(handle_, FIONREAD, &queued) != 0 || queued <= 0) {
            return;
        }
        size_t take = std::min<size_t>(static_cast<size_t>(queued), sizeof scratch);
        if (ReadNow(handle_, scratch, take) <= 0) {
            return;
        }
    }
}

void PrinterConnection::DrainLpt() {
    uint8_t scratch[kReplyBufferSize];
    uint64_t start = clock_.NowMs();
    while (ElapsedMs(clock_, start) < kDrainLimitMs) {
        if (ReadNow(handle_, scratch, sizeof scratch) <= 0) {
            return;
        }
    }
}

void PrinterConnection::DrainUsb() {
    uint8_t scratch[kReplyBufferSize];
    uint64_t start = clock_.NowMs();
    while (ElapsedMs(clock_, start) < kDrainLimitMs) {
        // Nothing available is the read "still pending"; the end of data stops it as well.
        if (ReadNow(handle_, scratch, sizeof scratch) <= 0) {
            break;
        }
    }
    CancelUsbTransfers();
}

void PrinterConnection::CancelUsbTransfers() {
    // The transfers are poll-driven, so cancelling marks them done; the wait below is the
    // bounded wait for that.
    readAsync_.pending = false;
    writeAsync_.pending = false;
    uint64_t start = clock_.NowMs();
    while ((readAsync_.pending || writeAsync_.pending) &&
           ElapsedMs(clock_, start) < kCancelWaitMs) {
        clock_.SleepMs(kCancelPollMs);
    }
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

uint32_t PrinterConnection::WriteSerial(const uint8_t* data, uint32_t length, uint32_t* written) {
    bool com = kind_ == kPortCom;
    uint32_t rememberedConstant = com ? timeoutBlock_.writeConstant : kLptRememberedWriteConstant;
    if (length == 0) {
        return kResultSuccess;
    }
    uint32_t total = 0;
    uint32_t result = kResultSuccess;
    uint64_t lastProgress = clock_.NowMs();
    while (total < length) {
        uint32_t chunk = std::min(length - total, kSerialWriteChunk);
        if (com) {
            timeoutBlock_.writeMultiplier = 0;
            timeoutBlock_.writeConstant = kComPerWriteMs;
        }
        // LPT has no write time-out block of its own; one write waits as long as a COM write.
        uint32_t limit = com ? timeoutBlock_.writeConstant : kComPerWriteMs;
        uint32_t put = WriteWithin(clock_, handle_, data + total, chunk, limit);
        if (com) {
            timeoutBlock_.writeConstant = rememberedConstant;
        }
        if (put > 0) {
            total += put;
            lastProgress = clock_.NowMs();
        } else if (ElapsedMs(clock_, lastProgress) > serialWriteTimeoutMs_) {
            result = kErrorBusy;
            break;
        }
    }
    if (total != 0) {
        *written = total;
    }
    return total == length ? kResultSuccess : result;
}

uint32_t PrinterConnection::WriteUsb(const uint8_t* data, uint32_t length, uint32_t* written) {
    if (length == 0) {
        *written = 0;
        return kResultSuccess;
    }
    uint32_t total = 0;
    uint32_t result = kResultSuccess;
    for (uint32_t offset = 0; offset < length; offset += kUsbWriteChunk) {
        uint32_t chunk = std::min(length - offset, kUsbWriteChunk);
        uint32_t put = 0;
        result = WriteUsbChunk(data + offset, chunk, &put);
        total += put;
        if (result != kResultSuccess) {
            break;
        }
    }
    if (total != 0) {
        *written = total;
    }
    // A chunk the device accepted but did not complete in time is a failed write even when
    // every byte was handed over.
    return result;
}

bool PrinterConnection::UsbWriteSettled() {
    // The device reports itself writable again once it has finished the last transfer.
    if (writeAsync_.pending && WaitForFd(clock_, handle_, POLLOUT, 0) != 0) {
        writeAsync_.pending = false;
    }
    return !writeAsync_.pending;
}

uint32_t PrinterConnection::WriteUsbChunk(const uint8_t* data, uint32_t length, uint32_t* written) {
    uint64_t start = clock_.NowMs();
    while (!UsbWriteSettled()) {
        if (ElapsedMs(clock_, start) > usbWriteTimeoutMs_) {
            return kErrorTimeout;
        }
        clock_.SleepMs(kUsbWritePollMs);
    }
    writeAsync_ = AsyncRecord{};
    writeAsync_.pending = true;
    start = clock_.NowMs();
    while (true) {
        if (writeAsync_.transferred < length) {
            ssize_t put =
                WriteNow(handle_, data + writeAsync_.transferred, length - writeAsync_.transferred);
            if (put > 0) {
                writeAsync_.transferred += static_cast<uint32_t>(put);
                continue;
            }
            if (put < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                writeAsync_.error = errno;
                writeAsync_.pending = false;
                *written = writeAsync_.transferred;
                return static_cast<uint32_t>(writeAsync_.error);
            }
        } else if (UsbWriteSettled()) {
            // The device has taken the whole chunk: the transfer is complete.
            *written = length;
            return kResultSuccess;
        }
        if (ElapsedMs(clock_, start) > usbWriteTimeoutMs_) {
            // Not completed in time: the transfer stays outstanding (Close cancels it). The
            // bytes the device accepted are reported, so nothing is sent twice.
            *written = writeAsync_.transferred;
            return kErrorTimeout;
        }
        clock_.SleepMs(kUsbWritePollMs);
    }
}

// ---- Read ----------------------------------------------------------------------------------

namespace {

// COM and LPT: true when the reply so far ends with its terminator; the shifted terminator
// ("ND\r\nT", a stray byte after the end) leaves the stray byte out of the count.
bool SerialReplyComplete(const uint8_t* buffer, uint32_t& count) {
    const ReplyEnd end = CheckReplyEnd(buffer, count, true);
    if (end == ReplyEnd::kShifted) {
        --count;
    }
    return end != ReplyEnd::kOpen;
}

// COM and LPT: what arrived is the reply; nothing at all is the error seen, else a time-out.
uint32_t SerialReadResult(uint32_t* received, uint32_t count, uint32_t error) {
    *received = count;
    if (count == 0) {
        return error != 0 ? error : kWaitTimeout;
    }
    return kResultSuccess;
}

} // namespace

uint32_t PrinterConnection::Read(uint8_t* buffer, uint32_t* received, ReplyKind kind) {
    if (handle_ < 0) {
        return kErrorInvalidHandle;
    }
    if (buffer == nullptr || received == nullptr) {
        return kErrorBadArguments;
    }
    *received = 0;
    switch (kind_) {
    case kPortCom:
        return ReadCom(buffer, received, kind);
    case kPortLpt:
        return ReadLpt(buffer, received, kind);
    default:
        return ReadUsb(buffer, received, kind);
    }
}

uint32_t PrinterConnection::ReadCom(uint8_t* buffer, uint32_t* received, ReplyKind kind) {
    bool unterminated = IsUnterminatedReply(kind);
    uint64_t start = clock_.NowMs();
    uint32_t count = 0;
    uint32_t error = 0;
    while (true) {
        int queued = 0;
        if (::ioctl(handle_, FIONREAD, &queued) != 0) {
            error = static_cast<uint32_t>(errno);
            count = 0;
            break;
        }
        if (queued > 0) {
            uint32_t take = std::min(static_cast<uint32_t>(queued), kReplyBufferSize - count);
            ssize_t got = ReadNow(handle_, buffer + count, take);
            if (got < 0) {
                error = static_cast<uint32_t>(errno);
                count = 0;
                break;
            }
            count += static_cast<uint32_t>(got);
            if (!unterminated && SerialReplyComplete(buffer, count)) {
                break;
            }
            if (count == kReplyBufferSize) {
                *received = count;
                return kErrorMoreData;
            }
        } else {
            if (unterminated && count > 2) {
                break;
            }
            if (ElapsedMs(clock_, start) > serialReadTimeoutMs_) {
                break;
            }
        }
        clock_.SleepMs(kComPollMs);
    }
    return SerialReadResult(received, count, error);
}

uint32_t PrinterConnection::ReadLpt(uint8_t* buffer, uint32_t* received, ReplyKind kind) {
    bool unterminated = IsUnterminatedReply(kind);
    uint64_t start = clock_.NowMs();
    uint32_t count = 0;
    uint32_t error = 0;
    clock_.SleepMs(kLptFirstPollMs);
    while (true) {
        ssize_t got = ReadNow(handle_, buffer + count, kReplyBufferSize - count);
        if (got < 0) {
            error = static_cast<uint32_t>(errno);
            count = 0;
            break;
        }
        count += static_cast<uint32_t>(got);
        if (got > 0 && !unterminated && SerialReplyComplete(buffer, count)) {
            break;
        }
        if (count == kReplyBufferSize) {
            *received = count;
            return kErrorMoreData;
        }
        if (got < 2) {
            if (unterminated && count > 2) {
                break;
            }
            if (ElapsedMs(clock_, start) > serialReadTimeoutMs_) {
                break;
            }
        }
        clock_.SleepMs(kLptPollMs);
        clock_.SleepMs(kLptPollMs);
    }
    return SerialReadResult(received, count, error);
}

uint32_t PrinterConnection::ReadUsb(uint8_t* buffer, uint32_t* received, ReplyKind kind) {
    bool unterminated = IsUnterminatedReply(kind);
    uint64_t start = clock_.NowMs();
    uint32_t count = 0;
    while (true) {
        uint32_t capacity = kReplyBufferSize - count;
        uint32_t landing = std::min(capacity, kUsbReadSize);
        bool endOfData = false;
        ssize_t got = ReadNow(handle_, usbBuffer_, landing, &endOfData);
        if (got < 0) {
            readAsync_.pending = false;
            *received = count;
            return static_cast<uint32_t>(errno);
        }
        if (got == 0 && endOfData) {
            // Completed with nothing: start the next read at once and take what it brings.
            got = ReadNow(handle_, usbBuffer_, landing);
            if (got < 0) {
                *received = count;
                return static_cast<uint32_t>(errno);
            }
        } else if (got == 0 && unterminated && count > 2) {
            break; // still pending: the unterminated reply is complete
        }
        if (got > 0) {
            std::memcpy(buffer + count, usbBuffer_, static_cast<size_t>(got));
            count += static_cast<uint32_t>(got);
            *received = count;
            if (!unterminated && CheckReplyEnd(buffer, count, false) == ReplyEnd::kTerminated) {
                break;
            }
            if (count == kReplyBufferSize) {
                return kErrorMoreData;
            }
            std::memset(usbBuffer_, 0, sizeof usbBuffer_);
            readAsync_ = AsyncRecord{};
            readAsync_.pending = true;
        }
        if (ElapsedMs(clock_, start) > usbReadTimeoutMs_) {
            *received = count;
            return kWaitTimeout;
        }
        clock_.SleepMs(kUsbReadPollMs);
    }
    *received = count;
    return kResultSuccess;
}

// ---- The exchange with the stored settings -------------------------------------------------

int PrinterConnection::ConnectForOperation(int purpose) {
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
    if (kind_ == kPortCom && !ApplyLineSettings(*this, settings_->StoredSerialSettings())) {
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
