// The LPT side of PrinterConnection: open, stale-input drain, read (writes go through WriteSerial).
#include "connection/PortIo.h"
#include "connection/PrinterConnection.h"

#include <cerrno>

namespace qm {

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

void PrinterConnection::DrainLpt() {
    uint8_t scratch[kReplyBufferSize];
    uint64_t start = clock_.NowMs();
    while (ElapsedMs(clock_, start) < kDrainLimitMs) {
        if (ReadNow(handle_, scratch, sizeof scratch) <= 0) {
            return;
        }
    }
}

uint32_t PrinterConnection::ReadLpt(uint8_t* buffer, uint32_t* received, ReplyForm form) {
    bool unterminated = form == ReplyForm::kUnterminated;
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

} // namespace qm
