// The USB side of PrinterConnection: lookup and open, drain, poll-driven transfers, write, read.
#include "connection/PortIo.h"
#include "connection/PrinterConnection.h"
#include "connection/ReplyEnd.h"
#include "platform/FdWait.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <poll.h>

namespace qm {

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

uint32_t PrinterConnection::ReadUsb(uint8_t* buffer, uint32_t* received, ReplyForm form) {
    bool unterminated = form == ReplyForm::kUnterminated;
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

} // namespace qm
