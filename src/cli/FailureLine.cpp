#include "cli/FailureLine.h"

#include <cerrno>
#include <cstring>

namespace qm::cli {
namespace {

constexpr uint32_t kMsPerTenth = 100;
constexpr uint32_t kTenthsPerSecond = 10;

std::string Bytes(uint64_t count) {
    return std::to_string(count) + (count == 1 ? " byte" : " bytes");
}

} // namespace

std::string SecondsText(uint32_t ms) {
    // Rounded to the nearest tenth.
    const uint32_t tenths = (ms + kMsPerTenth / 2) / kMsPerTenth;
    std::string text = std::to_string(tenths / kTenthsPerSecond);
    if (tenths % kTenthsPerSecond != 0) {
        text += "." + std::to_string(tenths % kTenthsPerSecond);
    }
    return text + " s";
}

std::string FailureLine(const ConnectionFailure& failure) {
    const std::string& where = failure.where;
    switch (failure.kind) {
    case FailureKind::kNone:
        return {};
    case FailureKind::kHostNotFound:
        return "host name " + where + " not found";
    case FailureKind::kNoEcho:
        return "no answer from " + where + " to the reachability echo within " +
               SecondsText(failure.waitedMs);
    case FailureKind::kRefused:
        return "connection refused by " + where;
    case FailureKind::kConnectTimeout:
        return "no answer from " + where + " within " + SecondsText(failure.waitedMs);
    case FailureKind::kConnectError:
        return "cannot connect to " + where + ": " + std::strerror(failure.errorNumber);
    case FailureKind::kNoDevice:
        return "no such device " + where + " (is the adapter plugged in?)";
    case FailureKind::kOpenError:
        if (failure.errorNumber == EBUSY) {
            return where + " is in use by another program";
        }
        return "cannot open " + where + ": " + std::strerror(failure.errorNumber);
    case FailureKind::kClosedByPeer:
        return "the printer closed the connection after " + Bytes(failure.bytes);
    case FailureKind::kNoReply:
        if (failure.bytes > 0) {
            return "no complete reply within " + SecondsText(failure.waitedMs) + " (" +
                   Bytes(failure.bytes) + " came)";
        }
        return "no reply within " + SecondsText(failure.waitedMs);
    case FailureKind::kWriteStalled:
        return "the printer took no data for " + SecondsText(failure.waitedMs);
    }
    return {};
}

} // namespace qm::cli
