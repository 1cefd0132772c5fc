#include "ReplyBuilder.h"

#include "ValueCodec.h"

#include <cstdio>

namespace qm::sim {

namespace {

constexpr size_t kOversizeBytes = 5000;

char Flag(bool on) {
    return on ? 'Y' : 'N';
}
char Bit(bool on) {
    return on ? '1' : '0';
}

std::string Padded(long value, int width) {
    std::string digits = std::to_string(value);
    return digits.size() >= static_cast<size_t>(width)
               ? digits
               : std::string(static_cast<size_t>(width) - digits.size(), '0') + digits;
}

} // namespace

const std::string& ReplyBuilder::MarkerA() {
    static const std::string marker("~!!\r\n\x02\x1b~A\r\n", 11);
    return marker;
}

const std::string& ReplyBuilder::LeadIn() {
    static const std::string leadIn("~!!\r\n\x02\x1b~A\r\n~\x1b~A\r\n", 17);
    return leadIn;
}

std::string ReplyBuilder::Terminate(std::string body) const {
    if (options_.oversize) {
        // Settings this program does not know, as a printer with a newer firmware might add.
        for (int n = 1; body.size() < kOversizeBytes; ++n) {
            body += "RESERVED " + Padded(n, 4) + "\t:\t" + std::string(48, '0') + "\r\n";
        }
    }
    if (!options_.noEnd) {
        body += "END\r\n";
        if (options_.trailingT) {
            body += "T";
        }
    }
    return body;
}

std::string ReplyBuilder::Menu(const PrinterState& state, MenuRequest request) const {
    std::string body = MarkerA();
    for (const std::string& line : state.MenuLines(request)) {
        body += line + "\r\n";
    }
    return Terminate(std::move(body));
}

std::string ReplyBuilder::MachineInfo(const PrinterState& state, const std::string& serial,
                                      const PrintCounters& counters) const {
    std::string body = MarkerA();
    body += "Model Number\t:\t" + std::string(ModelName(state.Model())) + "\r\n";
    body += "Serial Number\t:\t" + serial + "\r\n";
    body += "Boot Version\t:\t1.02\r\n";
    body += "Main Version\t:\t2.10\r\n";
    body += "Emulation\t:\t" + state.Emulation() + "\r\n";
    body += std::string("Head Check\t:\t") + (options_.headUp ? "NG" : "OK") + "\r\n";
    body += "Print Counter\t:\t" + FormatFixed(counters.PrintTenthsM(), 1) + " m\r\n";
    body += "Service Counter\t:\t" + FormatFixed(counters.ServiceTenthsM(), 1) + " m\r\n";
    body += "Cut Counter\t:\t" + std::to_string(counters.Cuts()) + "\r\n";
    return Terminate(std::move(body));
}

std::string ReplyBuilder::CountersReply(const std::vector<CounterItem>& items,
                                        const std::string& serial,
                                        const PrintCounters& counters) const {
    std::string body;
    for (CounterItem item : items) {
        switch (item) {
        case CounterItem::kSerial:
            body += "Serial Number : " + serial + "\r\n";
            break;
        case CounterItem::kPrint:
            body += "Print Counter Length " + FormatFixed(counters.PrintTenthsM(), 1) + " m\r\n";
            break;
        case CounterItem::kService:
            body +=
                "Service Counter Length " + FormatFixed(counters.ServiceTenthsM(), 1) + " m\r\n";
            break;
        case CounterItem::kCut:
            body += "Cut Counter " + std::to_string(counters.Cuts()) + "\r\n";
            break;
        }
    }
    return body;
}

std::string ReplyBuilder::StatusFlags() const {
    const SimOptions& o = options_;
    // interface busy, paper out, ribbon out, batch printing, busy printing, paused,
    // label waiting, head up
    std::string flags = {'N',          Flag(o.paperOut), Flag(o.ribbonOut),    'N',
                         Flag(o.busy), Flag(o.paused),   Flag(o.labelWaiting), Flag(o.headUp)};
    return flags + "\r";
}

std::string ReplyBuilder::HostStatus(const PrinterState& state) const {
    const SimOptions& o = options_;
    // Label length in dots at 8 dots per millimetre; five digits once it reaches 10000.
    long tenthsMm = StoredLengthTenthsMm(state.Get("CONTINUOUS MEDIA LENGTH")).value_or(1016);
    long dots = (tenthsMm * 8 + 5) / 10;
    std::string first = std::string("\x02") + "030," + Bit(o.paperOut) + "," + Bit(o.paused) + "," +
                        Padded(dots, 4) + "," + (o.busy ? "001" : "000") +
                        ",0,0,0,000,0,0,0\x03\r\n";
    std::string second = std::string("\x02") + "000,0," + Bit(o.headUp) + "," + Bit(o.ribbonOut) +
                         "," + Bit(state.Get("PRINT METHOD") == "TT") + ",0,0," +
                         Bit(o.labelWaiting) + "," + (o.busy ? "00000001" : "00000000") +
                         ",1,000\x03\r\n";
    std::string third = "\x02"
                        "1234,0\x03\r\n";
    return first + second + third;
}

std::string ReplyBuilder::ErrorCode() const {
    const SimOptions& o = options_;
    const char* code = "00";
    if (o.headUp) {
        code = "11";
    } else if (o.paperOut || o.ribbonOut) {
        code = "07";
    } else if (o.paused || o.labelWaiting) {
        code = "12";
    } else if (o.busy) {
        code = "17";
    }
    return std::string(code) + "\r\n";
}

std::string ReplyBuilder::CalibrationAnswer() const {
    return options_.calibrationFails ? "AUTO CALIBRATION : FAILED\r\n"
                                     : "AUTO CALIBRATION : SUCCEEDED\r\n";
}

} // namespace qm::sim
