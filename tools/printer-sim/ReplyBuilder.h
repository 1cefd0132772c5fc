#pragma once

#include "PrintCounters.h"
#include "PrinterState.h"
#include "SimOptions.h"

#include <string>
#include <vector>

namespace qm::sim {

// The counter lines a counters request may ask for, in the order asked.
enum class CounterItem { kSerial, kPrint, kService, kCut };

// Builds the bytes of every reply. Terminated replies (menu, machine information) start with
// reply marker A and end with "END\r\n" unless the options leave it out, add "T", or pad them.
class ReplyBuilder {
public:
    explicit ReplyBuilder(const SimOptions& options) : options_(options) {}

    static const std::string& MarkerA();
    static const std::string& LeadIn();

    std::string Menu(const PrinterState& state, MenuRequest request) const;
    std::string MachineInfo(const PrinterState& state, const std::string& serial,
                            const PrintCounters& counters) const;
    // Unterminated: only the asked-for lines.
    std::string CountersReply(const std::vector<CounterItem>& items, const std::string& serial,
                              const PrintCounters& counters) const;
    // SOH "A": eight Y/N flags and CR.
    std::string StatusFlags() const;
    // "~HS": three STX ... ETX CR LF strings.
    std::string HostStatus(const PrinterState& state) const;
    // "^ee": the two-digit error code and CR LF.
    std::string ErrorCode() const;
    // The answer to "AUTO CALIBRATION" after END.
    std::string CalibrationAnswer() const;

private:
    std::string Terminate(std::string body) const;

    const SimOptions& options_;
};

} // namespace qm::sim
