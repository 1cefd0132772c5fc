// The COM side of PrinterConnection: open, stale-input drain, write (LPT writes the same way),
// read.
#include "connection/PortIo.h"
#include "connection/PrinterConnection.h"

#include <algorithm>
#include <cerrno>
#include <sys/ioctl.h>

namespace qm {
namespace {

constexpr uint32_t kLptRememberedWriteConstant = 5000;

} // namespace

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

uint32_t PrinterConnection::ReadCom(uint8_t* buffer, uint32_t* received, ReplyForm form) {
    bool unterminated = form == ReplyForm::kUnterminated;
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

} // namespace qm
