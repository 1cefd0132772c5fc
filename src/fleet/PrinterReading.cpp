#include "fleet/PrinterReading.h"

#include "platform/Encoding.h"
#include "settings/SettingsParser.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

namespace qm::fleet {
namespace {

constexpr int kErrorCodeDigits = 2;
// Counters beyond this are not a printer's: a reply that says so is not believed.
constexpr double kCounterLimit = 1e15;

std::optional<bool> FlagOf(StatusFlag flag) {
    if (flag == StatusFlag::kUnknown) {
        return std::nullopt;
    }
    return flag == StatusFlag::kYes;
}

int ErrorCodeNumber(std::string_view code) {
    if (code.size() < kErrorCodeDigits || std::isdigit(static_cast<unsigned char>(code[0])) == 0 ||
        std::isdigit(static_cast<unsigned char>(code[1])) == 0) {
        return 0;
    }
    return (code[0] - '0') * 10 + (code[1] - '0');
}

} // namespace

const char* ReachabilityName(Reachability reach) {
    switch (reach) {
    case Reachability::kUnknown:
        return "unknown";
    case Reachability::kUp:
        return "up";
    case Reachability::kNoAnswer:
        return "no answer";
    case Reachability::kDown:
        return "down";
    }
    return "unknown";
}

bool PrinterReading::InError() const {
    return paperError.value_or(false) || ribbonError.value_or(false) || errorCode != 0;
}

std::optional<double> CounterNumber(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) {
        ++at;
    }
    size_t end = at;
    bool digits = false;
    while (end < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[end])) != 0 || text[end] == '.')) {
        digits = digits || text[end] != '.';
        ++end;
    }
    if (!digits) {
        return std::nullopt;
    }
    const std::string number(text.substr(at, end - at));
    char* stop = nullptr;
    const double value = std::strtod(number.c_str(), &stop);
    if (stop != number.c_str() + number.size() || !std::isfinite(value) || value > kCounterLimit) {
        return std::nullopt;
    }
    return value;
}

PrinterReading PrinterReading::FromReplies(int form, std::string_view status,
                                           std::string_view counters) {
    PrinterReading reading;
    reading.reach = Reachability::kUp;
    const PrinterStatus decoded = StatusDecoder::Decode(form, status);
    reading.paperError = FlagOf(decoded.paperError);
    reading.ribbonError = FlagOf(decoded.ribbonError);
    reading.paused = FlagOf(decoded.pause);
    reading.printing = FlagOf(decoded.printing);
    reading.waitingForPeeling = FlagOf(decoded.waitingForPeeling);
    if (form == static_cast<int>(StatusForm::kErrorCode)) {
        reading.errorText = decoded.errorCode;
        reading.errorCode = ErrorCodeNumber(decoded.errorCode);
        reading.paperError = decoded.message == StatusMessage::kPaperOrRibbonEnd ||
                             decoded.message == StatusMessage::kHeadUp;
        reading.paused = decoded.message == StatusMessage::kPauseOrWaiting;
    }
    const MachineInfo info = ParseMachineInfo(AnsiToWide(counters));
    reading.serial = Utf16ToUtf8(info.values[0]);
    reading.printLengthMeters = CounterNumber(Utf16ToUtf8(info.values[1]));
    reading.serviceLengthMeters = CounterNumber(Utf16ToUtf8(info.values[2]));
    if (const std::optional<double> cuts = CounterNumber(Utf16ToUtf8(info.values[3]))) {
        reading.cutCount = static_cast<int64_t>(*cuts);
    }
    return reading;
}

} // namespace qm::fleet
